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
//
// Documents are read with json::Document and written with json::Output:
// the same values and failures as through QJsonDocument, the same bytes as
// QJsonDocument::toJson, without building Qt's tree of the whole document.

#include "model/Date.h"
#include "model/Enum.h"
#include "model/JsonDocument.h"
#include "model/JsonOutput.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>
#include <QVarLengthArray>
#include <cstddef>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
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
std::optional<QUuid> parseUuid(QLatin1StringView text);
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
    Reader(Value object, const KeyPath& path);

    // The object as Qt's JSON (for records that read keys they don't know
    // in advance); made on first use.
    const QJsonObject& object() const;
    QString pathOf(QLatin1StringView key) const { return m_path.child(key).toString(); }
    bool has(QLatin1StringView key) const;          // present and not null

    [[noreturn]] void fail(QLatin1StringView key, const QString& what) const;

    template <class T>
    T required(QLatin1StringView key) const
    {
        const Value v = m_value.member(key);
        if (v.isUndefined())
            fail(key, QStringLiteral("missing key"));
        if (v.isNull())
            fail(key, QStringLiteral("null where a value is required"));
        return Codec<T>::decode(v, m_path.child(key));
    }

    template <class T>
    T lenient(QLatin1StringView key, const T& fallback) const
    {
        const Value v = m_value.member(key);
        if (v.isUndefined() || v.isNull())
            return fallback;
        return Codec<T>::decode(v, m_path.child(key));
    }

    // Lenient with a default that is only made when needed (fresh ids and seeds).
    template <class T, class Make>
        requires std::is_invocable_r_v<T, Make>
    T lenientWith(QLatin1StringView key, Make&& makeDefault) const
    {
        const Value v = m_value.member(key);
        if (v.isUndefined() || v.isNull())
            return makeDefault();
        return Codec<T>::decode(v, m_path.child(key));
    }

    template <class T>
    std::optional<T> optional(QLatin1StringView key) const
    {
        const Value v = m_value.member(key);
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        return Codec<T>::decode(v, m_path.child(key));
    }

private:
    Value m_value;
    KeyPath m_path;
    mutable std::optional<QJsonObject> m_object;
};

// Collects the members of one object while a record's toJson names them, and
// writes them with their keys sorted once the record is done (a key set twice
// keeps its last value). Each value is copied when it is set: the copies of
// Qt's strings and lists share their data, and the writer never depends on
// how long the caller's value lives.
class Writer {
public:
    Writer() = default;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    ~Writer();

    template <class T>
    void set(QLatin1StringView key, const T& value)
    {
        add<T>(key, value);
    }

    template <class T>
    void setOptional(QLatin1StringView key, const std::optional<T>& value)
    {
        if (value)
            add<T>(key, *value);
    }

    // The object's text at that depth (the depth of its opening brace).
    void writeObject(Output& out, int depth) const;

private:
    static constexpr std::size_t inlineSize = 32;
    // Kept in the entry when small and safe to move bytewise (the entries
    // array moves them so when it grows), else on the heap.
    template <class T>
    static constexpr bool storedInline = sizeof(T) <= inlineSize && alignof(T) <= alignof(std::max_align_t)
        && QTypeInfo<T>::isRelocatable;

    struct Entry {
        QLatin1StringView key;
        void (*write)(Output&, const void* stored, int depth);
        void (*destroy)(void* stored); // null when there is nothing to release
        alignas(std::max_align_t) unsigned char stored[inlineSize];
    };

    template <class T>
    void add(QLatin1StringView key, const T& value)
    {
        Entry& e = m_entries.emplace_back();
        e.key = key;
        e.destroy = nullptr;
        if constexpr (storedInline<T>) {
            new (e.stored) T(value);
            e.write = [](Output& out, const void* stored, int depth) {
                Codec<T>::write(out, *static_cast<const T*>(stored), depth);
            };
            if constexpr (!std::is_trivially_destructible_v<T>)
                e.destroy = [](void* stored) { static_cast<T*>(stored)->~T(); };
        } else {
            T* copy = new T(value);
            std::memcpy(e.stored, &copy, sizeof copy);
            e.write = [](Output& out, const void* stored, int depth) {
                const T* held = nullptr;
                std::memcpy(&held, stored, sizeof held);
                Codec<T>::write(out, *held, depth);
            };
            e.destroy = [](void* stored) {
                T* held = nullptr;
                std::memcpy(&held, stored, sizeof held);
                delete held;
            };
        }
    }

    QVarLengthArray<Entry, 24> m_entries;
};

[[noreturn]] void failAt(const KeyPath& path, const QString& what);
QString describe(Value::Type type);
QString describe(const QJsonValue& v);
// A value or key from the document as a failure names it, between quotes and
// isolated (text::isolated): the reasons are shown inside longer messages
// ("Couldn't read …: …"), and direction marks in the value must end with it
// rather than reorder the words around it.
QString quoted(const QString& value);

template <>
struct Codec<QString> {
    static QString decode(const Value& v, const KeyPath& path)
    {
        if (!v.isString())
            failAt(path, QStringLiteral("expected a string, found %1").arg(describe(v.type())));
        return v.toString();
    }
    static QString decode(const QJsonValue& v, const KeyPath& path);
    static void write(Output& out, const QString& s, int) { out.string(s); }
};

