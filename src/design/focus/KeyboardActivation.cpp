#include "design/focus/KeyboardActivation.h"

#include "design/focus/FocusRing.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace studio {

namespace {

bool isShiftF10(const QKeyEvent& event)
{
    return event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier && !event.isAutoRepeat();
}

bool isModifier(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return false;
    }
}

bool movedByKeyboard(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

void highlightFirstEntry(QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    const auto first = std::find_if(actions.cbegin(), actions.cend(), [](const QAction* a) {
        return a->isVisible() && a->isEnabled() && !a->isSeparator();
    });
    if (first != actions.cend())
        menu->setActiveAction(*first);
}

// Qt tells a reader of the highlighted entry as it highlights it, before the
// menu is up; once the menu shows, the entry is told again, so a reader says
// the entry rather than the menu.
void announceActiveEntry(QMenu* menu)
{
    QAction* active = menu->activeAction();
    if (!QAccessible::isActive() || !menu->isVisible() || !active)
        return;
    QAccessibleEvent focus(menu, QAccessible::Focus);
    focus.setChild(int(menu->actions().indexOf(active)));
    QAccessible::updateAccessibility(&focus);
}

} // namespace

void KeyboardActivation::install(QApplication& app)
{
    static QPointer<KeyboardActivation> installed;
    if (installed)
        return;
    installed = new KeyboardActivation(&app);
    app.installEventFilter(installed);
}

bool KeyboardActivation::isReturnPress(const QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event.isAutoRepeat();
}

bool KeyboardActivation::isActivationPress(const QKeyEvent& event)
{
    const bool space = event.key() == Qt::Key_Space || event.key() == Qt::Key_Select;
    return !event.isAutoRepeat() && (isReturnPress(event) || (space && event.modifiers() == Qt::NoModifier));
}

bool KeyboardActivation::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_keyboard = false;
        if (event->spontaneous())
            FocusRing::setKeyboardInUse(false);
        break;
    case QEvent::KeyPress:
        // Keys the program sends itself (a direction mark, a probe) are no
        // user's. A screen reader's bridge holds the user's keys back and
        // posts copies of them, which are no longer spontaneous but still
        // carry the keyboard's scan code.
        if (event->spontaneous() || static_cast<QKeyEvent*>(event)->nativeScanCode() != 0) {
            m_keyboard = true;
            // A modifier held for a click is no use of the keyboard.
            if (!isModifier(*static_cast<QKeyEvent*>(event)))
                FocusRing::setKeyboardInUse(true);
        }
        break;
    case QEvent::FocusIn:
        if (movedByKeyboard(static_cast<QFocusEvent*>(event)->reason()))
            FocusRing::setKeyboardInUse(true);
        break;
    case QEvent::Show:
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && m_keyboard && !menu->activeAction()) {
            highlightFirstEntry(menu);
            QTimer::singleShot(0, menu, [menu] { announceActiveEntry(menu); });
        }
        break;
    default:
        break;
    }
    // The key as the focused control receives it, not again as it passes up
    // to the controls around.
    if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget())
        return QObject::eventFilter(watched, event);
    auto* control = static_cast<QWidget*>(watched);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (isReturnPress(key)) {
        // A push button keeps Qt's own rules for Return (a dialog's default).
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (button && !qobject_cast<QPushButton*>(button) && button->isEnabled()) {
            button->click();
            return true;
        }
    } else if (isShiftF10(key) && control->isEnabled()) {
        const QPoint at = control->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at), key.modifiers());
        QCoreApplication::sendEvent(control, &menu);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
