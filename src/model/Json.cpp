#include "model/Json.h"

#include <cctype>
#include <limits>
#include <cmath>

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

std::optional<QUuid> parseUuid(QStringView text)
{
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < 36; ++i) {
        const QChar c = text[i];
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphenPlace ? c != u'-' : !isxdigit(c.unicode() < 128 ? int(c.unicode()) : 0))
            return std::nullopt;
    }
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != u"00000000-0000-0000-0000-000000000000")
        return std::nullopt;
    return id;
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

QString describe(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return QStringLiteral("a boolean");
    case QJsonValue::Double: return QStringLiteral("a number");
    case QJsonValue::String: return QStringLiteral("a string");
    case QJsonValue::Array: return QStringLiteral("an array");
    case QJsonValue::Object: return QStringLiteral("an object");
    case QJsonValue::Undefined: break;
    }
    return QStringLiteral("nothing");
}

Reader::Reader(const QJsonObject& object, const KeyPath& path)
    : m_object(object), m_path(path)
{
}

bool Reader::has(QLatin1StringView key) const
{
    const QJsonValue v = m_object.value(key);
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

bool Codec<bool>::decode(const QJsonValue& v, const KeyPath& path)
{
    if (!v.isBool())
        failAt(path, QStringLiteral("expected a boolean, found %1").arg(describe(v)));
    return v.toBool();
}

qint64 Codec<qint64>::decode(const QJsonValue& v, const KeyPath& path)
{
    if (!v.isDouble())
        failAt(path, QStringLiteral("expected an integer, found %1").arg(describe(v)));
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

double Codec<double>::decode(const QJsonValue& v, const KeyPath& path)
{
    if (!v.isDouble())
        failAt(path, QStringLiteral("expected a number, found %1").arg(describe(v)));
    return v.toDouble();
}

QJsonValue Codec<double>::encode(double d)
{
    if (!std::isfinite(d))
        throw EncodingError(QStringLiteral("a number is not finite (%1)").arg(d));
    return d;
}

QUuid Codec<QUuid>::decode(const QJsonValue& v, const KeyPath& path)
{
    const QString text = Codec<QString>::decode(v, path);
    if (auto id = parseUuid(text))
        return *id;
    failAt(path, QStringLiteral("malformed UUID '%1'").arg(text));
}

QJsonArray arrayAt(const QJsonValue& v, const KeyPath& path)
{
    if (!v.isArray())
        failAt(path, QStringLiteral("expected an array, found %1").arg(describe(v)));
    return v.toArray();
}

} // namespace json
} // namespace studio
