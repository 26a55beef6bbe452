#include "design/access/TextBoundaries.h"

#include "design/text/LineBoundaries.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace studio {

namespace {

using Type = QAccessible::TextBoundaryType;

// The longest piece read at once: a word, sentence or paragraph longer than
// this (a run of letters with no space, a page with no full stop or line
// break) is read in stretches of this length.
qsizetype stretchOf(Type type)
{
    switch (type) {
    case QAccessible::WordBoundary:
        return 1024;
    case QAccessible::SentenceBoundary:
        return 4096;
    default:
        return 16384;
    }
}

// How far the Unicode rules look beyond a stretch to decide its inner
// boundaries.
constexpr qsizetype context = 64;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// A fixed place a long piece is cut at, never between the halves of a pair.
qsizetype cutAt(QStringView text, qsizetype at)
{
    return LineBoundaries::pairStart(text, std::clamp<qsizetype>(at, 0, text.size()));
}

// The stretch between two fixed places that holds `offset` (< size).
TextRange stretchAround(QStringView text, qsizetype offset, qsizetype length)
{
    // A cut only ever moves back, so the stretch begins at or before
    // `offset`; its end, moved back before a pair, can fall on `offset`,
    // which then begins the next stretch.
    const qsizetype n = offset / length;
    const qsizetype start = cutAt(text, n * length);
    const qsizetype end = cutAt(text, (n + 1) * length);
    if (offset >= end)
        return {end, cutAt(text, (n + 2) * length)};
    return {start, end};
}

TextRange characterAt(QStringView text, qsizetype offset)
{
    const qsizetype start = offset == 0 ? 0 : LineBoundaries::previousCharacter(text, offset + 1);
    qsizetype end = LineBoundaries::nextCharacter(text, start);
    if (start > offset || end <= offset)
        return {offset, offset + 1};
    return {start, end};
}

TextRange unicodeAt(QStringView text, qsizetype offset, QTextBoundaryFinder::BoundaryType kind, qsizetype length)
{
    const TextRange stretch = stretchAround(text, offset, length);
    const qsizetype from = std::max<qsizetype>(0, stretch.start - context);
    const qsizetype to = std::min(text.size(), stretch.end + context);
    QTextBoundaryFinder finder(kind, text.mid(from, to - from));
    finder.setPosition(offset - from);
    const qsizetype previous = finder.isAtBoundary() ? offset - from : finder.toPreviousBoundary();
    finder.setPosition(offset - from);
    const qsizetype next = finder.toNextBoundary();
    const qsizetype start = previous < 0 ? stretch.start : std::max(stretch.start, from + previous);
    const qsizetype end = next < 0 ? stretch.end : std::min(stretch.end, from + next);
    return end > offset ? TextRange{start, end} : TextRange{start, stretch.end};
}

TextRange paragraphAt(QStringView text, qsizetype offset)
{
    const TextRange stretch = stretchAround(text, offset, stretchOf(QAccessible::ParagraphBoundary));
    qsizetype start = offset;
    while (start > stretch.start && !isLineBreak(text[start - 1]))
        --start;
    qsizetype end = offset;
    while (end < stretch.end && !isLineBreak(text[end]))
        ++end;
    if (end < stretch.end)
        ++end; // with its break
    return {start, end};
}

// The piece holding `offset`, for 0 <= offset < size.
TextRange inside(QStringView text, qsizetype offset, Type type, const TextBoundaries::ShownLine& lines)
{
    switch (type) {
    case QAccessible::CharBoundary:
        return characterAt(text, offset);
    case QAccessible::WordBoundary:
        return unicodeAt(text, offset, QTextBoundaryFinder::Word, stretchOf(type));
    case QAccessible::SentenceBoundary:
        return unicodeAt(text, offset, QTextBoundaryFinder::Sentence, stretchOf(type));
    case QAccessible::LineBoundary:
        if (lines) {
            const TextRange shown = lines(offset);
            if (shown.isValid() && shown.start <= offset && offset < shown.end && shown.end <= text.size())
                return shown;
        }
        return paragraphAt(text, offset);
    case QAccessible::ParagraphBoundary:
        return paragraphAt(text, offset);
    case QAccessible::NoBoundary:
        return {0, text.size()};
    }
    return {};
}

bool isLineLike(Type type)
{
    return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary;
}

} // namespace

TextRange TextBoundaries::at(QStringView text, qsizetype offset, Type type, const ShownLine& lines)
{
    const qsizetype size = text.size();
    if (size == 0 || offset < 0 || offset > size)
        return {};
    if (offset < size)
        return inside(text, offset, type, lines);
    // At the end: no character there, an empty line after a final break, or
    // else the last piece.
    if (type == QAccessible::CharBoundary)
        return {};
    if (isLineLike(type) && isLineBreak(text[size - 1]))
        return {size, size};
    return inside(text, size - 1, type, lines);
}

TextRange TextBoundaries::before(QStringView text, qsizetype offset, Type type, const ShownLine& lines)
{
    const qsizetype size = text.size();
    if (size == 0 || offset < 0 || offset > size || type == QAccessible::NoBoundary)
        return {};
    const TextRange here = at(text, offset, type, lines);
    const qsizetype start = here.isValid() ? here.start : offset;
    return start > 0 ? inside(text, start - 1, type, lines) : TextRange{};
}

TextRange TextBoundaries::after(QStringView text, qsizetype offset, Type type, const ShownLine& lines)
{
    const qsizetype size = text.size();
    if (size == 0 || offset < 0 || offset > size || type == QAccessible::NoBoundary)
        return {};
    const TextRange here = at(text, offset, type, lines);
    if (!here.isValid())
        return {};
    if (here.end < size)
        return inside(text, here.end, type, lines);
    // After the last line comes the empty one a final break opens.
    if (isLineLike(type) && here.start < size && isLineBreak(text[size - 1]))
        return {size, size};
    return {};
}

} // namespace studio
