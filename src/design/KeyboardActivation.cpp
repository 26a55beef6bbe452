#include "design/KeyboardActivation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace studio {

namespace {

bool isShiftF10(const QKeyEvent& event)
{
    return event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier && !event.isAutoRepeat();
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

bool KeyboardActivation::eventFilter(QObject* watched, QEvent* event)
{
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
