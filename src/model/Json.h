#pragma once

// The typed JSON codec of production documents and other stored or received
// records.
//
// A record type T takes part by providing
//     static T fromJson(const json::Reader& r);
//     void toJson(json::Writer& w) const;
// Reader knows required keys (missing or null fails), lenient keys (missing or
// null gives a default) and optional keys (missing or null gives nothing).
// Types are checked strictly; unknown enumeration strings and malformed UUIDs
// fail; unknown keys are ignored. Failures are thrown as DecodingError with the
// key path of the first failure. Writer leaves absent optionals out and refuses
// non-finite numbers.

#include "model/Date.h"
#include "model/Enum.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>
#include <exception>
#include <optional>
#include <type_traits>

namespace studio {

// A stored document or reply that doesn't have the expected shape.
class DecodingError : public std::exception {
public:
    explicit DecodingError(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A value that has no JSON form (a NaN or infinite number).
class EncodingError : public std::exception {
public:
    explicit EncodingError(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Canonical upper-case 36-character text of a UUID ("E621E1F8-C36C-495A-93FC-0C247A3E6E5F").
QString uuidString(const QUuid& id);
// Parses the canonical 8-4-4-4-12 form in either case; anything else gives nullopt.
std::optional<QUuid> parseUuid(QStringView text);
// A fresh random UUID, and its canonical text (the form of every new seed).
QUuid newId();
QString newSeed();

namespace json {

template <class T, class Enable = void>
struct Codec;

// Where a value sits in its document ("episodes[0].scenes[2].title"). Built
// as a chain on the stack while decoding and turned into text only when a
// failure is reported, so a successful decode never builds path strings.
class KeyPath {
public:
    KeyPath() = default;
    KeyPath(const QString& text) : m_text(text) {} // NOLINT: a ready-made path

    // The parent must outlive the child (both live on the decoding stack).
    KeyPath child(QLatin1StringView key) const
    {
        KeyPath p;
        p.m_parent = this;
        p.m_key = key;
        return p;
    }
    KeyPath item(qsizetype index) const
    {
        KeyPath p;
        p.m_parent = this;
        p.m_index = index;
        return p;
    }
    QString toString() const;

private:
    const KeyPath* m_parent = nullptr;
    QLatin1StringView m_key;
    qsizetype m_index = -1;
    QString m_text;
};

class Reader {
public:
    Reader(const QJsonObject& object, const KeyPath& path);

    const QJsonObject& object() const { return m_object; }
    QString path() const { return m_path.toString(); }
    QString pathOf(QLatin1StringView key) const { return m_path.child(key).toString(); }
    bool has(QLatin1StringView key) const;          // present and not null

    [[noreturn]] void fail(QLatin1StringView key, const QString& what) const;

    template <class T>
    T required(QLatin1StringView key) const
    {
        const QJsonValue v = m_object.value(key);
        if (v.isUndefined())
            fail(key, QStringLiteral("missing key"));
        if (v.isNull())
            fail(key, QStringLiteral("null where a value is required"));
        return Codec<T>::decode(v, m_path.child(key));
    }

    template <class T>
    T lenient(QLatin1StringView key, const T& fallback) const
    {
        const QJsonValue v = m_object.value(key);
        if (v.isUndefined() || v.isNull())
            return fallback;
        return Codec<T>::decode(v, m_path.child(key));
    }

    // Lenient with a default that is only made when needed (fresh ids and seeds).
    template <class T, class Make>
        requires std::is_invocable_r_v<T, Make>
    T lenientWith(QLatin1StringView key, Make&& makeDefault) const
    {
        const QJsonValue v = m_object.value(key);
        if (v.isUndefined() || v.isNull())
            return makeDefault();
        return Codec<T>::decode(v, m_path.child(key));
    }

    template <class T>
    std::optional<T> optional(QLatin1StringView key) const
    {
        const QJsonValue v = m_object.value(key);
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        return Codec<T>::decode(v, m_path.child(key));
    }

private:
    QJsonObject m_object;
    KeyPath m_path;
};

class Writer {
public:
    template <class T>
    void set(QLatin1StringView key, const T& value)
    {
        m_object.insert(key, Codec<T>::encode(value));
    }

    template <class T>
    void setOptional(QLatin1StringView key, const std::optional<T>& value)
    {
        if (value)
            m_object.insert(key, Codec<T>::encode(*value));
    }

    QJsonObject take() { return std::move(m_object); }

private:
    QJsonObject m_object;
};

[[noreturn]] void failAt(const KeyPath& path, const QString& what);
QString describe(const QJsonValue& v);

template <>
struct Codec<QString> {
    static QString decode(const QJsonValue& v, const KeyPath& path);
    static QJsonValue encode(const QString& s) { return s; }
};

template <>
struct Codec<bool> {
    static bool decode(const QJsonValue& v, const KeyPath& path);
    static QJsonValue encode(bool b) { return b; }
};

template <>
struct Codec<qint64> {
    static qint64 decode(const QJsonValue& v, const KeyPath& path);
    static QJsonValue encode(qint64 n) { return n; }
};

template <>
struct Codec<double> {
    static double decode(const QJsonValue& v, const KeyPath& path);
    static QJsonValue encode(double d);
};

template <>
struct Codec<QUuid> {
    static QUuid decode(const QJsonValue& v, const KeyPath& path);
    static QJsonValue encode(const QUuid& id) { return uuidString(id); }
};

template <>
struct Codec<Date> {
    static Date decode(const QJsonValue& v, const KeyPath& path)
    {
        return Date(Codec<double>::decode(v, path));
    }
    static QJsonValue encode(const Date& d) { return Codec<double>::encode(d.secondsSinceReference()); }
};

template <TabledEnum E>
struct Codec<E> {
    static E decode(const QJsonValue& v, const KeyPath& path)
    {
        const QString raw = Codec<QString>::decode(v, path);
        if (auto e = fromRaw<E>(raw))
            return *e;
        failAt(path, QStringLiteral("unknown value '%1'").arg(raw));
    }
    static QJsonValue encode(E e) { return rawValue(e); }
};

template <class T>
struct Codec<T, std::void_t<decltype(T::fromJson(std::declval<const Reader&>()))>> {
    static T decode(const QJsonValue& v, const KeyPath& path)
    {
        if (!v.isObject())
            failAt(path, QStringLiteral("expected an object, found %1").arg(describe(v)));
        return T::fromJson(Reader(v.toObject(), path));
    }
    static QJsonValue encode(const T& value)
    {
        Writer w;
        value.toJson(w);
        return w.take();
    }
};

QJsonArray arrayAt(const QJsonValue& v, const KeyPath& path);

template <class T>
struct Codec<QList<T>> {
    static QList<T> decode(const QJsonValue& v, const KeyPath& path)
    {
        const QJsonArray array = arrayAt(v, path);
        QList<T> out;
        out.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QJsonValue item = array.at(i);
            const KeyPath itemPath = path.item(i);
            if (item.isNull())
                failAt(itemPath, QStringLiteral("null in a list"));
            out.append(Codec<T>::decode(item, itemPath));
        }
        return out;
    }
    static QJsonValue encode(const QList<T>& list)
    {
        QJsonArray array;
        for (const T& item : list)
            array.append(Codec<T>::encode(item));
        return array;
    }
};

// Sets of enumeration cases: read from any order with duplicates collapsed,
// written in case order so documents are stable.
template <TabledEnum E>
struct Codec<QSet<E>> {
    static QSet<E> decode(const QJsonValue& v, const KeyPath& path)
    {
        const QList<E> list = Codec<QList<E>>::decode(v, path);
        return QSet<E>(list.begin(), list.end());
    }
    static QJsonValue encode(const QSet<E>& set)
    {
        QJsonArray array;
        for (E e : allCases<E>()) {
            if (set.contains(e))
                array.append(rawValue(e));
        }
        return array;
    }
};

// Whole documents. decode() parses with the default settings and fails with a
// DecodingError for text that isn't JSON or whose top level isn't an object.
template <class T>
T decode(const QByteArray& bytes)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(QStringLiteral("not valid JSON (%1 at offset %2)")
                                .arg(error.errorString())
                                .arg(error.offset));
    if (!doc.isObject())
        throw DecodingError(QStringLiteral("the top level is not a JSON object"));
    return T::fromJson(Reader(doc.object(), KeyPath()));
}

template <class T>
QJsonObject toObject(const T& value)
{
    Writer w;
    value.toJson(w);
    return w.take();
}

// Pretty-printed with the keys of every object sorted.
template <class T>
QByteArray encodePretty(const T& value)
{
    return QJsonDocument(toObject(value)).toJson(QJsonDocument::Indented);
}

template <class T>
QByteArray encodeCompact(const T& value)
{
    return QJsonDocument(toObject(value)).toJson(QJsonDocument::Compact);
}

} // namespace json
} // namespace studio
