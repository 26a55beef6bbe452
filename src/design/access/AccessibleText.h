#pragma once

// The text interface every text the program shows to assistive technology
// answers through: a line edit, a text edit, a one-line field holding a long
// text, a painted element of the script. Each says what its text is, where
// its caret and selection are and where a character is shown; the questions
// a reader asks are answered here, the same way for all of them:
//
// - every offset is checked: a question about an offset or a range outside
//   the text gets nothing (an empty text, offsets of -1, an empty rectangle)
//   and changes nothing;
// - pieces of text by boundary come from TextBoundaries, so they end at once
//   and cost what is near the offset;
// - no caret, selection edge, edit or piece of text told to a reader falls
//   between the two halves of a pair: a place inside one moves to its start
//   (a caret or an insertion inside any character, a cluster too, moves to
//   its start, as the arrow keys leave a caret), a range that cuts one widens
//   to the whole character (a reader is never told half of one), and text put
//   in keeps no half of one (a text must never hold half a character);
// - a text kept from readers (a password) reads as it is shown, a mask
//   character for each of its own, and gives nothing of what it holds.

#include "design/access/TextBoundaries.h"

#include <QAccessible>
#include <QRect>
#include <QString>

namespace studio {

class AccessibleText : public QAccessibleTextInterface {
public:
    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

protected:
    // The whole text (shared, not copied).
    virtual QString wholeText() const = 0;
    // The character shown for each of the text's own where readers get
    // nothing of it but its length (a password); none otherwise.
    virtual QChar mask() const { return QChar(); }
    // The caret, and the selection (invalid or empty without one).
    virtual qsizetype caret() const { return 0; }
    virtual TextRange selected() const { return {}; }
    // Selects from `anchor` to `position` (both in the text), or puts the
    // caret at `position` when they are the same. Nothing for a text that
    // cannot be selected.
    virtual void select(qsizetype, qsizetype) {}
    // Where the character at `offset` (in the text) is on the screen; an
    // empty rectangle where it is not shown.
    virtual QRect characterBox(qsizetype) const { return {}; }
    // The offset shown under a point of the screen, or -1.
    virtual qsizetype offsetAtScreenPoint(const QPoint&) const { return -1; }
    // Brings text[start, end) into view.
    virtual void reveal(qsizetype, qsizetype) {}
    // The shown line holding `offset`, where the text is laid out in lines.
    virtual TextRange shownLine(qsizetype) const { return {}; }
    virtual bool hasShownLines() const { return false; }

    // A text input's description: its own, else the hint it shows while
    // empty; none where that only says its name again.
    static QString inputDescription(const QString& own, const QString& hint, const QString& name);

    // Whether `offset` is a place in a text of `size` (its end included).
    static bool isPlace(qsizetype offset, qsizetype size) { return offset >= 0 && offset <= size; }
    // Whether [start, end) is a stretch of a text of `size`.
    static bool isRange(qsizetype start, qsizetype end, qsizetype size)
    {
        return 0 <= start && start <= end && end <= size;
    }

    // text[start, end) on whole characters, as a reader reads and edits it:
    // an empty range inside a character (a pair, a cluster) moved to its
    // start, any other widened over the pairs it cuts.
    static TextRange wholeRange(QStringView text, qsizetype start, qsizetype end);
    // The text as a reader reads it (masked where it is kept from readers).
    QString readable() const;

private:
    QString piece(const QString& text, const TextRange& range, int* startOffset, int* endOffset) const;
    TextBoundaries::ShownLine lines() const;
};

} // namespace studio
