// The codec writes the bytes QJsonDocument writes, and reads what
// QJsonDocument reads: the same values, the same failures; but where Qt
// drops a string's leading U+FEFF as if it were a byte order mark, the codec
// keeps every character of the string.

#include "model/Json.h"
#include "services/SampleFactory.h"

#include <QJsonArray>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <cstring>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A record whose reference tree is easy to build by hand.
struct Probe {
    QString text;
    double number = 0;
    qint64 integer = 0;
    QList<QString> texts;
    QList<Probe> children;
    std::optional<QString> note;

    static Probe fromJson(const json::Reader& r)
    {
        return Probe{r.required<QString>("text"_L1), r.required<double>("number"_L1), r.required<qint64>("integer"_L1),
                     r.required<QList<QString>>("texts"_L1), r.required<QList<Probe>>("children"_L1),
                     r.optional<QString>("note"_L1)};
    }
    // Keys out of order, and one set twice: the written object sorts them
    // and keeps the last value, as QJsonObject does.
    void toJson(json::Writer& w) const
    {
        w.set("text"_L1, note.value_or(QString()));
        w.set("number"_L1, number);
        w.set("integer"_L1, integer);
        w.set("texts"_L1, texts);
        w.set("children"_L1, children);
        w.setOptional("note"_L1, note);
        w.set("text"_L1, text);
    }
};

bool operator==(const Probe& a, const Probe& b)
{
    return a.text == b.text && a.number == b.number && a.integer == b.integer && a.texts == b.texts
        && a.children == b.children && a.note == b.note;
}

QJsonObject referenceTree(const Probe& p)
{
    QJsonObject o;
    o.insert("text"_L1, p.text);
    o.insert("number"_L1, p.number);
    o.insert("integer"_L1, p.integer);
    QJsonArray texts;
    for (const QString& t : p.texts)
        texts.append(t);
    o.insert("texts"_L1, texts);
    QJsonArray children;
    for (const Probe& c : p.children)
        children.append(referenceTree(c));
    o.insert("children"_L1, children);
    if (p.note)
        o.insert("note"_L1, *p.note);
    return o;
}

QString units(std::initializer_list<char16_t> list)
{
    return QString(reinterpret_cast<const QChar*>(std::data(list)), qsizetype(list.size()));
}

bool isLatin1(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

// Whether the codec's value is Qt's, through the codec's own look-ups: the
// exact integer and the sign of zero count, and of repeated keys the one
// found must be the one Qt keeps.
bool same(const json::Value& ours, const QJsonValue& qt)
{
    using Type = json::Value::Type;
    switch (qt.type()) {
    case QJsonValue::Null:
        return ours.isNull();
    case QJsonValue::Bool:
        return ours.isBool() && ours.toBool() == qt.toBool();
    case QJsonValue::Double: {
        const double x = ours.toDouble();
        const double y = qt.toDouble();
        const qint64 none = std::numeric_limits<qint64>::min();
        return ours.isDouble() && std::memcmp(&x, &y, sizeof x) == 0 && ours.toInteger(none) == qt.toInteger(none);
    }
    case QJsonValue::String:
        return ours.isString() && ours.toString() == qt.toString();
    case QJsonValue::Array: {
        const QJsonArray items = qt.toArray();
        if (ours.type() != Type::array || ours.size() != items.size())
            return false;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!same(ours.at(i), items.at(i)))
                return false;
        }
        return true;
    }
    case QJsonValue::Object: {
        const QJsonObject members = qt.toObject();
        if (ours.type() != Type::object || ours.toJsonValue().toObject().keys() != members.keys())
            return false;
        for (auto it = members.begin(); it != members.end(); ++it) {
            const QString key = it.key();
            const QByteArray latin1 = key.toLatin1();
            if (isLatin1(key) && !same(ours.member(QLatin1StringView(latin1)), it.value()))
                return false;
        }
        return true;
    }
    case QJsonValue::Undefined:
        break;
    }
    return ours.isUndefined();
}

// Empty when the codec's reading of the text agrees with QJsonDocument's,
// else what differs.
QString agreement(const QByteArray& text)
{
    QJsonParseError error{};
    const QJsonDocument qt = QJsonDocument::fromJson(text, &error);
    QString expectedFailure;
    if (error.error != QJsonParseError::NoError)
        expectedFailure = u"not valid JSON (%1 at offset %2)"_s.arg(error.errorString()).arg(error.offset);
    else if (!qt.isObject())
        expectedFailure = u"the top level is not a JSON object"_s;
    try {
        const json::Document ours(text);
        if (!expectedFailure.isEmpty())
            return u"read text Qt refuses: "_s + expectedFailure;
        if (!same(ours.root(), qt.object()))
            return u"read other values than Qt"_s;
    } catch (const DecodingError& e) {
        if (e.message() != expectedFailure)
            return u"failed with '%1', Qt: '%2'"_s.arg(e.message(), expectedFailure);
    }
    return QString();
}

QByteArray nested(int depth)
{
    return "{\"a\":" + QByteArray(depth - 1, '[') + QByteArray(depth - 1, ']') + "}";
}

} // namespace

