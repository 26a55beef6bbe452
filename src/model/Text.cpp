#include "model/Text.h"

#include <QMutex>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
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

bool isCased(char32_t c)
{
    return QChar::isUpper(c) || QChar::isLower(c) || QChar::isTitleCase(c);
}

// Unicode's Case_Ignorable: marks, format characters, modifiers and the
// word-internal punctuation of word breaking.
bool isCaseIgnorable(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Letter_Modifier:
    case QChar::Symbol_Modifier:
        return true;
    default:
        break;
    }
    switch (c) {
    case U'\'': case U'.': case U':': case U'\u00B7': case U'\u0387': case U'\u05F4':
    case U'\u2018': case U'\u2019': case U'\u2024': case U'\u2027': case U'\uFE13':
    case U'\uFE52': case U'\uFE55': case U'\uFF07': case U'\uFF0E': case U'\uFF1A':
        return true;
    default:
        return false;
    }
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

// How many grapheme clusters a text has when every code unit is one of its
// own but CR LF, or -1 when it holds something else. Standing alone: all
// below the combining marks at U+0300, and general punctuation, super- and
// subscripts and currency signs (U+2010 to U+20CF: dashes, quotes, ellipses,
// and controls, which stand alone too). Looked at in blocks with no exit
// inside, which the compiler turns into vector code.
qsizetype standAloneCount(const char16_t* data, qsizetype size)
{
    constexpr int block = 64;
    char16_t carriage = 0;
    const auto joins = [&carriage](char16_t c) {
        carriage |= char16_t(c == u'\r');
        return char16_t((c >= 0x300) & (char16_t(c - 0x2010) >= 0xC0));
    };
    qsizetype i = 0;
    for (; i + block <= size; i += block) {
        char16_t any = 0;
        for (int j = 0; j < block; ++j)
            any |= joins(data[i + j]);
        if (any)
            return -1;
    }
    for (; i < size; ++i) {
        if (joins(data[i]))
            return -1;
    }
    qsizetype pairs = 0;
    if (carriage) {
        for (i = 1; i < size; ++i)
            pairs += data[i] == u'\n' && data[i - 1] == u'\r';
    }
    return size - pairs;
}

} // namespace

qsizetype graphemeCount(const QString& s)
{
    if (s.isEmpty())
        return 0;
    // The script's statistics count every element at each keystroke, and
    // nearly all of a script is text where only CR LF joins: it is counted
    // by looking at each code unit once, and only a text holding anything
    // else goes to the boundary finder.
    const auto count = [](const QString& s) {
        if (const qsizetype simple = standAloneCount(reinterpret_cast<const char16_t*>(s.utf16()), s.size());
            simple >= 0)
            return simple;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
        qsizetype clusters = 0;
        while (finder.toNextBoundary() != -1)
            ++clusters;
        return clusters;
    };
    // A long text (a paste of a megabyte) would still cost a read of all of
    // it at each keystroke elsewhere: the counts of the last few are kept,
    // each with its text. A text held there cannot change (a write to a
    // shared string copies it first), so its data names it.
    constexpr qsizetype longText = 64 * 1024;
    constexpr qsizetype keptCharacters = 4 * 1024 * 1024;
    if (s.size() < longText || s.size() > keptCharacters)
        return count(s);
    struct Counted {
        QString text;
        qsizetype clusters = 0;
    };
    static QMutex mutex;
    static std::array<Counted, 2> kept;
    {
        const QMutexLocker lock(&mutex);
        for (const Counted& c : kept) {
            if (c.text.constData() == s.constData() && c.text.size() == s.size())
                return c.clusters;
        }
    }
    const qsizetype clusters = count(s);
    const QMutexLocker lock(&mutex);
    std::rotate(kept.rbegin(), kept.rbegin() + 1, kept.rend());
    kept.front() = {s, clusters};
    return clusters;
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

QString displayPrefix(const QString& s)
{
    constexpr qsizetype limit = 4096;
    if (s.size() <= limit)
        return s;
    // Boundaries near the cut depend only on the text around it, so the
    // finder sees the prefix and a little more, never the whole text.
    constexpr qsizetype lookAhead = 64;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s.constData(), limit + lookAhead);
    finder.setPosition(limit);
    qsizetype cut = limit;
    if (!finder.isAtBoundary()) {
        const qsizetype previous = finder.toPreviousBoundary();
        // One character longer than the whole prefix (a base with thousands
        // of marks) is cut inside, but never between the halves of a pair.
        if (previous > 0)
            cut = previous;
        else if (s.at(limit - 1).isHighSurrogate())
            cut = limit - 1;
    }
    return s.left(cut);
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
    // Inside a word once a cased letter has been seen; case-ignorable marks
    // (apostrophes, full stops, combining accents) keep the word going, any
    // other character ends it. So "(NIGHT)" gives "(Night)", "O'HARE" gives
    // "O'hare" and "JEAN-LUC" gives "Jean-Luc".
    bool inWord = false;
    for (qsizetype i = 0; i < s.size();) {
        char32_t c = s.at(i).unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(s.at(i), s.at(i + 1));
            length = 2;
        }
        const QString character = s.mid(i, length);
        if (isCased(c)) {
            out += inWord ? character.toLower() : character.toUpper();
            inWord = true;
        } else {
            out += character;
            inWord = inWord && isCaseIgnorable(c);
        }
        i += length;
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

QString isolated(const QString& s)
{
    constexpr char16_t firstStrongIsolate = 0x2068;
    constexpr char16_t popIsolate = 0x2069;
    QString out;
    out.reserve(s.size() + 2);
    out.append(QChar(firstStrongIsolate));
    qsizetype open = 0;
    for (const QChar c : s) {
        switch (c.unicode()) {
        case 0x2066: // left-to-right isolate
        case 0x2067: // right-to-left isolate
        case firstStrongIsolate:
            ++open;
            break;
        case popIsolate:
            if (open == 0)
                continue;
            --open;
            break;
        default:
            break;
        }
        out.append(c);
    }
    out.append(QString(open + 1, QChar(popIsolate)));
    return out;
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
