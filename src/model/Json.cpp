#include "model/Json.h"

#include "model/Text.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace studio {

DecodingError::DecodingError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

EncodingError::EncodingError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

QString uuidString(const QUuid& id)
{
    // The text is all ASCII: upper-casing the bytes skips the Unicode case
    // mapping of QString::toUpper, which cost half of every new seed.
    return QString::fromLatin1(id.toByteArray(QUuid::WithoutBraces).toUpper());
}

namespace {

// Value of each ASCII hex digit, -1 for any other character.
constexpr auto hexTable = [] {
    std::array<signed char, 128> table{};
    for (auto& v : table)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        table[c] = static_cast<signed char>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c)
        table[c] = static_cast<signed char>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c)
        table[c] = static_cast<signed char>(c - 'A' + 10);
    return table;
}();

int hexValue(char16_t c)
{
    return c < 128 ? hexTable[c] : -1;
}

template <class Char>
std::optional<QUuid> parseUuidText(const Char* c, qsizetype size)
{
    // One pass over the text: each pair of hex digits is one byte of the id,
    // and the hyphens must sit where the 8-4-4-4-12 form puts them.
    if (size != 36)
        return std::nullopt;
    if (c[8] != '-' || c[13] != '-' || c[18] != '-' || c[23] != '-')
        return std::nullopt;
    static constexpr quint8 firstDigit[16] = {0, 2, 4, 6, 9, 11, 14, 16, 19, 21, 24, 26, 28, 30, 32, 34};
    char bytes[16];
    int bad = 0;
    for (int i = 0; i < 16; ++i) {
        const int high = hexValue(char16_t(c[firstDigit[i]]));
        const int low = hexValue(char16_t(c[firstDigit[i] + 1]));
        bad |= high | low; // negative once any digit is not hex
        bytes[i] = char(((high & 0xf) << 4) | (low & 0xf));
    }
    if (bad < 0)
        return std::nullopt;
    return QUuid::fromRfc4122(QByteArrayView(bytes, 16));
}

} // namespace

std::optional<QUuid> parseUuid(QStringView text)
{
    return parseUuidText(text.utf16(), text.size());
}

std::optional<QUuid> parseUuid(QLatin1StringView text)
{
    return parseUuidText(reinterpret_cast<const uchar*>(text.data()), text.size());
}

QUuid newId()
{
    return QUuid::createUuid();
}

QString newSeed()
{
    return uuidString(QUuid::createUuid());
}

namespace json {

QString KeyPath::toString() const
{
    QString base = m_parent ? m_parent->toString() : m_text;
    if (m_index >= 0)
        return base + u'[' + QString::number(m_index) + u']';
    if (!m_key.isEmpty())
        return base.isEmpty() ? QString(m_key) : base + u'.' + m_key;
    return base;
}

void failAt(const KeyPath& path, const QString& what)
{
    const QString where = path.toString();
    throw DecodingError(where.isEmpty() ? what : where + QStringLiteral(": ") + what);
}

QString describe(Value::Type type)
{
    switch (type) {
    case Value::Type::null: return QStringLiteral("null");
    case Value::Type::boolean: return QStringLiteral("a boolean");
    case Value::Type::number: return QStringLiteral("a number");
    case Value::Type::string: return QStringLiteral("a string");
    case Value::Type::array: return QStringLiteral("an array");
    case Value::Type::object: return QStringLiteral("an object");
    case Value::Type::undefined: break;
    }
    return QStringLiteral("nothing");
}

QString describe(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null: return describe(Value::Type::null);
    case QJsonValue::Bool: return describe(Value::Type::boolean);
    case QJsonValue::Double: return describe(Value::Type::number);
    case QJsonValue::String: return describe(Value::Type::string);
    case QJsonValue::Array: return describe(Value::Type::array);
    case QJsonValue::Object: return describe(Value::Type::object);
    case QJsonValue::Undefined: break;
    }
    return describe(Value::Type::undefined);
}

