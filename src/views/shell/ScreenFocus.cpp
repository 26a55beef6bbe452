#include "views/shell/ScreenFocus.h"

#include <QWidget>

namespace studio {

void handOverFocus(const QWidget* from, QWidget* to)
{
    if (!from || !to)
        return;
    const QWidget* focus = from->window()->focusWidget();
    if (!focus || focus == from || from->isAncestorOf(focus))
        to->setFocus(Qt::OtherFocusReason);
}

} // namespace studio
