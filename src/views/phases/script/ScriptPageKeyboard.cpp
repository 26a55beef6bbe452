#include "views/phases/script/ScriptPageKeyboard.h"

#include "design/PlainTextEditor.h"
#include "design/PrimaryButton.h"
#include "design/Theme.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptRowControls.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTextEdit>

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
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    QTextEdit* edit = m_page->textEdit();
    const ScriptRows& rows = m_page->rows();
    const int at = rows.indexOf(m_page->editorID());
    switch (type) {
    case QEvent::KeyPress:
        if (watched == edit && at >= 0) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Tab goes on to the next element, Shift+Tab back; past either
            // end the focus leaves the page as usual.
            const int step = key->key() == Qt::Key_Backtab ? -1 : key->key() == Qt::Key_Tab ? 1 : 0;
            if (step != 0 && at + step >= 0 && at + step < rows.count() && !(key->modifiers() & Qt::ControlModifier)) {
                m_page->focusElement(rows.row(at + step).id());
                return true;
            }
        }
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
    connect(remove, &QAction::triggered, this, [this, id] { removeAndFocusNext(id); });
    return menu;
}

void ScriptPageKeyboard::removeAndFocusNext(const QUuid& id)
{
    const ScriptRows& rows = m_page->rows();
    const int at = rows.indexOf(id);
    if (at < 0)
        return;
    // The element that takes its place, or the one before it when it was
    // the last.
    QUuid next;
    for (int i : {at + 1, at - 1}) {
        if (i >= 0 && i < rows.count() && rows.row(i).id() != id) {
            next = rows.row(i).id();
            break;
        }
    }
    Q_EMIT removeRequested(id);
    if (rows.indexOf(next) >= 0)
        m_page->focusElement(next);
    else if (rows.empty())
        m_page->addHeadingButton()->setFocus(Qt::OtherFocusReason);
}

} // namespace studio