QString quoted(const QString& value)
{
    return u'\'' + text::isolated(value) + u'\'';
}

Reader::Reader(Value object, const KeyPath& path)
    : m_value(object), m_path(path)
{
}

const QJsonObject& Reader::object() const
{
    if (!m_object)
        m_object = m_value.toJsonValue().toObject();
    return *m_object;
}

bool Reader::has(QLatin1StringView key) const
{
    const Value v = m_value.member(key);
    return !v.isUndefined() && !v.isNull();
}

void Reader::fail(QLatin1StringView key, const QString& what) const
{
    failAt(m_path.child(key), what);
}

QString Codec<QString>::decode(const QJsonValue& v, const KeyPath& path)
{
    if (!v.isString())
        failAt(path, QStringLiteral("expected a string, found %1").arg(describe(v)));
    return v.toString();
}

qint64 Codec<qint64>::decode(const Value& v, const KeyPath& path)
{
    if (!v.isDouble())
        failAt(path, QStringLiteral("expected an integer, found %1").arg(describe(v.type())));
    // Whole numbers only; 10.5 or a number beyond 64 bits is not an integer.
    const double d = v.toDouble();
    if (std::floor(d) != d)
        failAt(path, QStringLiteral("expected an integer, found %1").arg(d));
    const qint64 sentinel = std::numeric_limits<qint64>::min();
    const qint64 n = v.toInteger(sentinel);
    if (n == sentinel && d != -9223372036854775808.0)
        failAt(path, QStringLiteral("integer out of range"));
    return n;
}

QUuid Codec<QUuid>::decode(const Value& v, const KeyPath& path)
{
    // Stored ids are plain ASCII: read from the document's bytes directly.
    if (const auto text = v.asciiText()) {
        if (auto id = parseUuid(*text))
            return *id;
    }
    const QString text = Codec<QString>::decode(v, path);
    if (auto id = parseUuid(text))
        return *id;
    failAt(path, QStringLiteral("malformed UUID ") + quoted(text));
}

void requireArray(const Value& v, const KeyPath& path)
{
    if (!v.isArray())
        failAt(path, QStringLiteral("expected an array, found %1").arg(describe(v.type())));
}

Writer::~Writer()
{
    for (Entry& e : m_entries) {
        if (e.destroy)
            e.destroy(e.stored);
    }
}

namespace {

bool keyLess(QLatin1StringView a, QLatin1StringView b)
{
    // Byte order, which is Qt's order of the keys of a JSON object.
    const qsizetype common = qMin(a.size(), b.size());
    const int c = common == 0 ? 0 : std::memcmp(a.data(), b.data(), size_t(common));
    return c < 0 || (c == 0 && a.size() < b.size());
}

} // namespace

void Writer::writeObject(Output& out, int depth) const
{
    // Insertion sort of the members' positions: records have a few dozen
    // keys at most, and a stable sort puts a key set twice in the order set.
    const qsizetype count = m_entries.size();
    QVarLengthArray<qsizetype, 24> order(count);
    for (qsizetype i = 0; i < count; ++i) {
        qsizetype j = i;
        while (j > 0 && keyLess(m_entries[i].key, m_entries[order[j - 1]].key)) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = i;
    }

    out.put('{');
    bool first = true;
    for (qsizetype k = 0; k < count; ++k) {
        const Entry& e = m_entries[order[k]];
        if (k + 1 < count && m_entries[order[k + 1]].key == e.key)
            continue; // set again later: the later value wins
        if (!first)
            out.put(',');
        first = false;
        out.breakLine(depth + 1);
        out.string(e.key);
        if (out.indented())
            out.put(": ", 2);
        else
            out.put(':');
        e.write(out, e.stored, depth + 1);
    }
    out.breakLine(depth);
    out.put('}');
}

} // namespace json
} // namespace studio
