#include "design/TabOrder.h"

#include <QWidget>

namespace studio {

QWidget* TabOrder::chain(QWidget* after, const QList<QWidget*>& controls)
{
    QWidget* previous = after;
    for (QWidget* control : controls) {
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous && previous->nextInFocusChain() != control)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    return previous;
}

QWidget* TabOrder::stopBefore(const QWidget* widget, const QWidget* group)
{
    for (QWidget* w = widget->previousInFocusChain(); w && w != widget; w = w->previousInFocusChain()) {
        if (w->isWindow())
            return nullptr;
        if (w->focusPolicy() != Qt::NoFocus && w != group && !group->isAncestorOf(w))
            return w;
    }
    return nullptr;
}

} // namespace studio
