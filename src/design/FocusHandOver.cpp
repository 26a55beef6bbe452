#include "design/FocusHandOver.h"

#include <QWidget>

namespace studio {

void handOverFocus(const QWidget* from, QWidget* to, bool orNowhere)
{
    if (!from || !to)
        return;
    const QWidget* focus = from->window()->focusWidget();
    if (focus ? focus == from || from->isAncestorOf(focus) : orNowhere)
        to->setFocus(Qt::OtherFocusReason);
}

} // namespace studio