template <>
struct Codec<bool> {
    static bool decode(const Value& v, const KeyPath& path)
    {
        if (!v.isBool())
            failAt(path, QStringLiteral("expected a boolean, found %1").arg(describe(v.type())));
        return v.toBool();
    }
    static void write(Output& out, bool b, int) { out.boolean(b); }
};

template <>
struct Codec<qint64> {
    static qint64 decode(const Value& v, const KeyPath& path);
    static void write(Output& out, qint64 n, int) { out.integer(n); }
};

template <>
struct Codec<double> {
    static double decode(const Value& v, const KeyPath& path)
    {
        if (!v.isDouble())
            failAt(path, QStringLiteral("expected a number, found %1").arg(describe(v.type())));
        return v.toDouble();
    }
    static void write(Output& out, double d, int) { out.number(d); }
};

template <>
struct Codec<QUuid> {
    static QUuid decode(const Value& v, const KeyPath& path);
    static void write(Output& out, const QUuid& id, int) { out.uuid(id); }
};

template <>
struct Codec<Date> {
    static Date decode(const Value& v, const KeyPath& path)
    {
        return Date(Codec<double>::decode(v, path));
    }
    static void write(Output& out, const Date& d, int) { out.number(d.secondsSinceReference()); }
};

template <TabledEnum E>
struct Codec<E> {
    static E decode(const Value& v, const KeyPath& path)
    {
        // Raw values are ASCII: most stored ones are matched where they lie.
        if (const auto text = v.asciiText()) {
            for (const auto& row : EnumTable<E>::rows()) {
                if (row.raw == *text)
                    return row.value;
            }
        }
        const QString raw = Codec<QString>::decode(v, path);
        if (auto e = fromRaw<E>(raw))
            return *e;
        failAt(path, QStringLiteral("unknown value ") + quoted(raw));
    }
    static void write(Output& out, E e, int) { out.string(rawValue(e)); }
};

template <class T>
struct Codec<T, std::void_t<decltype(T::fromJson(std::declval<const Reader&>()))>> {
    static T decode(const Value& v, const KeyPath& path)
    {
        if (!v.isObject())
            failAt(path, QStringLiteral("expected an object, found %1").arg(describe(v.type())));
        return T::fromJson(Reader(v, path));
    }
    static void write(Output& out, const T& value, int depth)
    {
        Writer w;
        value.toJson(w);
        w.writeObject(out, depth);
    }
};

void requireArray(const Value& v, const KeyPath& path);

// Writes the items of a list as a JSON array at that depth.
template <class Range, class WriteItem>
void writeArray(Output& out, const Range& items, int depth, WriteItem&& writeItem)
{
    out.put('[');
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out.put(',');
        first = false;
        out.breakLine(depth + 1);
        writeItem(item);
    }
    out.breakLine(depth);
    out.put(']');
}

template <class T>
struct Codec<QList<T>> {
    static QList<T> decode(const Value& v, const KeyPath& path)
    {
        requireArray(v, path);
        const qsizetype size = v.size();
        QList<T> out;
        out.reserve(size);
        for (qsizetype i = 0; i < size; ++i) {
            const Value item = v.at(i);
            const KeyPath itemPath = path.item(i);
            if (item.isNull())
                failAt(itemPath, QStringLiteral("null in a list"));
            out.append(Codec<T>::decode(item, itemPath));
        }
        return out;
    }
    static void write(Output& out, const QList<T>& list, int depth)
    {
        writeArray(out, list, depth, [&](const T& item) { Codec<T>::write(out, item, depth + 1); });
    }
};

// Sets of enumeration cases: read from any order with duplicates collapsed,
// written in case order so documents are stable.
template <TabledEnum E>
struct Codec<QSet<E>> {
    static QSet<E> decode(const Value& v, const KeyPath& path)
    {
        const QList<E> list = Codec<QList<E>>::decode(v, path);
        return QSet<E>(list.begin(), list.end());
    }
    static void write(Output& out, const QSet<E>& set, int depth)
    {
        QList<E> members;
        for (E e : allCases<E>()) {
            if (set.contains(e))
                members.append(e);
        }
        Codec<QList<E>>::write(out, members, depth);
    }
};

// Whole documents. decode() fails with a DecodingError for text that isn't
// JSON or whose top level isn't an object, as QJsonDocument judges it.
template <class T>
T decode(const QByteArray& bytes)
{
    const Document document(bytes);
    return T::fromJson(Reader(document.root(), KeyPath()));
}

template <class T>
QByteArray encode(const T& value, Output::Style style)
{
    Output out(style);
    Codec<T>::write(out, value, 0);
    if (out.indented())
        out.put('\n');
    return out.take();
}

// Pretty-printed with the keys of every object sorted, byte for byte what
// QJsonDocument::toJson(QJsonDocument::Indented) makes of the same values.
template <class T>
QByteArray encodePretty(const T& value)
{
    return encode(value, Output::Style::indented);
}

template <class T>
QByteArray encodeCompact(const T& value)
{
    return encode(value, Output::Style::compact);
}

// The document as Qt's JSON tree (for inspecting what is written).
template <class T>
QJsonObject toObject(const T& value)
{
    return QJsonDocument::fromJson(encodeCompact(value)).object();
}

} // namespace json
} // namespace studio
