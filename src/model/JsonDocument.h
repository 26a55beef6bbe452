#pragma once

// A JSON text parsed for the typed codec: one node per value, read in place
// from the text without a QString per key or per value that is never read.
//
// The reading is strict (RFC 8259, UTF-8 checked, nesting as deep as
// QJsonDocument allows). Whatever it does not take goes to QJsonDocument,
// which has the last word on what is JSON and describes the fault; a text
// Qt accepts is read back from Qt's own writing of it. So a document reads
// as the same values, and fails with the same message, as through Qt.

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>
#include <QLatin1StringView>
#include <QString>
#include <optional>
#include <vector>

namespace studio::json {

class Document;

namespace detail {
struct Node;
}

// One value of a Document, or nothing (the value of a missing key). Valid
// as long as its document.
class Value {
public:
    enum class Type : quint8 { undefined, null, boolean, number, string, array, object };

    Value() = default;

    Type type() const;
    bool isUndefined() const { return type() == Type::undefined; }
    bool isNull() const { return type() == Type::null; }
    bool isBool() const { return type() == Type::boolean; }
    bool isDouble() const { return type() == Type::number; }
    bool isString() const { return type() == Type::string; }
    bool isArray() const { return type() == Type::array; }
    bool isObject() const { return type() == Type::object; }

    // The same conversions as QJsonValue's.
    bool toBool() const;
    double toDouble() const;
    // A whole number within 64 bits, else the fallback.
    qint64 toInteger(qint64 fallback) const;
    QString toString() const;
    // The text of a string that is plain ASCII as written (no escapes), so it
    // can be matched without making a QString.
    std::optional<QLatin1StringView> asciiText() const;

    // Items of an array, members of an object.
    qsizetype size() const;
    Value at(qsizetype index) const;
    // The member of an object named key (the last one when a key repeats, as
    // QJsonDocument keeps it), or nothing.
    Value member(QLatin1StringView key) const;

    QJsonValue toJsonValue() const;

private:
    friend class Document;
    Value(const Document* document, qsizetype index) : m_document(document), m_index(index) {}
    const detail::Node& node() const;

    const Document* m_document = nullptr;
    qsizetype m_index = -1;
};

namespace detail {

struct Node {
    Value::Type type = Value::Type::null;
    // string: no escapes / only ASCII bytes; number: holds an exact integer
    bool plain = false;
    bool ascii = false;
    bool isInteger = false;
    // string: byte offset and length of its text between the quotes;
    // array, object: position of the first child in the child list, count
    qsizetype first = 0;
    qsizetype count = 0;
    union {
        bool boolean;
        qint64 integer;
        double number = 0;
    };
};

} // namespace detail

class Document {
public:
    // Parses text whose top level is an object; throws DecodingError when it
    // is not JSON or not an object.
    explicit Document(const QByteArray& text);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Value root() const { return Value(this, 0); }

private:
    friend class Value;
    bool parse();

    QByteArray m_text;
    std::vector<detail::Node> m_nodes;
    // The nodes of each array's items and each object's values, one run per
    // container; an object member's key is the node just before its value.
    std::vector<qsizetype> m_children;
};

inline const detail::Node& Value::node() const
{
    return m_document->m_nodes[size_t(m_index)];
}

inline Value::Type Value::type() const
{
    return m_document ? node().type : Type::undefined;
}

} // namespace studio::json