Q_DECLARE_METATYPE(Probe)

class CodecFidelityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesQtBytes_data()
    {
        QTest::addColumn<Probe>("probe");
        auto text = [](const QString& t) { return Probe{.text = t, .texts = {t, t.left(1)}}; };
        QString controls;
        for (char16_t c = 0; c < 0x20; ++c)
            controls += QChar(c);
        QTest::newRow("control characters") << text(controls + u"\u007f"_s);
        QTest::newRow("quotes and backslashes") << text(u"\"quoted\" \\ back\\slash / slash"_s);
        QTest::newRow("line separators") << text(u"a\u2028b\u2029c\r\n"_s);
        QTest::newRow("non-BMP") << text(u"🎬 𝄞 👩‍👩‍👧"_s);
        QTest::newRow("Latin-1 and BMP edges") << text(u"é\u0080\u07ff\u0800\ufffe\uffff"_s);
        QTest::newRow("lone high surrogate") << text(units({u'a', 0xd83c, u'b'}));
        QTest::newRow("lone high at the end") << text(units({u'a', 0xd83c}));
        QTest::newRow("lone low surrogate") << text(units({0xdc00, u'x'}));
        QTest::newRow("swapped pair") << text(units({0xdc00, 0xd800}));
        QTest::newRow("empty") << text(QString());
        // Long text is written in chunks: pairs and escapes across the cuts.
        QString pairAtCut = QString(4095, u'x') + u"😀"_s + QString(5000, u'"');
        QTest::newRow("pair across a cut") << text(pairAtCut);
        QTest::newRow("lone high at a cut") << text(QString(4095, u'y') + units({0xd800}) + QString(4097, u'\n'));

        const double numbers[] = {0.0, -0.0, 1.0, -1.0, 0.5, 0.1, 0.1 + 0.2, 1.0 / 3, -2.5, 1e-7, 1e-5, 1e-4,
                                  5e-324, 2.2250738585072014e-308, 1e-310, std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(), 1e5, 1e6, 1e15, 1e16, 9007199254740992.0,
                                  9007199254740994.0, -9007199254740994.0, 9.007e15, 9.008e15, 123456789012345678.0,
                                  1e21, 1e100, -1e-100, 9223372036854775808.0, -9223372036854775808.0,
                                  18446744073709551616.0, 786297600.123456789, 789456123.000000119};
        for (double d : numbers)
            QTest::addRow("double %.17g", d) << Probe{.number = d};
        const qint64 integers[] = {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), -1,
                                   9007199254740993LL};
        for (qint64 n : integers)
            QTest::addRow("integer %lld", static_cast<long long>(n)) << Probe{.integer = n};

        Probe tree{.text = u"root"_s, .note = u"a note"_s};
        tree.children = {Probe{.text = u"leaf"_s}, Probe{.children = {Probe{}}}};
        QTest::newRow("nested, empty lists, optional") << tree;
    }
    void writesQtBytes()
    {
        QFETCH(Probe, probe);
        const QJsonDocument reference(referenceTree(probe));
        QCOMPARE(json::encodePretty(probe), reference.toJson(QJsonDocument::Indented));
        QCOMPARE(json::encodeCompact(probe), reference.toJson(QJsonDocument::Compact));
        // Every value comes back; a whole double within 2^53 comes back as
        // that integer, as QJsonDocument gives it (so -0 reads as 0).
        Probe expected = probe;
        if (std::trunc(expected.number) == expected.number && std::fabs(expected.number) <= 9007199254740992.0)
            expected.number = double(qint64(expected.number));
        const Probe back = json::decode<Probe>(json::encodePretty(probe));
        QCOMPARE(back, expected);
        QCOMPARE(std::signbit(back.number), std::signbit(expected.number));
    }

    void samplesWriteQtBytes()
    {
        for (const SampleFactory::Sample& sample : SampleFactory::registry()) {
            const Project p = sample.make();
            const QByteArray pretty = json::encodePretty(p);
            const QJsonDocument asQtReadsIt = QJsonDocument::fromJson(pretty);
            QVERIFY2(asQtReadsIt.isObject(), qPrintable(sample.id));
            QCOMPARE(asQtReadsIt.toJson(QJsonDocument::Indented), pretty);
            QCOMPARE(asQtReadsIt.toJson(QJsonDocument::Compact), json::encodeCompact(p));
            QCOMPARE(json::decode<Project>(pretty), p);
        }
    }

    void readsWhatQtReads_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QList<QByteArray> texts = {
            "{\"a\":\"\\u00e9\\u00E9\\/\\b\\f\\n\\r\\t\\\"\\\\\",\"b\":\"\\ud83d\\ude00\"}",
            R"({"lone high":"\ud800","lone low":"x\udc00","reversed":"\udc00\ud800","nul":"a\u0000b"})",
            "{\"raw\":\"\xEF\xBF\xBE \xEF\xB7\x90 \xE2\x80\xA8 \xF0\x9F\x8E\xAC \x7f\"}",
            "{\"tab\":\"a\tb\"}", "{\"ctl\":\"a\x01\"}", QByteArray("{\"nul\":\"a\0\"}", 12), "{\"nl\":\"a\nb\"}",
            R"({"bad escape":"\q"})", R"({"short":"\u12"})",
            "{\"overlong\":\"\xC0\xAF\"}", "{\"surrogate\":\"\xED\xA0\x80\"}", "{\"too high\":\"\xF4\x90\x80\x80\"}",
            "{\"cut\":\"\xE2\x82\"}", "{\"stray\":\"\x80\"}", "{\"five\":\"\xF8\x88\x80\x80\x80\"}",
            R"({"n":[0,-0,-0.0,0.0,1.0,1.5,-1.5,1e2,1E+2,1e-2,123e-2,0e-400,0e500]})",
            R"({"n":[9007199254740993,9007199254740993.0,9223372036854775807,9223372036854775808,-9223372036854775808]})",
            R"({"n":[-9223372036854775809,123456789012345678901234567890,1e16,1.5e300,5e-324,3e-324,1e-310]})",
            R"({"n":[1.7976931348623157e308]})", R"({"n":[1.7976931348623159e308]})", R"({"n":[1e400]})",
            R"({"n":[-1e400]})", R"({"n":[1e-400]})", R"({"n":[2e-324]})",
            R"({"n":[1.]})", R"({"n":[.5]})", R"({"n":[-]})", R"({"n":[+1]})", R"({"n":[01]})", R"({"n":[1e]})",
            R"({"n":[1.e5]})", R"({"n":[-01]})", R"({"n":[0x10]})", R"({"n":[NaN]})", R"({"n":[Infinity]})",
            R"({"a":1,"a":2,"b":{"c":[],"c":{}}})", R"({"\u0061":1,"a":2})", R"({"a":2,"\u0061":1})",
            R"({"":0,"t":true,"f":false,"z":null})", R"({"t":tru})", R"({"t":True})", R"({"z":nul})",
            "\xEF\xBB\xBF{\"bom\":1}", " \t\r\n{\"space\":1} \t\r\n", "{\"a\":1}\0", "{\"a\":1}x", "{\"a\":1}{}",
            "{\"ff\":1\f}", "{\"a\":1,}", "{\"a\":[1,]}", "{,}", "{\"a\" 1}", "{\"a\":1 \"b\":2}", "{'a':1}",
            "{a:1}", "{\"a\":1", "{\"a\":[1}", "{\"a\":\"x}", "[]", "[{}]", "1", "\"text\"", "null", "", "  ",
            nested(1024), nested(1025), nested(2000)};
        for (qsizetype i = 0; i < texts.size(); ++i)
            QTest::addRow("%lld %s", static_cast<long long>(i), texts[i].left(40).toPercentEncoding(" {}[]:,\"").constData())
                << texts[i];
    }
    void readsWhatQtReads()
    {
        QFETCH(QByteArray, text);
        const QString problem = agreement(text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void keepsEveryCharacterOfAString()
    {
        const json::Document document("{\"bom\":\"\xEF\xBB\xBFkept\",\"\xEF\xBB\xBFtitle\":1}");
        QCOMPARE(document.root().member("bom"_L1).toString(), u"\ufeffkept"_s);
        QVERIFY(!document.root().member("title"_L1).isDouble());
        Project p = SampleFactory::lighthouse();
        p.name = u"\ufeff"_s + p.name;
        p.idea.logline = u"\ufeff\ufeff"_s;
        QCOMPARE(json::decode<Project>(json::encodePretty(p)), p);
    }

    // Damaged copies of a real document: whatever Qt makes of each, the
    // codec makes the same.
    void damagedDocumentsReadAsQtReadsThem()
    {
        const QByteArray original = json::encodeCompact(SampleFactory::lighthouse());
        static const char special[] = "\"\\{}[],:0-.eE+ \x00\x80\xbf\xc3\xed\xf0\xf4\xfftnul";
        QRandomGenerator random(20240611);
        for (int round = 0; round < 1500; ++round) {
            QByteArray text = original;
            const int edits = 1 + int(random.bounded(3));
            for (int e = 0; e < edits; ++e) {
                const qsizetype at = qsizetype(random.bounded(quint32(text.size())));
                const char c = random.bounded(2) ? special[random.bounded(quint32(sizeof special - 1))]
                                                 : char(random.bounded(256));
                switch (random.bounded(4)) {
                case 0: text[at] = c; break;
                case 1: text.insert(at, c); break;
                case 2: text.remove(at, 1 + qsizetype(random.bounded(4))); break;
                default: text.truncate(at); break;
                }
            }
            const QString problem = agreement(text);
            if (!problem.isEmpty())
                QFAIL(qPrintable(u"round %1: %2 in %3"_s.arg(round).arg(problem, QString::fromLatin1(text.toPercentEncoding()))));
        }
    }
};

QTEST_GUILESS_MAIN(CodecFidelityTest)
#include "CodecFidelityTest.moc"
