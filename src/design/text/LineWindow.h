#pragma once

// Keeps the whole text of a one-line field while its line edit holds only a
// window of it around the caret. A line edit shapes its entire text again at
// every keystroke, which for a text of a megabyte takes most of a second; a
// window of some thousands of characters — far more than any field can show —
// keeps typing, showing and setting the text as quick as for a short one.
// Texts up to twice the window are given to the line edit whole.
//
// The whole text is edited in a LineBuffer, never in the line edit: the keys
// a line edit takes, its clicks, double and triple clicks and drags, and its
// context menu act on the buffer, which the line edit then shows. So every
// edit, word step, selection and undo step reaches over the window's edges as
// it would in a line edit holding the whole text. A middle click's paste and
// an input method's text (which may replace text around the caret, beyond
// the window, while it composes or as it commits) act on the buffer too,
// the line edit showing only the composition; edits that still reach the
// line edit itself (a drop, a program's) are taken into the buffer as they
// land. Assistive technology reads and edits the whole text
// (TextAccessible asks the field through the calls below) and hears the
// field's edits, caret and selection in the whole text (LineTeller), never
// what the line edit tells of its window. The window follows the caret,
// moving before the caret comes near one of its edges; a selection reaching
// beyond the window is shown as far as the window goes (all a line can show
// of it), while copying, cutting and replacing it take all of it. The line
// edit is laid out in the direction of the whole text, not of the window's
// first letters.
// For line edits that show their text (a password field keeps its keys and
// its text to itself).

#include "design/text/LineBuffer.h"
#include "design/text/LineTeller.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

class QContextMenuEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QMouseEvent;

namespace studio {

class LineWindow : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype defaultWindowLength = 16384;
    ~LineWindow() override;

    // `windowLength`: the characters the line edit holds at most. The caret
    // keeps a quarter of it from either edge.
    explicit LineWindow(QLineEdit* edit, qsizetype windowLength = defaultWindowLength);

    const QString& text() const { return m_buffer.text(); }
    // A refresh: the new text, silently, with no undo history. In a field the
    // user is in, the caret and the selection stay with the text around them
    // (what changed between them and the rest does not carry them along). A
    // field without the keyboard shows the start of its text; where the user
    // has been in it, the caret carried through the change comes back with
    // the keyboard (unless a click or Tab places it anew).
    void setText(const QString& text);

    // The caret and the selection, in the whole text (-1 without one).
    qsizetype cursorPosition() const { return m_buffer.cursor(); }
    qsizetype selectionStart() const { return m_buffer.selectionStart(); }
    qsizetype selectionEnd() const { return m_buffer.selectionEnd(); }
    // Where the window begins in the whole text.
    qsizetype windowStart() const { return m_start; }

    // What a program (assistive technology) does to the field, as it does it
    // to a line edit holding the whole text: the caret and the selection set
    // (QLineEdit::setCursorPosition, setSelection), text put in over the
    // selection and the selection taken out (insert, del), each an edit of
    // the user's. Positions outside the text change nothing.
    void setCursorPosition(qsizetype position);
    void setSelection(qsizetype start, qsizetype length);
    void insert(const QString& text);
    void del();

    // Where `position` of the whole text is in the line edit (-1 outside the
    // window), and the position of the whole text shown at a point of the
    // line edit.
    qsizetype shownPosition(qsizetype position) const;
    qsizetype positionAt(const QPoint& point) const;

    // The window of a line edit, if it has one.
    static LineWindow* of(const QObject* edit);

Q_SIGNALS:
    // Each edit of the user's, with the whole text.
    void textEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(QKeyEvent* event);
    bool mousePress(QMouseEvent* event);
    bool mouseMove(QMouseEvent* event);
    bool doubleClick(QMouseEvent* event);
    void contextMenu(QContextMenuEvent* event);
    void takeOver(QMenu* menu);
    void copy(QClipboard::Mode mode = QClipboard::Clipboard) const;

    // After the buffer changed: the line edit shows it, and an edit of the
    // user's is reported. Where the pointer put the caret, the window stays
    // as long as it holds the caret: the text does not move under the mouse.
    void showBufferChange(bool edited, bool pointer = false);
    // The window moved where the buffer needs it, and the line edit given
    // what changed in it, its caret and its selection.
    void showInLineEdit(const std::optional<LineBuffer::Change>& change, bool pointer = false);
    void showSelection();
    void keepDirection();
    void scheduleFit();
    // What the line edit did by itself, taken into the buffer (`edited`: it
    // says it edited its text, which need not have changed).
    void takeLineEditText(bool edited);
    // The caret, the selection or the text the line edit moved or changed by
    // itself, taken into the buffer.
    void followLineEdit();
    // An input method's text taken into the buffer as a line edit takes it,
    // in the whole text; the line edit shows its composition. False where the
    // line edit turns it away.
    bool inputMethod(const QInputMethodEvent* event);
    // The field's composition ends wherever the line edit's does: whatever
    // moves the caret or the selection but the input method, a new text,
    // the focus going to another control. `commit`: the input method is
    // asked to commit it first (else to drop it) — never while the field
    // handles one of the input method's own events.
    void endComposition(bool commit);
    // The line edit shows no composition any more, and nothing is asked of
    // the input method: as the input method's own event would end it.
    void clearShownComposition();
    // Whether a point is on the composition the line edit shows.
    bool onComposition(const QPoint& point) const;
    // The text a change took out, for telling assistive technology (where
    // the window no longer holds it, as many characters).
    QString removedText(const LineBuffer::Change& change) const;
    QLineEdit* m_edit;
    LineBuffer m_buffer;
    qsizetype m_length;
    QString m_shown; // what the line edit holds: the text from m_start
    qsizetype m_start = 0;
    Qt::LayoutDirection m_direction = Qt::LayoutDirectionAuto; // the one given to the line edit
    bool m_showing = false;
    bool m_fitPending = false;
    bool m_composing = false;
    bool m_inInputMethod = false; // handling an input method's event
    bool m_entered = false; // the keyboard has been here
    // Where the caret and the selection's anchor go back to when the
    // keyboard does, while the field shows the start of its text without it.
    std::optional<std::pair<qsizetype, qsizetype>> m_caretAway;
    QString m_preedit; // the input method's composition the line edit shows
    bool m_unreported = false; // an edit the line edit made is not reported yet
    QPoint m_pressAt;
    QPoint m_doubleClickAt;
    quint64 m_doubleClickTime = 0;
    QElapsedTimer m_sinceDoubleClick;
    LineTeller m_teller;
};

} // namespace studio
