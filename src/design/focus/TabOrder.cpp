#include "design/focus/TabOrder.h"

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
// proxy again puts it right before its first child. That is the field's
// place where the field (or the frame holding it) is the wrapper's first
// child, as in every field of the program chained so far; a wrapper whose
// caption comes first stays behind.
void keepWrappersWith(QWidget* control)
{
    for (QWidget* wrapper = control->parentWidget(); wrapper && !wrapper->isWindow();
         wrapper = wrapper->parentWidget()) {
        if (deepestProxy(wrapper) != control)
            break;
        wrapper->setFocusProxy(wrapper->focusProxy());
    }
}

// Whether `control` comes right after `previous` in the focus order, the
// widgets that hand it the focus (which go just before it) passed over.
bool follows(const QWidget* previous, const QWidget* control)
{
    QWidget* next = previous->nextInFocusChain();
    while (next && next != control && deepestProxy(next) == control)
        next = next->nextInFocusChain();
    return next == control;
}

// Puts `control` right after `previous`. Qt leaves a control where it is
// when, going round the window, the stop before it is `previous` already:
// `previous` the window's last stop and `control` its first, as a screen's
// controls are while they are the last made in the window. Moved one stop
// on first, Qt moves it again.
void placeAfter(QWidget* previous, QWidget* control)
{
    QWidget::setTabOrder(previous, control);
    if (follows(previous, control))
        return;
    QWidget* next = control->nextInFocusChain();
    while (next != control
           && (next->focusPolicy() == Qt::NoFocus || next == previous || control->isAncestorOf(next)
               || next->isWindow()))
        next = next->nextInFocusChain();
    if (next == control)
        return;
    QWidget::setTabOrder(next, control);
    QWidget::setTabOrder(previous, control);
}

} // namespace

QWidget* TabOrder::chain(QWidget* after, const QList<QWidget*>& controls)
{
    QWidget* previous = after;
    for (QWidget* control : controls) {
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous && !follows(previous, control)) {
            placeAfter(previous, control);
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

QWidget* TabOrder::nextStop(const QWidget* from, bool forward, const QWidget* skipping)
{
    const auto step = [forward](const QWidget* w) { return forward ? w->nextInFocusChain() : w->previousInFocusChain(); };
    for (QWidget* w = step(from); w && w != from; w = step(w)) {
        if (w->window() != from->window() || (skipping && skipping->isAncestorOf(w)))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            return w;
    }
    return nullptr;
}

} // namespace studio
