#include "design/TabOrder.h"

#include <QWidget>

namespace studio {

namespace {

QWidget* deepestProxy(const QWidget* widget)
{
    QWidget* proxy = widget->focusProxy();
    while (proxy && proxy->focusProxy())
        proxy = proxy->focusProxy();
    return proxy;
}

// A field wrapped in a widget that hands it the focus (a captioned field, an
// editor in its frame) is a Tab stop twice over: Qt walks to the wrapper
// where it stands in the order, and on into the field. Once the field has
// moved, its wrappers go back in front of it: setting a wrapper's focus
// proxy again puts it right before its first child, the field's place.
void keepWrappersWith(QWidget* control)
{
    for (QWidget* wrapper = control->parentWidget(); wrapper && !wrapper->isWindow();
         wrapper = wrapper->parentWidget()) {
        if (deepestProxy(wrapper) != control)
            break;
        wrapper->setFocusProxy(wrapper->focusProxy());
    }
}

} // namespace

QWidget* TabOrder::chain(QWidget* after, const QList<QWidget*>& controls)
{
    QWidget* previous = after;
    for (QWidget* control : controls) {
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous && previous->nextInFocusChain() != control) {
            QWidget::setTabOrder(previous, control);
            keepWrappersWith(control);
        }
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
