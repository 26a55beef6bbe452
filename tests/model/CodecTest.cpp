#include "model/Json.h"
#include "model/Text.h"

#include <QTest>
#include <cmath>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

enum class Mood { calm, tense };
struct MoodRow {
    Mood value;
    QString raw;
};

} // namespace

template <>
struct studio::EnumTable<Mood> {
    static const QList<MoodRow>& rows()
    {
        static const QList<MoodRow> table = {{Mood::calm, QStringLiteral("calm")},
                                             {Mood::tense, QStringLiteral("tense")}};
        return table;
    }
};

namespace {

struct Item {
    QUuid id;
    qint64 count = 0;
    double weight = 0.5;
    bool on = false;
    Mood mood = Mood::calm;
    std::optional<QString> note;
    QList<Mood> moods;
    Date when;

    static Item fromJson(const json::Reader& r)
    {
        Item i;
        i.id = r.required<QUuid>(QLatin1StringView("id"));
        i.count = r.lenient<qint64>(QLatin1StringView("count"), 7);
        i.weight = r.lenient<double>(QLatin1StringView("weight"), 0.5);
        i.on = r.lenient<bool>(QLatin1StringView("on"), false);
        i.mood = r.lenient<Mood>(QLatin1StringView("mood"), Mood::calm);
        i.note = r.optional<QString>(QLatin1StringView("note"));
        i.moods = r.lenient<QList<Mood>>(QLatin1StringView("moods"), {});
        i.when = r.lenient<Date>(QLatin1StringView("when"), Date());
        return i;
    }
    void toJson(json::Writer& w) const
    {
        w.set(QLatin1StringView("id"), id);
        w.set(QLatin1StringView("count"), count);
        w.set(QLatin1StringView("weight"), weight);
        w.set(QLatin1StringView("on"), on);
        w.set(QLatin1StringView("mood"), mood);
        w.setOptional(QLatin1StringView("note"), note);
        w.set(QLatin1StringView("moods"), moods);
        w.set(QLatin1StringView("when"), when);
    }
    friend bool operator==(const Item&, const Item&) = default;
};

struct Holder {
    QList<Item> items;
    static Holder fromJson(const json::Reader& r)
    {
        return Holder{r.required<QList<Item>>(QLatin1StringView("items"))};
    }
    void toJson(json::Writer& w) const { w.set(QLatin1StringView("items"), items); }
};

const QByteArray kId = "e621e1f8-c36c-495a-93fc-0c247a3e6e5f";

// A refused value as a failure quotes it: isolated inside the quotes.
QString quoted(const QString& value)
{
    return u'\'' + text::isolated(value) + u'\'';
}

} // namespace

class CodecTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rejectsBadValues_data()
    {
        QTest::addColumn<QByteArray>("doc");
        QTest::addColumn<QString>("error");
        const QByteArray id = "\"id\":\"" + kId + "\"";
        QTest::newRow("missing required") << QByteArray(R"({"items":[{}]})") << "items[0].id: missing key";
        QTest::newRow("null required") << QByteArray(R"({"items":[{"id":null}]})") << "items[0].id: null where a value is required";
        QTest::newRow("malformed uuid") << QByteArray(R"({"items":[{"id":"E621E1F8C36C495A93FC0C247A3E6E5F"}]})")
                                        << "items[0].id: malformed UUID " + quoted("E621E1F8C36C495A93FC0C247A3E6E5F");
        QTest::newRow("braced uuid") << QByteArray(R"({"items":[{"id":"{e621e1f8-c36c-495a-93fc-0c247a3e6e5f}"}]})")
                                     << "items[0].id: malformed UUID " + quoted("{e621e1f8-c36c-495a-93fc-0c247a3e6e5f}");
        QTest::newRow("fractional int") << "{\"items\":[{" + id + ",\"count\":10.5}]}"
                                        << "items[0].count: expected an integer, found 10.5";
        QTest::newRow("bool as number") << "{\"items\":[{" + id + ",\"on\":1}]}"
                                        << "items[0].on: expected a boolean, found a number";
        QTest::newRow("number as string") << "{\"items\":[{" + id + ",\"weight\":\"0.5\"}]}"
                                          << "items[0].weight: expected a number, found a string";
        QTest::newRow("unknown enum") << "{\"items\":[{" + id + ",\"mood\":\"Calm\"}]}"
                                      << "items[0].mood: unknown value " + quoted("Calm");
        QTest::newRow("enum in list") << "{\"items\":[{" + id + ",\"moods\":[\"calm\",\"huge\"]}]}"
                                      << "items[0].moods[1]: unknown value " + quoted("huge");
        // Direction marks in a refused value end with it: the path, the words
        // and the closing quote read in order.
        QTest::newRow("enum overriding direction") << "{\"items\":[{" + id + ",\"mood\":\"abc\u202Edef ghi\"}]}"
                                                   << "items[0].mood: unknown value " + quoted(u"abc\u202Edef ghi"_s);
        QTest::newRow("uuid closing an isolate") << QByteArray("{\"items\":[{\"id\":\"\u2069\u202E42\"}]}")
                                                 << "items[0].id: malformed UUID " + quoted(u"\u2069\u202E42"_s);
        QTest::newRow("null in list") << QByteArray(R"({"items":[null]})") << "items[0]: null in a list";
        QTest::newRow("object expected") << QByteArray(R"({"items":[3]})") << "items[0]: expected an object, found a number";
        QTest::newRow("not json") << QByteArray("{\"items\":") << QString();
        QTest::newRow("top level array") << QByteArray("[]") << "the top level is not a JSON object";
    }
    void rejectsBadValues()
    {
        QFETCH(QByteArray, doc);
        QFETCH(QString, error);
        try {
            json::decode<Holder>(doc);
            QFAIL("decoded a bad document");
        } catch (const DecodingError& e) {
            if (!error.isEmpty())
                QCOMPARE(e.message(), error);
        }
    }

    void lenientAndOptionalKeys()
    {
        const Holder h = json::decode<Holder>(
            "{\"items\":[{\"id\":\"" + kId + "\",\"count\":null,\"note\":null,\"extra\":{\"x\":1}}]}");
        QCOMPARE(h.items.size(), 1);
        const Item& i = h.items.first();
        QCOMPARE(i.count, qint64(7));
        QVERIFY(!i.note.has_value());
        QCOMPARE(uuidString(i.id), QString::fromLatin1(kId).toUpper());
    }

    void roundTripKeepsExactValues()
    {
        Item i;
        i.id = newId();
        i.count = 9007199254740993LL; // beyond double precision
        i.weight = 0.1 + 0.2;
        i.when = Date(786297600.123456789);
        i.moods = {Mood::tense, Mood::calm};
        i.note = QStringLiteral("a \"quoted\" note");
        const QByteArray bytes = json::encodePretty(Holder{{i}});
        QVERIFY(!bytes.contains("null"));
        const Holder back = json::decode<Holder>(bytes);
        QCOMPARE(back.items.first(), i);
        // Absent optionals are left out, never written as null.
        i.note.reset();
        const QByteArray without = json::encodeCompact(Holder{{i}});
        QVERIFY(!without.contains("note"));
        // UUIDs are written upper case.
        QVERIFY(without.contains(uuidString(i.id).toLatin1()));
    }

    void refusesNonFiniteNumbers()
    {
        Item i;
        i.id = newId();
        i.weight = std::nan("");
        QVERIFY_THROWS_EXCEPTION(EncodingError, json::encodePretty(Holder{{i}}));
        i.weight = INFINITY;
        QVERIFY_THROWS_EXCEPTION(EncodingError, json::encodePretty(Holder{{i}}));
    }

    void sortedPrettyOutput()
    {
        Item i;
        i.id = QUuid::fromString(QLatin1String(kId));
        const QByteArray bytes = json::encodePretty(i);
        QVERIFY(bytes.indexOf("\"count\"") < bytes.indexOf("\"id\""));
        QVERIFY(bytes.indexOf("\"id\"") < bytes.indexOf("\"when\""));
        QVERIFY(bytes.contains('\n'));
    }

    void textHelpers()
    {
        QCOMPARE(text::graphemeCount(QStringLiteral("e\u0301te\u0301")), 3); // two combining accents
        QCOMPARE(text::graphemeCount(QStringLiteral("caf\u00E9\r\n\n\r.")), 8); // CR LF is one
        // Long text: dashes and quotes stand alone, a mark far in joins its letter.
        const QString prose = QStringLiteral("She doesn\u2019t answer \u2014 the beam passes\u2026\r\n").repeated(20);
        QCOMPARE(text::graphemeCount(prose), prose.size() - 20);
        QCOMPARE(text::graphemeCount(prose + QStringLiteral("e\u0301")), prose.size() - 20 + 1);
        // A long text counted once is counted anew once it changes in place.
        QString paste = prose.repeated(200);
        QCOMPARE(text::graphemeCount(paste), paste.size() - 4000);
        paste[5] = QChar(0x301);
        QCOMPARE(text::graphemeCount(paste), paste.size() - 4000 - 1);
        QCOMPARE(text::graphemePrefix(QStringLiteral("👩‍👩‍👧abc"), 2), QStringLiteral("👩‍👩‍👧a"));
        QCOMPARE(text::graphemePrefix(QStringLiteral("ab"), 5), QStringLiteral("ab"));
        QVERIFY(text::isBlank(QStringLiteral(" \t")));
        QVERIFY(text::isBlank(QString()));
        QVERIFY(!text::isBlank(QStringLiteral(" \n")));
        QVERIFY(text::isBlankOrNewlines(QStringLiteral(" \n\r\t")));
        QCOMPARE(text::trimmed(QStringLiteral("\n  hi there \t\n")), QStringLiteral("hi there"));
        QCOMPARE(text::trimmedWhitespace(QStringLiteral(" hi\n ")), QStringLiteral("hi\n"));
        QCOMPARE(text::saturatingInt64(std::nan("")), qint64(0));
        QCOMPARE(text::saturatingInt64(1e300), std::numeric_limits<qint64>::max());
        QCOMPARE(text::saturatingInt64(-1e300), std::numeric_limits<qint64>::min());
        QCOMPARE(text::saturatingInt(3.9), 3);
        QCOMPARE(text::saturatingInt(-3.9), -3);
        QCOMPARE(text::format("%.0f", 4.5), QStringLiteral("4"));
        QCOMPARE(text::format("%.1f", 2.25), QStringLiteral("2.2"));
        QCOMPARE(text::format("%lld", 42LL), QStringLiteral("42"));
    }

    void capitalizedWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("heading") << QStringLiteral("INT. OLD MILL — NIGHT") << QStringLiteral("Int. Old Mill — Night");
        QTest::newRow("line breaks") << QStringLiteral("the LONG walk\nhome") << QStringLiteral("The Long Walk\nHome");
        QTest::newRow("quoted word") << QStringLiteral("\"THE ANCHOR\" PUB") << QStringLiteral("\"The Anchor\" Pub");
        QTest::newRow("parenthesis") << QStringLiteral("(FLASHBACK) GATE 2") << QStringLiteral("(Flashback) Gate 2");
        QTest::newRow("apostrophes keep the word") << QStringLiteral("O'HARE’S") << QStringLiteral("O'hare’s");
        QTest::newRow("hyphen starts a word") << QStringLiteral("JEAN-LUC") << QStringLiteral("Jean-Luc");
        QTest::newRow("combining accent") << QStringLiteral("CAFE\u0301 ROUGE") << QStringLiteral("Cafe\u0301 Rouge");
        QTest::newRow("empty") << QString() << QString();
    }
    void capitalizedWords()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text::capitalizedWords(text), expected);
    }

    void dates()
    {
        QCOMPARE(Date(0).toIso8601(), QStringLiteral("2001-01-01T00:00:00Z"));
        const Date now = Date::now();
        QVERIFY(std::fabs(now.secondsSinceUnixEpoch() - QDateTime::currentMSecsSinceEpoch() / 1000.0) < 5);
    }
};

QTEST_GUILESS_MAIN(CodecTest)
#include "CodecTest.moc"
