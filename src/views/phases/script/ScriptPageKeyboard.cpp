#include "views/phases/script/ScriptPageKeyboard.h"

#include "design/text/PlainTextEditor.h"
#include "design/focus/TabOrder.h"
#include "design/style/Theme.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptRowControls.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace studio {

ScriptPageKeyboard::ScriptPageKeyboard(ScriptPage* page)
    : QObject(page)
    , m_page(page)
{
    QTextEdit* edit = page->textEdit();
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

bool ScriptPageKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    // (Only the events below look at the page: others come while it is
    // being taken down.)
    const auto type = event->type();
    // A click places the caret anew: the column goes with it.
    if (type == QEvent::MouseButtonPress)
        m_goalX.reset();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    QTextEdit* edit = m_page->textEdit();
    const ScriptRows& rows = m_page->rows();
    const int at = rows.indexOf(m_page->editorID());
    switch (type) {
    case QEvent::KeyPress:
        if (watched == edit && at >= 0 && keyPressed(static_cast<QKeyEvent*>(event), at))
            return true;
        break;
    case QEvent::FocusIn:
        // Shift+Tab from after the page lands on the editor (the page's own
        // stop comes before it): it comes in at the last element.
        if (watched == edit && at >= 0 && static_cast<QFocusEvent*>(event)->reason() == Qt::BacktabFocusReason
            && at != rows.count() - 1)
            m_page->focusElement(rows.row(rows.count() - 1).id());
        break;
    case QEvent::ContextMenu:
        if ((watched == edit || watched == edit->viewport()) && at >= 0 && m_page->editor()->isVisible()) {
            const auto* request = static_cast<QContextMenuEvent*>(event);
            if (request->reason() == QContextMenuEvent::Mouse)
                menu(m_page->editorID(), request->globalPos())->popup(request->globalPos());
            else
                openMenu();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool ScriptPageKeyboard::keyPressed(const QKeyEvent* key, int at)
{
    const ScriptRows& rows = m_page->rows();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool backward = key->key() == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
    // The column is kept over vertical moves only, as a text editor keeps it
    // (a modifier pressed on its own moves nothing).
    const bool modifierAlone = key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control
        || key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
    if (!modifierAlone && !key->matches(QKeySequence::MoveToPreviousLine) && !key->matches(QKeySequence::MoveToNextLine)
        && !key->matches(QKeySequence::MoveToPreviousPage) && !key->matches(QKeySequence::MoveToNextPage))
        m_goalX.reset();
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        if (modifiers & Qt::ControlModifier) {
            leavePage(!backward);
            return true;
        }
        // Tab goes on to the next element, Shift+Tab back; past either end
        // the focus leaves the page as usual.
        const int to = at + (backward ? -1 : 1);
        if (to < 0 || to >= rows.count())
            return false;
        m_page->focusElement(rows.row(to).id());
        return true;
    }
    if (key->matches(QKeySequence::MoveToPreviousLine))
        return crossLine(at, -1);
    if (key->matches(QKeySequence::MoveToNextLine))
        return crossLine(at, 1);
    if (key->matches(QKeySequence::MoveToPreviousPage) || key->matches(QKeySequence::MoveToNextPage)) {
        movePage(key->matches(QKeySequence::MoveToNextPage) ? 1 : -1);
        return true;
    }
    if (key->matches(QKeySequence::MoveToStartOfDocument) || key->matches(QKeySequence::MoveToEndOfDocument)) {
        const bool end = key->matches(QKeySequence::MoveToEndOfDocument);
        m_page->focusElement(rows.row(end ? rows.count() - 1 : 0).id(),
                             [end](QTextEdit* edit) { edit->moveCursor(end ? QTextCursor::End : QTextCursor::Start); });
        revealCaret();
        return true;
    }
    return false;
}

bool ScriptPageKeyboard::crossLine(int at, int step)
{
    QTextCursor probe = m_page->textEdit()->textCursor();
    probe.clearSelection();
    if (probe.movePosition(step < 0 ? QTextCursor::Up : QTextCursor::Down))
        return false;
    const int to = at + step;
    if (to < 0 || to >= m_page->rows().count())
        return false;
    // Far above or below the element's text: its last or first line.
    constexpr int far = std::numeric_limits<int>::max() / 4;
    placeCaret(to, goalX(), step < 0 ? far : -far);
    return true;
}

void ScriptPageKeyboard::movePage(int step)
{
    const ScriptRows& rows = m_page->rows();
    const QRect view = m_page->visibleArea();
    const int x = goalX();
    // The caret stays where it stands in the view while the page scrolls
    // under it; what the page could not scroll (at either end) it moves on
    // itself.
    const int inView = std::clamp(caretRect().center().y() - view.top(), 0, view.height());
    const int distance = step * view.height();
    Q_EMIT scrollRequested(distance);
    const int top = m_page->visibleArea().top();
    const int scrolled = top - view.top();
    const int y = top + inView + (std::abs(scrolled) >= view.height() ? 0 : distance - scrolled);
    placeCaret(rows.rowAtY(y), x, y);
}

void ScriptPageKeyboard::leavePage(bool forward)
{
    // The first stop after the page, or the last before it, in the
    // window's Tab order.
    if (QWidget* stop = TabOrder::nextStop(m_page, forward, m_page))
        stop->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

int ScriptPageKeyboard::goalX() const
{
    if (m_goalX && m_goalIn == m_page->editorID())
        return *m_goalX;
    QTextEdit* edit = m_page->textEdit();
    const QTextCursor cursor = edit->textCursor();
    int x = edit->cursorRect(cursor).left();
    // The x the cursor keeps over vertical moves is its layout's.
    if (const QTextLayout* layout = cursor.block().layout(); layout && cursor.verticalMovementX() >= 0)
        x = cursor.verticalMovementX() + int(layout->position().x());
    return edit->viewport()->mapTo(m_page, QPoint(x, 0)).x();
}

void ScriptPageKeyboard::placeCaret(int index, int x, int y)
{
    const QUuid id = m_page->rows().row(index).id();
    const auto place = [this, x, y](QTextEdit* edit) {
        QPoint at = edit->viewport()->mapFrom(m_page, QPoint(x, y));
        // Onto the text's own lines.
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        const int first = edit->cursorRect(cursor).center().y();
        cursor.movePosition(QTextCursor::End);
        const int last = edit->cursorRect(cursor).center().y();
        at.setY(std::clamp(at.y(), first, std::max(first, last)));
        cursor = edit->cursorForPosition(at);
        if (const QTextLayout* layout = cursor.block().layout())
            cursor.setVerticalMovementX(at.x() - int(layout->position().x()));
        edit->setTextCursor(cursor);
    };
    // In another element the caret is placed before the move is heard.
    if (id != m_page->editorID() || !m_page->editor()->isVisible())
        m_page->focusElement(id, place);
    else
        place(m_page->textEdit());
    m_goalX = x;
    m_goalIn = id;
    revealCaret();
}

QRect ScriptPageKeyboard::caretRect() const
{
    if (m_page->rows().indexOf(m_page->editorID()) < 0 || m_page->editor()->isHidden())
        return QRect();
    QTextEdit* edit = m_page->textEdit();
    const QRect caret = edit->cursorRect();
    return QRect(edit->viewport()->mapTo(m_page, caret.topLeft()), caret.size());
}

void ScriptPageKeyboard::revealCaret()
{
    QRect area = caretRect();
    if (area.isNull())
        return;
    // At the script's very start or end the page's own edge shows with it.
    const QTextCursor cursor = m_page->textEdit()->textCursor();
    const int at = m_page->rows().indexOf(m_page->editorID());
    if (at == 0 && cursor.atStart())
        area.setTop(0);
    else if (at == m_page->rows().count() - 1 && cursor.atEnd())
        area.setBottom(m_page->height() - 1);
    Q_EMIT revealRequested(area);
}

QMenu* ScriptPageKeyboard::openMenu()
{
    if (m_page->rows().indexOf(m_page->editorID()) < 0 || !m_page->editor()->isVisible())
        return nullptr;
    QTextEdit* edit = m_page->textEdit();
    const QPoint at = edit->viewport()->mapToGlobal(edit->cursorRect().bottomLeft());
    QMenu* opened = menu(m_page->editorID(), at);
    opened->popup(at);
    return opened;
}

QMenu* ScriptPageKeyboard::menu(const QUuid& id, const QPoint& globalPos)
{
    QTextEdit* edit = m_page->textEdit();
    // The text's own entries (undo, cut, copy, paste…) first, as a right
    // click has always shown them.
    QMenu* menu = edit->createStandardContextMenu(edit->viewport()->mapFromGlobal(globalPos));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const int at = m_page->rows().indexOf(id);
    const QList<rules::ScriptChip> chips = m_page->chipsFor(id);
    if (!chips.isEmpty()) {
        menu->addSeparator();
        for (const rules::ScriptChip& chip : chips) {
            QAction* action = menu->addAction(Theme::escapeMnemonic(chip.label));
            connect(action, &QAction::triggered, this, [this, id, chip] { Q_EMIT chipPicked(id, chip); });
        }
    }
    menu->addSeparator();
    for (ScriptElementKind kind : allCases<ScriptElementKind>()) {
        QAction* action = menu->addAction(Theme::escapeMnemonic(ScriptElementRow::style(kind).label));
        action->setCheckable(true);
        action->setChecked(at >= 0 && m_page->rows().row(at).kind() == kind);
        connect(action, &QAction::triggered, this, [this, id, kind] { Q_EMIT kindPicked(id, kind); });
    }
    menu->addSeparator();
    QAction* remove = menu->addAction(ScriptRowControls::removeLabel());
    connect(remove, &QAction::triggered, this, [this, id] { Q_EMIT removeRequested(id); });
    return menu;
}

} // namespace studio
