#pragma once

// The two the one-line field's comparison drives (LineFieldTest): the field, a
// line edit showing a small window of a long text, and a plain line edit
// holding the whole text, taking the same steps; and the steps: what the user,
// an input method, a program or assistive technology does to a field.

#include "design/text/LineBoundaries.h"
#include "design/text/LineWindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyleHints>
#include <QtTest>

#include <climits>
#include <memory>

namespace studio::test {

using namespace Qt::StringLiterals;


// One thing the user does: a key (with its modifiers), typed text, a click
// (plain, with Shift, double or triple) or a drag at a point of the field, an
// entry of the context menu, the focus taken away and given back by Tab; text
// that reaches the line edit itself, from an input method (which may replace
// text around the caret, or compose, or cancel a composition, or only select)
// or from a program (which may also set the line edit's selection); or what
// assistive technology does through the text interfaces.
struct Step {
    enum Kind {
        Key, Type, Click, ShiftClick, MiddleClick, DoubleClick, TripleClick, Drag, Menu, Refocus,
        Commit, Compose, Preedit, InputSelection, Insert, Place, Access
    } kind = Key;
    // What assistive technology does.
    enum Reader { InsertText, DeleteText, ReplaceText, SetText, Select, MoveCaret };
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text; // typed, or the menu entry
    int x = 0;    // of a click, in the field
    QPoint by;    // of a drag
    // An input method's replacement, around the caret; its composition,
    // shown before it commits `text` (the replacement coming with the
    // composition, or `late`, with the commit), or left open (Preedit: an
    // empty one cancels). A selection it or a program sets: `to` long from
    // `from`.
    int replacementStart = 0;
    int replacementLength = 0;
    QString preedit;
    bool late = false;
    // Assistive technology's edit, from and to offsets of the whole text.
    Reader reader = InsertText;
    int from = 0;
    int to = 0;

    QString describe() const
    {
        switch (kind) {
        case Key: return QKeySequence(modifiers | key).toString();
        case Type: return u"type \"%1\""_s.arg(text);
        case Click: return u"click at %1"_s.arg(x);
        case ShiftClick: return u"shift-click at %1"_s.arg(x);
        case MiddleClick: return u"middle click at %1"_s.arg(x);
        case DoubleClick: return u"double click at %1"_s.arg(x);
        case TripleClick: return u"triple click at %1"_s.arg(x);
        case Drag: return u"drag from %1 by %2, %3"_s.arg(x).arg(by.x()).arg(by.y());
        case Menu: return u"menu %1"_s.arg(text);
        case Refocus: return u"Tab away and back"_s;
        case Preedit:
            return preedit.isEmpty() ? u"input method cancels"_s : u"input method composing \"%1\""_s.arg(preedit);
        case InputSelection: return u"input method selects %1 from %2"_s.arg(to).arg(from);
        case Commit:
            return u"input method \"%1\" over %2 from %3"_s.arg(text).arg(replacementLength).arg(replacementStart);
        case Compose:
            return u"input method composing \"%1\" then \"%2\", over %3 from %4%5"_s.arg(preedit, text)
                .arg(replacementLength)
                .arg(replacementStart)
                .arg(late ? u" as it commits"_s : QString());
        case Insert: return u"insert \"%1\""_s.arg(text);
        case Place: return u"a program selects %1 from %2"_s.arg(to).arg(from);
        case Access: {
            static const QStringList names{u"insertText"_s, u"deleteText"_s, u"replaceText"_s,
                                           u"setText"_s,    u"setSelection"_s, u"setCursorPosition"_s};
            return u"reader's %1(%2, %3, \"%4\")"_s.arg(names.at(reader)).arg(from).arg(to).arg(text);
        }
        }
        return {};
    }
};

// Where a line edit draws its caret.
inline QPoint caretPoint(QLineEdit& edit)
{
    return edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
}

inline Step key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return Step{.key = key, .modifiers = modifiers};
}

// Typed text, or an entry of the context menu.
inline Step text(Step::Kind kind, const QString& text)
{
    return Step{.kind = kind, .text = text};
}

// A click of some kind, or a drag, at a point of the field.
inline Step pointer(Step::Kind kind, int x, QPoint by = {})
{
    return Step{.kind = kind, .x = x, .by = by};
}

// The entries of a line edit's context menu, by the names it gives them.
inline const QStringList& menuEntries()
{
    static const QStringList entries{QLineEdit::tr("&Undo"), QLineEdit::tr("&Redo"), QLineEdit::tr("Cu&t"),
                                     QLineEdit::tr("&Copy"), QLineEdit::tr("&Paste"), QLineEdit::tr("Delete"),
                                     QLineEdit::tr("Select All")};
    return entries;
}

