#include "model/JsonDocument.h"

#include "model/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <QJsonObject>
#include <array>
#include <cmath>
#include <cstring>

namespace studio::json {

using detail::Node;

namespace {

// As deep as QJsonDocument lets containers nest.
constexpr qsizetype maxDepth = 1024;

enum ByteClass : quint8 { plainByte, quote, backslash, control, multiByte };

constexpr auto byteClasses = [] {
    std::array<quint8, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = b < 0x20 ? control : b >= 0x80 ? multiByte : plainByte;
    table['"'] = quote;
    table['\\'] = backslash;
    return table;
}();

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigit(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

bool isSimpleEscape(uchar c)
{
    switch (c) {
    case '"': case '\\': case '/': case 'b': case 'f': case 'n': case 'r': case 't':
        return true;
    default:
        return false;
    }
}

bool isContinuation(uchar b)
{
    return (b & 0xc0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at p (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF), or 0.
int utf8Length(const uchar* p, const uchar* end)
{
    const uchar b = p[0];
    int length = 0;
    uchar low = 0x80;
    uchar high = 0xbf;
    if (b >= 0xc2 && b <= 0xdf) {
        length = 2;
    } else if (b >= 0xe0 && b <= 0xef) {
        length = 3;
        if (b == 0xe0)
            low = 0xa0;
        else if (b == 0xed)
            high = 0x9f;
    } else if (b >= 0xf0 && b <= 0xf4) {
        length = 4;
        if (b == 0xf0)
            low = 0x90;
        else if (b == 0xf4)
            high = 0x8f;
    } else {
        return 0;
    }
    if (end - p < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(p[i]))
            return 0;
    }
    return length;
}

class Parser {
public:
    Parser(const QByteArray& text, std::vector<Node>& nodes, std::vector<qsizetype>& children)
        : m_p(text.constData()), m_end(text.constData() + text.size()), m_begin(text.constData()),
          m_nodes(nodes), m_children(children)
    {
        m_nodes.reserve(size_t(text.size() / 32 + 16));
    }

    bool run();

private:
    struct Open {
        qsizetype node;
        size_t pendingStart;
        bool isObject;
    };

    void skipSpace()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }
    bool at(char c) const { return m_p != m_end && *m_p == c; }

    void open(bool isObject);
    void close();
    bool scalar();
    bool string();
    bool number();
    bool literal(const char* word, qsizetype size, Node node);

    const char* m_p;
    const char* const m_end;
    const char* const m_begin;
    std::vector<Node>& m_nodes;
    std::vector<qsizetype>& m_children;
    std::vector<Open> m_open;
    std::vector<qsizetype> m_pending; // children of the open containers, innermost last
};

void Parser::open(bool isObject)
{
    Node node;
    node.type = isObject ? Value::Type::object : Value::Type::array;
    m_open.push_back(Open{qsizetype(m_nodes.size()), m_pending.size(), isObject});
    m_nodes.push_back(node);
    ++m_p;
}

void Parser::close()
{
    const Open top = m_open.back();
    m_open.pop_back();
    Node& node = m_nodes[size_t(top.node)];
    node.first = qsizetype(m_children.size());
    node.count = qsizetype(m_pending.size() - top.pendingStart);
    m_children.insert(m_children.end(), m_pending.begin() + qsizetype(top.pendingStart), m_pending.end());
    m_pending.resize(top.pendingStart);
    ++m_p;
}

bool Parser::run()
{
    skipSpace();
    if (!at('{'))
        return false;
    open(true);
    bool justOpened = true;
    for (;;) {
        // The start of a container's contents, or just after a comma.
        skipSpace();
        const bool isObject = m_open.back().isObject;
        if (justOpened && at(isObject ? '}' : ']')) {
            close();
        } else {
            if (isObject) {
                if (!at('"') || !string())
                    return false;
                skipSpace();
                if (!at(':'))
                    return false;
                ++m_p;
                skipSpace();
            }
            m_pending.push_back(qsizetype(m_nodes.size()));
            if (at('{') || at('[')) {
                if (qsizetype(m_open.size()) >= maxDepth)
                    return false;
                open(at('{'));
                justOpened = true;
                continue;
            }
            if (!scalar())
                return false;
        }
        // After a value: a comma, or the ends of containers.
        for (;;) {
            skipSpace();
            if (m_open.empty()) // the document's object is complete
                return m_p == m_end;
            if (at(',')) {
                ++m_p;
                justOpened = false;
                break;
            }
            if (!at(m_open.back().isObject ? '}' : ']'))
                return false;
            close();
        }
    }
}

bool Parser::scalar()
{
    if (m_p == m_end)
        return false;
    switch (*m_p) {
    case '"':
        return string();
    case 't': {
        Node node;
        node.type = Value::Type::boolean;
        node.boolean = true;
        return literal("true", 4, node);
    }
    case 'f': {
        Node node;
        node.type = Value::Type::boolean;
        node.boolean = false;
        return literal("false", 5, node);
    }
    case 'n':
        return literal("null", 4, Node());
    default:
        return number();
    }
}

bool Parser::literal(const char* word, qsizetype size, Node node)
{
    if (m_end - m_p < size || std::memcmp(m_p, word, size_t(size)) != 0)
        return false;
    m_p += size;
    m_nodes.push_back(node);
    return true;
}

bool Parser::string()
{
    // At the opening quote.
    const uchar* p = reinterpret_cast<const uchar*>(m_p + 1);
    const uchar* const end = reinterpret_cast<const uchar*>(m_end);
    bool escaped = false;
    bool ascii = true;
    for (;;) {
        if (p == end)
            return false;
        switch (byteClasses[*p]) {
        case plainByte:
            ++p;
            continue;
        case quote:
            break;
        case backslash:
            escaped = true;
            if (end - p >= 2 && isSimpleEscape(p[1])) {
                p += 2;
                continue;
            }
            if (end - p >= 6 && p[1] == 'u' && isHexDigit(char(p[2])) && isHexDigit(char(p[3]))
                && isHexDigit(char(p[4])) && isHexDigit(char(p[5]))) {
                p += 6;
                continue;
            }
            return false;
        case control:
            // Raw control characters are not JSON; Qt takes some of them.
            return false;
        case multiByte: {
            const int length = utf8Length(p, end);
            if (length == 0)
                return false;
            ascii = false;
            p += length;
            continue;
        }
        }
        break; // the closing quote
    }
    Node node;
    node.type = Value::Type::string;
    node.plain = !escaped;
    node.ascii = ascii;
    node.first = qsizetype(m_p + 1 - m_begin);
    node.count = qsizetype(reinterpret_cast<const char*>(p) - (m_p + 1));
    m_nodes.push_back(node);
    m_p = reinterpret_cast<const char*>(p) + 1;
    return true;
}

bool Parser::number()
{
    const char* const start = m_p;
    const char* p = m_p;
    const bool negative = p != m_end && *p == '-';
    if (negative)
        ++p;
    if (p == m_end || !isDigit(*p))
        return false;
    // The magnitude of a whole number of up to 19 digits (no overflow below 10^19).
    quint64 magnitude = 0;
    qsizetype digits = 0;
    if (*p == '0') {
        ++p;
        digits = 1;
    } else {
        while (p != m_end && isDigit(*p)) {
            if (digits < 19)
                magnitude = magnitude * 10 + quint64(*p - '0');
            ++digits;
            ++p;
        }
    }
    bool isInteger = true;
    if (p != m_end && *p == '.') {
        ++p;
        if (p == m_end || !isDigit(*p))
            return false;
        while (p != m_end && isDigit(*p))
            ++p;
        isInteger = false;
    }
    if (p != m_end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != m_end && (*p == '+' || *p == '-'))
            ++p;
        if (p == m_end || !isDigit(*p))
            return false;
        while (p != m_end && isDigit(*p))
            ++p;
        isInteger = false;
    }
    m_p = p;

    Node node;
    node.type = Value::Type::number;
    // Like QJsonDocument: an integer that fits 64 bits is kept exactly, any
    // other number is read as a double and kept as an integer when it is a
    // whole one within 64 bits (so -0.0 reads as 0), and a number that has
    // no double (it overflows, or underflows to zero) is no JSON it takes.
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    if (isInteger && digits <= 19 && magnitude <= limit) {
        node.isInteger = true;
        node.integer = negative ? qint64(0 - magnitude) : qint64(magnitude);
    } else {
        bool ok = false;
        const double d = QByteArrayView(start, p - start).toDouble(&ok);
        if (!ok)
            return false;
        if (std::trunc(d) == d && d >= -9223372036854775808.0 && d < 9223372036854775808.0) {
            node.isInteger = true;
            node.integer = qint64(d);
        } else {
            node.number = d;
        }
    }
    m_nodes.push_back(node);
    return true;
}

// The text of a string node with its escapes replaced (the text is known to
// be well-formed).
QString unescape(const char* text, qsizetype size)
{
    QString out(size, Qt::Uninitialized); // never more units than bytes
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    const uchar* s = reinterpret_cast<const uchar*>(text);
    const uchar* const end = s + size;
    while (s != end) {
        const uchar b = *s;
        if (b == '\\') {
            const uchar kind = s[1];
            s += 2;
            switch (kind) {
            case 'b': *o++ = u'\b'; break;
            case 'f': *o++ = u'\f'; break;
            case 'n': *o++ = u'\n'; break;
            case 'r': *o++ = u'\r'; break;
            case 't': *o++ = u'\t'; break;
            case 'u':
                *o++ = char16_t(hexDigit(char(s[0])) << 12 | hexDigit(char(s[1])) << 8 | hexDigit(char(s[2])) << 4
                                | hexDigit(char(s[3])));
                s += 4;
                break;
            default: *o++ = char16_t(kind); break; // " \ /
            }
        } else if (b < 0x80) {
            *o++ = b;
            ++s;
        } else if (b < 0xe0) {
            *o++ = char16_t((b & 0x1f) << 6 | (s[1] & 0x3f));
            s += 2;
        } else if (b < 0xf0) {
            *o++ = char16_t((b & 0x0f) << 12 | (s[1] & 0x3f) << 6 | (s[2] & 0x3f));
            s += 3;
        } else {
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(s[1] & 0x3f) << 12 | char32_t(s[2] & 0x3f) << 6
                | char32_t(s[3] & 0x3f);
            *o++ = QChar::highSurrogate(c);
            *o++ = QChar::lowSurrogate(c);
            s += 4;
        }
    }
    out.truncate(o - begin);
    return out;
}

// Text as written in the document, already checked to be UTF-8. Every
// character is kept: a string may begin with U+FEFF, which
// QString::fromUtf8 takes for a byte order mark and drops.
QString decodeUtf8(const char* text, qsizetype size)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(text, size));
}

