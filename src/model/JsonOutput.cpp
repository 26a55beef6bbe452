#include "model/JsonOutput.h"

#include "model/Json.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstring>

namespace studio::json {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

// Writes one string's text between quotes the way QJsonDocument escapes it:
// '"', '\\' and control characters escaped (\b \f \n \r \t or \u00XX),
// everything else as UTF-8, and a surrogate without its partner as \uXXXX
// (lower-case hex), since it has no UTF-8 form.
template <class Unit>
char* escape(char* out, const Unit*& src, const Unit* end)
{
    while (src != end) {
        const char16_t u = char16_t(*src++);
        if (u < 0x80) {
            if (u >= 0x20 && u != u'"' && u != u'\\') {
                *out++ = char(u);
                continue;
            }
            *out++ = '\\';
            switch (u) {
            case u'"': *out++ = '"'; break;
            case u'\\': *out++ = '\\'; break;
            case u'\b': *out++ = 'b'; break;
            case u'\f': *out++ = 'f'; break;
            case u'\n': *out++ = 'n'; break;
            case u'\r': *out++ = 'r'; break;
            case u'\t': *out++ = 't'; break;
            default:
                *out++ = 'u';
                *out++ = '0';
                *out++ = '0';
                *out++ = hexDigits[u >> 4];
                *out++ = hexDigits[u & 0xf];
            }
        } else if (u < 0x800) {
            *out++ = char(0xc0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3f));
        } else if (!QChar::isSurrogate(u)) {
            *out++ = char(0xe0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3f));
            *out++ = char(0x80 | (u & 0x3f));
        } else if (QChar::isHighSurrogate(u) && src != end && QChar::isLowSurrogate(char16_t(*src))) {
            const char32_t c = QChar::surrogateToUcs4(u, char16_t(*src++));
            *out++ = char(0xf0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3f));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        } else {
            *out++ = '\\';
            *out++ = 'u';
            *out++ = hexDigits[u >> 12];
            *out++ = hexDigits[(u >> 8) & 0xf];
            *out++ = hexDigits[(u >> 4) & 0xf];
            *out++ = hexDigits[u & 0xf];
        }
    }
    return out;
}

// Longest output of one code unit: an escape (\u00XX, \uXXXX) is six bytes.
constexpr qsizetype maxBytesPerUnit = 6;
// Long strings are written a chunk at a time, so the room made ahead stays
// small however long the text is.
constexpr qsizetype unitsPerChunk = 4096;

// The largest magnitude below which QJsonDocument writes a whole double as
// an integer (2^53: every whole number up to it is exact).
constexpr double wholeLimit = 9007199254740992.0;

} // namespace

Output::Output(Style style)
    : m_indented(style == Style::indented)
{
}

void Output::grow(qsizetype size)
{
    const qsizetype needed = m_used + size;
    m_bytes.resize(qMax(needed, qMax<qsizetype>(4096, m_bytes.size() * 2)));
}

void Output::put(const char* text, qsizetype size)
{
    std::memcpy(room(size), text, size_t(size));
    m_used += size;
}

void Output::breakLine(int depth)
{
    if (!m_indented)
        return;
    const qsizetype size = 1 + 4 * qsizetype(depth);
    char* out = room(size);
    out[0] = '\n';
    std::memset(out + 1, ' ', size_t(size - 1));
    m_used += size;
}

void Output::string(QStringView s)
{
    const char16_t* src = s.utf16();
    const char16_t* const end = src + s.size();
    put('"');
    while (src != end) {
        const char16_t* chunkEnd = src + qMin<qsizetype>(end - src, unitsPerChunk);
        if (chunkEnd != end && QChar::isHighSurrogate(chunkEnd[-1]))
            ++chunkEnd; // a surrogate pair stays in one chunk
        char* const begin = room((chunkEnd - src) * maxBytesPerUnit);
        char* const out = escape(begin, src, chunkEnd);
        m_used += out - begin;
    }
    put('"');
}

void Output::string(QLatin1StringView s)
{
    const uchar* src = reinterpret_cast<const uchar*>(s.data());
    const uchar* const end = src + s.size();
    put('"');
    while (src != end) {
        const qsizetype units = qMin<qsizetype>(end - src, unitsPerChunk);
        char* const begin = room(units * maxBytesPerUnit);
        char* out = escape(begin, src, src + units);
        m_used += out - begin;
    }
    put('"');
}

void Output::integer(qint64 n)
{
    char* out = room(20);
    m_used += std::to_chars(out, out + 20, n).ptr - out;
}

void Output::number(double d)
{
    if (!std::isfinite(d))
        throw EncodingError(QStringLiteral("a number is not finite (%1)").arg(d));
    // QJsonDocument keeps a whole double within 2^53 as an integer (so -0
    // is written as 0), and writes any other in the shortest form that reads
    // back the same number, in its locale-independent 'g' style.
    if (std::trunc(d) == d && std::fabs(d) <= wholeLimit) {
        integer(qint64(d));
        return;
    }
    const QByteArray text = QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
    put(text.constData(), text.size());
}

void Output::uuid(const QUuid& id)
{
    // Upper-case 8-4-4-4-12 hex, as uuidString() gives it.
    static constexpr char upper[] = "0123456789ABCDEF";
    char* out = room(38);
    auto hex = [&out](quint64 value, int digits) {
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
            *out++ = upper[(value >> shift) & 0xf];
    };
    *out++ = '"';
    hex(id.data1, 8);
    *out++ = '-';
    hex(id.data2, 4);
    *out++ = '-';
    hex(id.data3, 4);
    *out++ = '-';
    hex(quint64(id.data4[0]) << 8 | id.data4[1], 4);
    *out++ = '-';
    quint64 node = 0;
    for (int i = 2; i < 8; ++i)
        node = node << 8 | id.data4[i];
    hex(node, 12);
    *out++ = '"';
    m_used += 38;
}

QByteArray Output::take()
{
    m_bytes.truncate(m_used);
    m_used = 0;
    return std::move(m_bytes);
}

} // namespace studio::json