inline QAction* entry(QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) == name)
            return action;
    }
    return nullptr;
}

// The field (a line edit showing a window of the text) and a plain line edit
// holding all of it, taking the same steps.
class Twins {
public:
    Twins(const QString& text, qsizetype windowLength)
        : window(new LineWindow(&field, windowLength))
    {
        field.setMaxLength(INT_MAX);
        plain.setMaxLength(INT_MAX);
        // The plain line edit is never shown and never takes the focus, so
        // nothing happens to it but the steps.
        plain.setFocusPolicy(Qt::NoFocus);
        plain.resize(8000, 30);
        field.resize(400, 30);
        field.show();
        field.activateWindow();
        if (!QTest::qWaitForWindowActive(&field))
            qWarning("The field's window is not active");
        field.setFocus();
        // (A field the user is in puts the caret after a text it is given.)
        window->setText(text);
        window->setCursorPosition(0);
        plain.setText(text);
        plain.setCursorPosition(0);
    }

    // Takes the step in both (and lets the events it left behind run); an
    // empty string, or what went wrong.
    QString take(const Step& step)
    {
        const QString before = window->text();
        undoing = (step.kind == Step::Key && (step.key == Qt::Key_Z || step.key == Qt::Key_Y)
                   && (step.modifiers & Qt::ControlModifier))
                  || (step.kind == Step::Menu && (step.text == QLineEdit::tr("&Undo") || step.text == QLineEdit::tr("&Redo")));
        edits.clear();
        const QString wrong = takeNow(step);
        QCoreApplication::processEvents();
        // An edit is reported, with the whole text.
        if (wrong.isEmpty() && window->text() != before
            && (edits.isEmpty() || edits.last().at(0).toString() != window->text()))
            return u"the edit is not reported"_s;
        return wrong;
    }

    // Whether the two agree, and the field shows what it holds.
    QString difference()
    {
        // A plain line edit can come out of a redo with a selection reaching
        // before its text, or the caret past its end, where the next key
        // reads or writes past the text; the field never keeps them: no
        // selection, the caret at the end, as the field has it.
        if (plain.selectionStart() < 0)
            plain.deselect();
        if (plain.cursorPosition() > plain.text().size())
            plain.setSelection(int(plain.text().size()), 0);
        // A plain line edit can come out of an undo or a redo with the caret
        // or a selection's edge between the halves of a pair, where the next
        // key leaves half a character; the field keeps them on whole
        // characters: the caret before the pair, the selection round it.
        if (undoing)
            keepOnCharacters(plain);
        const QString& text = window->text();
        QStringList wrong;
        if (text != plain.text())
            wrong << u"text \"%1\", a plain line edit has \"%2\""_s.arg(text, plain.text());
        if (window->cursorPosition() != plain.cursorPosition())
            wrong << u"caret at %1, a plain line edit's at %2"_s.arg(window->cursorPosition())
                         .arg(plain.cursorPosition());
        if (window->selectionStart() != plain.selectionStart() || window->selectionEnd() != plain.selectionEnd())
            wrong << u"selection %1..%2, a plain line edit's %3..%4"_s.arg(window->selectionStart())
                         .arg(window->selectionEnd())
                         .arg(plain.selectionStart())
                         .arg(plain.selectionEnd());
        const qsizetype start = window->windowStart();
        if (field.text() != QStringView(text).mid(start, field.text().size())
            || field.text().isEmpty() != text.isEmpty())
            wrong << u"the field shows \"%1\" from %2"_s.arg(field.text()).arg(start);
        if (start + field.cursorPosition() != window->cursorPosition())
            wrong << u"the field shows the caret at %1"_s.arg(start + field.cursorPosition());
        return wrong.join(u"; "_s);
    }

    QLineEdit field;
    LineWindow* window;
    QLineEdit plain;
    QSignalSpy edits{window, &LineWindow::textEdited};
    bool undoing = false;

private:
    static void keepOnCharacters(QLineEdit& edit)
    {
        const QString t = edit.text();
        const auto splits = [&t](int at) {
            return at > 0 && at < t.size() && t.at(at - 1).isHighSurrogate() && t.at(at).isLowSurrogate();
        };
        if (edit.hasSelectedText()) {
            int start = edit.selectionStart();
            int end = edit.selectionEnd();
            const bool caretAtStart = edit.cursorPosition() == start;
            if (!splits(start) && !splits(end))
                return;
            start -= splits(start) ? 1 : 0;
            end += splits(end) ? 1 : 0;
            if (caretAtStart)
                edit.setSelection(end, start - end);
            else
                edit.setSelection(start, end - start);
        } else if (splits(edit.cursorPosition())) {
            edit.setCursorPosition(edit.cursorPosition() - 1);
        }
    }

