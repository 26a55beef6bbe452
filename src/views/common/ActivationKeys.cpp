#include "views/common/ActivationKeys.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace studio {

bool isReturnPress(const QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event.isAutoRepeat();
}

bool openContextMenuOnShiftF10(QWidget* widget, const QKeyEvent& event)
{
    if (event.key() != Qt::Key_F10 || event.modifiers() != Qt::ShiftModifier || event.isAutoRepeat())
        return false;
    // Where Qt puts the Menu key's: the middle of the widget.
    const QPoint centre = widget->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, widget->mapToGlobal(centre), event.modifiers());
    QCoreApplication::sendEvent(widget, &menu);
    return true;
}

} // namespace studio
