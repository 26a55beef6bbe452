#include "design/text/LineKeys.h"

#include "design/text/LineBuffer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace studio {

namespace {

// Whether Left and Right with text selected go to the selection's edge (as
// most keyboard schemes have it) rather than a character on from the caret.
// The platform's scheme decides, and a line edit knows it.
bool arrowsCollapseSelection()
{
    static const bool collapses = [] {
        QLineEdit probe(QStringLiteral("ab"));
        probe.selectAll();
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QCoreApplication::sendEvent(&probe, &left);
        return probe.cursorPosition() == 0;
    }();
    return collapses;
}

// Whether a key's text is typed into a line edit, as it decides it.
bool isTyped(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    // Joiners and direction marks, which some keyboards type with Control.
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse)
        return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

} // namespace

LineKeys::Outcome LineKeys::apply(LineBuffer& b, const QKeyEvent* event, bool readOnly)
{
    using Key = QKeySequence;
    const bool ltr = b.layoutDirection() == Qt::LeftToRight;
    // In a line edit's order: the first binding a key matches decides.
    if (event->matches(Key::Undo)) {
        if (!readOnly)
            b.undo();
    } else if (event->matches(Key::Redo)) {
        if (!readOnly)
            b.redo();
    } else if (event->matches(Key::SelectAll)) {
        b.selectAll();
    } else if (event->matches(Key::Copy)) {
        copy(b);
    } else if (event->matches(Key::Paste)) {
        if (!readOnly) {
            const bool fromSelection =
                event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_Insert;
            b.paste(QGuiApplication::clipboard()->text(fromSelection ? QClipboard::Selection : QClipboard::Clipboard));
        }
    } else if (event->matches(Key::Cut)) {
        if (!readOnly && b.hasSelectedText()) {
            copy(b);
            b.del();
        }
    } else if (event->matches(Key::DeleteEndOfLine)) {
        if (!readOnly) {
            b.setSelection(b.cursor(), b.size());
            copy(b);
            b.del();
        }
    } else if (event->matches(Key::MoveToStartOfLine) || event->matches(Key::MoveToStartOfBlock)) {
        b.home(false);
    } else if (event->matches(Key::MoveToEndOfLine) || event->matches(Key::MoveToEndOfBlock)) {
        b.end(false);
    } else if (event->matches(Key::SelectStartOfLine) || event->matches(Key::SelectStartOfBlock)) {
        b.home(true);
    } else if (event->matches(Key::SelectEndOfLine) || event->matches(Key::SelectEndOfBlock)) {
        b.end(true);
    } else if (event->matches(Key::MoveToNextChar)) {
        if (b.hasSelectedText() && arrowsCollapseSelection())
            b.moveCursor(b.selectionEnd(), false);
        else
            b.cursorForward(false, ltr ? 1 : -1);
    } else if (event->matches(Key::SelectNextChar)) {
        b.cursorForward(true, ltr ? 1 : -1);
    } else if (event->matches(Key::MoveToPreviousChar)) {
        if (b.hasSelectedText() && arrowsCollapseSelection())
            b.moveCursor(b.selectionStart(), false);
        else
            b.cursorForward(false, ltr ? -1 : 1);
    } else if (event->matches(Key::SelectPreviousChar)) {
        b.cursorForward(true, ltr ? -1 : 1);
    } else if (event->matches(Key::MoveToNextWord)) {
        ltr ? b.cursorWordForward(false) : b.cursorWordBackward(false);
    } else if (event->matches(Key::MoveToPreviousWord)) {
        ltr ? b.cursorWordBackward(false) : b.cursorWordForward(false);
    } else if (event->matches(Key::SelectNextWord)) {
        ltr ? b.cursorWordForward(true) : b.cursorWordBackward(true);
    } else if (event->matches(Key::SelectPreviousWord)) {
        ltr ? b.cursorWordBackward(true) : b.cursorWordForward(true);
    } else if (event->matches(Key::Delete)) {
        if (!readOnly)
            b.del();
    } else if (event->matches(Key::DeleteEndOfWord)) {
        if (!readOnly) {
            b.cursorWordForward(true);
            b.del();
        }
    } else if (event->matches(Key::DeleteStartOfWord)) {
        if (!readOnly) {
            b.cursorWordBackward(true);
            if (b.hasSelectedText())
                b.del();
        }
    } else if (event->matches(Key::DeleteCompleteLine)) {
        if (!readOnly) {
            b.setSelection(0, b.size());
            copy(b);
            b.del();
        }
    } else {
        bool unknown = false;
        const int key = event->key();
        if (event->modifiers() & Qt::ControlModifier) {
            if (key == Qt::Key_Backspace) {
                if (!readOnly) {
                    b.cursorWordBackward(true);
                    b.del();
                }
            } else if (key != Qt::Key_Up && key != Qt::Key_Down) {
                // (Control with Up and Down asks a completer, which these
                // fields have none of.)
                unknown = true;
            }
        } else if (key == Qt::Key_Backspace) {
            if (!readOnly)
                b.backspace();
        } else {
            unknown = true;
        }
        if (key == Qt::Key_Direction_L || key == Qt::Key_Direction_R) {
            b.setLayoutDirection(key == Qt::Key_Direction_L ? Qt::LeftToRight : Qt::RightToLeft);
            unknown = false;
        }
        if (unknown) {
            // Return, Tab, Escape and the like are the line edit's own (or
            // its parents').
            if (readOnly || !isTyped(event))
                return Outcome::Passed;
            b.insert(event->text());
            return Outcome::Typed;
        }
    }
    return Outcome::Taken;
}

bool LineKeys::takes(const QKeyEvent* event, bool readOnly)
{
    // Asked of an empty text of its own: nothing is copied from it, and
    // what the key does to it is thrown away.
    LineBuffer none;
    return apply(none, event, readOnly) != Outcome::Passed;
}

void LineKeys::copy(const LineBuffer& buffer, QClipboard::Mode mode)
{
    const QString selected = buffer.selectedText();
    if (!selected.isEmpty())
        QGuiApplication::clipboard()->setText(selected, mode);
}

} // namespace studio