    // Through each one's text interfaces, as a reader does it.
    void access(QLineEdit& edit, const Step& step)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&edit);
        QAccessibleTextInterface* text = iface->textInterface();
        QAccessibleEditableTextInterface* edits = iface->editableTextInterface();
        switch (step.reader) {
        case Step::InsertText: edits->insertText(step.from, step.text); break;
        case Step::DeleteText: edits->deleteText(step.from, step.to); break;
        case Step::ReplaceText: edits->replaceText(step.from, step.to, step.text); break;
        case Step::SetText: iface->setText(QAccessible::Value, step.text); break;
        case Step::Select: text->setSelection(0, step.from, step.to); break;
        case Step::MoveCaret: text->setCursorPosition(step.from); break;
        }
    }

    QString takeNow(const Step& step)
    {
        switch (step.kind) {
        case Step::Key:
            QTest::keyClick(&field, step.key, step.modifiers);
            pastingOnOneLine([&] { QTest::keyClick(&plain, step.key, step.modifiers); });
            break;
        case Step::Type:
            QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, step.text, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Click, &plain, Qt::Key_unknown, step.text, Qt::NoModifier);
            break;
        case Step::Menu:
            return pickFromMenu(step.text);
        case Step::Commit:
            for (QLineEdit* edit : {&field, &plain}) {
                QInputMethodEvent input;
                input.setCommitString(step.text, step.replacementStart, step.replacementLength);
                QCoreApplication::sendEvent(edit, &input);
            }
            break;
        case Step::Compose:
            for (QLineEdit* edit : {&field, &plain}) {
                QInputMethodEvent composing(step.preedit, {});
                if (!step.late)
                    composing.setCommitString(QString(), step.replacementStart, step.replacementLength);
                QCoreApplication::sendEvent(edit, &composing);
                QInputMethodEvent done;
                if (step.late)
                    done.setCommitString(step.text, step.replacementStart, step.replacementLength);
                else
                    done.setCommitString(step.text);
                QCoreApplication::sendEvent(edit, &done);
            }
            break;
        case Step::Preedit:
            for (QLineEdit* edit : {&field, &plain}) {
                QInputMethodEvent composing(step.preedit, {});
                QCoreApplication::sendEvent(edit, &composing);
            }
            break;
        case Step::InputSelection: {
            // From the start of what the field's line edit holds, as the
            // input method knows it; in the whole text for the plain one.
            const qsizetype starts[] = {step.from, window->windowStart() + step.from};
            QLineEdit* edits[] = {&field, &plain};
            for (int i = 0; i < 2; ++i) {
                const QInputMethodEvent::Attribute selection{QInputMethodEvent::Selection, int(starts[i]), step.to,
                                                             QVariant()};
                QInputMethodEvent select(QString(), {selection});
                QCoreApplication::sendEvent(edits[i], &select);
            }
            break;
        }
        case Step::Refocus:
            // The plain line edit never has the focus: it loses its selection
            // and selects all, as a line edit tabbed away from and back to.
            field.clearFocus();
            field.setFocus(Qt::TabFocusReason);
            plain.deselect();
            plain.selectAll();
            break;
        case Step::Access:
            access(field, step);
            access(plain, step);
            break;
        case Step::Insert:
            field.insert(step.text);
            plain.insert(step.text);
            break;
        case Step::Place:
            // Where the field's line edit shows that stretch of the whole text.
            field.setSelection(int(step.from - window->windowStart()), step.to);
            plain.setSelection(step.from, step.to);
            break;
        default:
            return click(step);
        }
        return {};
    }

    // The offset in the whole text of a point of the field. (A line edit can
    // find a point past its text's end, behind a joined cluster; the field
    // takes the end.)
    qsizetype wholeAt(const QPoint& at)
    {
        return window->windowStart() + std::min<qsizetype>(field.cursorPositionAt(at), field.text().size());
    }

    QString click(const Step& step)
    {
        const QPoint at(step.x, field.height() / 2);
        const qsizetype position = wholeAt(at);
        // The plain line edit is given what its own mouse handlers do with
        // that position: a press puts the caret there, a press with Shift
        // selects from the selection's other end (the caret without one) to
        // there, a double click (sent where it shows the position) selects the
        // word there and a third press selects all.
        if (step.kind == Step::ShiftClick) {
            const int caret = plain.cursorPosition();
            int anchor = caret;
            if (plain.hasSelectedText() && caret == plain.selectionStart())
                anchor = plain.selectionEnd();
            else if (plain.hasSelectedText() && caret == plain.selectionEnd())
                anchor = plain.selectionStart();
            if (position != caret) {
                plain.setCursorPosition(int(position));
                plain.setSelection(anchor, int(position) - anchor);
            }
            QTest::mouseClick(&field, Qt::LeftButton, Qt::ShiftModifier, at);
            return {};
        }
        plain.setCursorPosition(int(position));
        if (step.kind == Step::MiddleClick)
            return middleClick(at);
        if (step.kind == Step::Drag)
            return drag(at, step.by);
        bool twice = step.kind == Step::DoubleClick || step.kind == Step::TripleClick;
        if (twice) {
            const QPoint there = caretPoint(plain);
            twice = plain.cursorPositionAt(there) == position;
            if (twice) {
                QMouseEvent press(QEvent::MouseButtonDblClick, there, plain.mapToGlobal(there), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&plain, &press);
                QMouseEvent release(QEvent::MouseButtonRelease, there, plain.mapToGlobal(there), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&plain, &release);
            }
        }
        QTest::mouseClick(&field, Qt::LeftButton, {}, at);
        if (!twice)
            return {};
        QTest::mousePress(&field, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&field, Qt::LeftButton, {}, at);
        if (step.kind == Step::TripleClick) {
            QTest::mousePress(&field, Qt::LeftButton, {}, at);
            plain.selectAll();
        }
        QTest::mouseRelease(&field, Qt::LeftButton, {}, at);
        return {};
    }

    // Where the window system has a selection clipboard, a middle click
    // pastes it where the press put the caret, after deselecting (a plain
    // line edit pastes it as it pastes the clipboard).
    QString middleClick(const QPoint& at)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QString selection = clipboard->text(QClipboard::Selection);
        QTest::mouseClick(&field, Qt::MiddleButton, {}, at);
        if (!clipboard->supportsSelection())
            return {};
        plain.deselect();
        const QString kept = clipboard->text();
        clipboard->setText(LineBoundaries::oneLine(selection));
        plain.paste();
        clipboard->setText(kept);
        return {};
    }

    // The field takes a paste on one line, where a plain line edit keeps its
    // line breaks and tabs: the plain line edit's step is taken with the
    // clipboard on one line (and the clipboard given back, unless the step
    // put something there).
    template <typename PlainStep>
    static void pastingOnOneLine(PlainStep plainStep)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QString kept = clipboard->text();
        const QString line = LineBoundaries::oneLine(kept);
        if (line == kept) {
            plainStep();
            return;
        }
        clipboard->setText(line);
        plainStep();
        if (clipboard->text() == line)
            clipboard->setText(kept);
    }

    // A plain line edit selects from where the press put the caret to the
    // point the mouse is dragged to; dragged well below or above the line,
    // to the end or the start.
    QString drag(const QPoint& from, const QPoint& by)
    {
        const QPoint to = from + by;
        QTest::mousePress(&field, Qt::LeftButton, {}, from);
        const int threshold = QGuiApplication::styleHints()->mouseQuickSelectionThreshold();
        const int anchor = plain.cursorPosition();
        if (threshold > 0 && by.y() > threshold) {
            plain.end(true);
        } else if (threshold > 0 && by.y() < -threshold) {
            plain.home(true);
        } else {
            const int position = int(wholeAt(to));
            if (position != anchor) {
                plain.setCursorPosition(position);
                plain.setSelection(anchor, position - anchor);
            }
        }
        QTest::mouseMove(&field, to);
        QTest::mouseRelease(&field, Qt::LeftButton, {}, to);
        return {};
    }

    QString pickFromMenu(const QString& name)
    {
        const QPoint at = caretPoint(field);
        QContextMenuEvent request(QContextMenuEvent::Keyboard, at, field.mapToGlobal(at));
        QCoreApplication::sendEvent(&field, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return u"no context menu"_s;
        const std::unique_ptr<QMenu> plainMenu(plain.createStandardContextMenu());
        QAction* ours = entry(menu, name);
        QAction* theirs = entry(plainMenu.get(), name);
        QString wrong;
        if (!ours || !theirs)
            wrong = u"no menu entry %1"_s.arg(name);
        else if (ours->isEnabled() != theirs->isEnabled())
            wrong = u"%1 is %2"_s.arg(name, ours->isEnabled() ? u"enabled"_s : u"disabled"_s);
        else if (ours->isEnabled()) {
            ours->trigger();
            pastingOnOneLine([theirs] { theirs->trigger(); });
        }
        menu->close();
        return wrong;
    }
};

} // namespace studio::test
