#include "model/Text.h"

#include <QTextBoundaryFinder>
#include <cmath>
#include <cstdio>
#include <limits>

namespace studio::text {

namespace {

bool isHorizontalSpace(char32_t c)
{
    return c == U'\t' || QChar::category(c) == QChar::Separator_Space;
}

bool isLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isSpaceOrBreak(char32_t c)
{
    return isHorizontalSpace(c) || isLineBreak(c);
}

template <class Pred>
QString trimBy(const QString& s, Pred isTrimmed)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isTrimmed(s.at(begin).unicode()))
        ++begin;
    while (end > begin && isTrimmed(s.at(end - 1).unicode()))
        --end;
    return s.mid(begin, end - begin);
}

template <class Pred>
bool allOf(const QString& s, Pred pred)
{
    for (QChar c : s) {
        if (!pred(c.unicode()))
            return false;
    }
    return true;
}

} // namespace

qsizetype graphemeCount(const QString& s)
{
    if (s.isEmpty())
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QString graphemePrefix(const QString& s, qsizetype count)
{
    if (count <= 0)
        return QString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype seen = 0;
    qsizetype position = 0;
    while (seen < count) {
        const qsizetype next = finder.toNextBoundary();
        if (next == -1)
            return s;
        position = next;
        ++seen;
    }
    return s.left(position);
}

bool isBlank(const QString& s)
{
    return allOf(s, isHorizontalSpace);
}

bool isBlankOrNewlines(const QString& s)
{
    return allOf(s, isSpaceOrBreak);
}

QString trimmedWhitespace(const QString& s)
{
    return trimBy(s, isHorizontalSpace);
}

QString trimmed(const QString& s)
{
    return trimBy(s, isSpaceOrBreak);
}

QString capitalizedWords(const QString& s)
{
    QString out;
    out.reserve(s.size());
    bool atWordStart = true;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype start = 0;
    while (start < s.size()) {
        qsizetype next = finder.toNextBoundary();
        if (next == -1)
            next = s.size();
        const QString grapheme = s.mid(start, next - start);
        const char32_t first = grapheme.isEmpty() ? 0 : grapheme.at(0).unicode();
        if (isSpaceOrBreak(first)) {
            out += grapheme;
            atWordStart = true;
        } else {
            out += atWordStart ? grapheme.toUpper() : grapheme.toLower();
            atWordStart = false;
        }
        start = next;
    }
    return out;
}

QString upper(const QString& s)
{
    return s.toUpper();
}

std::int64_t saturatingInt64(double value)
{
    if (!std::isfinite(value))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(value);
}

int saturatingInt(double value)
{
    const std::int64_t wide = saturatingInt64(value);
    if (wide > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (wide < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(wide);
}

QString format(const char* pattern, double value)
{
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, value);
    if (n < 0)
        return QString();
    return QString::fromUtf8(buffer, qMin<int>(n, int(sizeof buffer) - 1));
}

QString format(const char* pattern, long long value)
{
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, value);
    if (n < 0)
        return QString();
    return QString::fromUtf8(buffer, qMin<int>(n, int(sizeof buffer) - 1));
}

} // namespace studio::text
