#include "design/access/AccessibleText.h"

#include "design/text/LineBoundaries.h"

#include <cstdlib>

namespace studio {

void AccessibleText::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const TextRange range = selected();
    if (selectionIndex != 0 || !range.isValid() || range.end == range.start) {
        *startOffset = *endOffset = -1;
        return;
    }
    *startOffset = int(range.start);
    *endOffset = int(range.end);
}

int AccessibleText::selectionCount() const
{
    const TextRange range = selected();
    return range.isValid() && range.end > range.start ? 1 : 0;
}

void AccessibleText::addSelection(int startOffset, int endOffset)
{
    // One selection at most, as in every text input.
    setSelection(0, startOffset, endOffset);
}

void AccessibleText::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0 && selectionCount() == 1) {
        const qsizetype at = caret();
        select(at, at);
    }
}

void AccessibleText::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    const QString whole = wholeText();
    const qsizetype size = whole.size();
    if (selectionIndex != 0 || !isPlace(startOffset, size) || !isPlace(endOffset, size))
        return;
    // From the anchor to the caret, as the reader gave them.
    const TextRange range = wholeRange(whole, std::min(startOffset, endOffset), std::max(startOffset, endOffset));
    if (startOffset <= endOffset)
        select(range.start, range.end);
    else
        select(range.end, range.start);
}

int AccessibleText::cursorPosition() const
{
    return int(caret());
}

void AccessibleText::setCursorPosition(int position)
{
    const QString whole = wholeText();
    if (!isPlace(position, whole.size()))
        return;
    const TextRange at = wholeRange(whole, position, position);
    select(at.start, at.end);
}

TextRange AccessibleText::wholeRange(QStringView text, qsizetype start, qsizetype end)
{
    if (start == end) {
        // A place inside a character (a cluster: a letter and its marks, a
        // family joined from several people) is before it, as the arrow keys
        // leave a caret, so what is typed there never splits it.
        const qsizetype at = LineBoundaries::characterStart(text, start);
        return {at, at};
    }
    return {LineBoundaries::pairStart(text, start), LineBoundaries::pairEnd(text, end)};
}

QString AccessibleText::readable() const
{
    const QChar shownAs = mask();
    return shownAs.isNull() ? wholeText() : QString(wholeText().size(), shownAs);
}

QString AccessibleText::text(int startOffset, int endOffset) const
{
    const QString whole = readable();
    if (!isPlace(startOffset, whole.size()) || endOffset < startOffset)
        return QString();
    const TextRange range = wholeRange(whole, startOffset, std::min<qsizetype>(endOffset, whole.size()));
    return whole.mid(range.start, range.end - range.start);
}

QString AccessibleText::piece(const QString& text, const TextRange& range, int* startOffset, int* endOffset) const
{
    if (!range.isValid()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = int(range.start);
    *endOffset = int(range.end);
    return text.mid(range.start, range.end - range.start);
}

TextBoundaries::ShownLine AccessibleText::lines() const
{
    if (!hasShownLines())
        return {};
    return [this](qsizetype offset) { return shownLine(offset); };
}

QString AccessibleText::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const
{
    const QString whole = readable();
    return piece(whole, TextBoundaries::before(whole, offset, boundaryType, lines()), startOffset, endOffset);
}

QString AccessibleText::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const
{
    const QString whole = readable();
    return piece(whole, TextBoundaries::after(whole, offset, boundaryType, lines()), startOffset, endOffset);
}

QString AccessibleText::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                     int* endOffset) const
{
    const QString whole = readable();
    return piece(whole, TextBoundaries::at(whole, offset, boundaryType, lines()), startOffset, endOffset);
}

int AccessibleText::characterCount() const
{
    return int(wholeText().size());
}

QRect AccessibleText::characterRect(int offset) const
{
    if (offset < 0 || offset >= wholeText().size())
        return QRect();
    return characterBox(offset);
}

int AccessibleText::offsetAtPoint(const QPoint& point) const
{
    // No screen reaches that far (and mapping such a point would overflow).
    constexpr int farthest = 1 << 24;
    if (std::abs(qint64(point.x())) > farthest || std::abs(qint64(point.y())) > farthest)
        return -1;
    const qsizetype found = offsetAtScreenPoint(point);
    return isPlace(found, wholeText().size()) ? int(found) : -1;
}

void AccessibleText::scrollToSubstring(int startIndex, int endIndex)
{
    if (isRange(startIndex, endIndex, wholeText().size()))
        reveal(startIndex, endIndex);
}

QString AccessibleText::inputDescription(const QString& own, const QString& hint, const QString& name)
{
    const QString description = own.isEmpty() ? hint : own;
    return description == name ? QString() : description;
}

QString AccessibleText::attributes(int offset, int* startOffset, int* endOffset) const
{
    // Plain text: one run without attributes, the whole text.
    const qsizetype size = wholeText().size();
    if (!isPlace(offset, size)) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = int(size);
    return QString();
}

} // namespace studio