// Whether a key's text as written equals a Latin-1 key.
bool keyEquals(const char* text, const Node& key, QLatin1StringView name)
{
    if (key.plain && key.ascii)
        return key.count == name.size() && std::memcmp(text + key.first, name.data(), size_t(name.size())) == 0;
    const QString decoded = key.plain ? decodeUtf8(text + key.first, key.count) : unescape(text + key.first, key.count);
    return decoded == name;
}

} // namespace

Document::Document(const QByteArray& text)
    : m_text(text)
{
    if (parse())
        return;
    // Text the strict reading does not take: QJsonDocument decides whether
    // it is JSON and says what is wrong. What it accepts is read from its
    // own writing of it, which the strict reading takes.
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(QStringLiteral("not valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        throw DecodingError(QStringLiteral("the top level is not a JSON object"));
    m_text = doc.toJson(QJsonDocument::Compact);
    if (!parse())
        throw DecodingError(QStringLiteral("not valid JSON"));
}

bool Document::parse()
{
    m_nodes.clear();
    m_children.clear();
    return Parser(m_text, m_nodes, m_children).run();
}

bool Value::toBool() const
{
    return isBool() && node().boolean;
}

double Value::toDouble() const
{
    if (!isDouble())
        return 0;
    const Node& n = node();
    return n.isInteger ? double(n.integer) : n.number;
}

qint64 Value::toInteger(qint64 fallback) const
{
    if (!isDouble())
        return fallback;
    const Node& n = node();
    // Whole numbers within 64 bits were kept as integers when read.
    return n.isInteger ? n.integer : fallback;
}

QString Value::toString() const
{
    if (!isString())
        return QString();
    const Node& n = node();
    const char* text = m_document->m_text.constData() + n.first;
    if (!n.plain)
        return unescape(text, n.count);
    if (n.ascii)
        return QString::fromLatin1(text, n.count);
    return decodeUtf8(text, n.count);
}

std::optional<QLatin1StringView> Value::asciiText() const
{
    if (!isString())
        return std::nullopt;
    const Node& n = node();
    if (!n.plain || !n.ascii)
        return std::nullopt;
    return QLatin1StringView(m_document->m_text.constData() + n.first, n.count);
}

qsizetype Value::size() const
{
    return isArray() || isObject() ? node().count : 0;
}

Value Value::at(qsizetype index) const
{
    if (!isArray() || index < 0 || index >= node().count)
        return Value();
    return Value(m_document, m_document->m_children[size_t(node().first + index)]);
}

Value Value::member(QLatin1StringView key) const
{
    if (!isObject())
        return Value();
    const Node& n = node();
    const char* text = m_document->m_text.constData();
    const std::vector<Node>& nodes = m_document->m_nodes;
    // From the last member back: of repeated keys the last one counts.
    for (qsizetype i = n.count - 1; i >= 0; --i) {
        const qsizetype value = m_document->m_children[size_t(n.first + i)];
        if (keyEquals(text, nodes[size_t(value - 1)], key))
            return Value(m_document, value);
    }
    return Value();
}

QJsonValue Value::toJsonValue() const
{
    switch (type()) {
    case Type::undefined:
        return QJsonValue(QJsonValue::Undefined);
    case Type::null:
        return QJsonValue();
    case Type::boolean:
        return node().boolean;
    case Type::number:
        return node().isInteger ? QJsonValue(node().integer) : QJsonValue(node().number);
    case Type::string:
        return toString();
    case Type::array: {
        QJsonArray array;
        for (qsizetype i = 0; i < size(); ++i)
            array.append(at(i).toJsonValue());
        return array;
    }
    case Type::object: {
        QJsonObject object;
        const Node& n = node();
        for (qsizetype i = 0; i < n.count; ++i) {
            const qsizetype value = m_document->m_children[size_t(n.first + i)];
            const Value key(m_document, value - 1);
            object.insert(key.toString(), Value(m_document, value).toJsonValue());
        }
        return object;
    }
    }
    return QJsonValue();
}

} // namespace studio::json
