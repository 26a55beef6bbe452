#include "design/access/WidgetAccessible.h"

#include <QApplication>
#include <QWidget>

namespace studio {

bool holdsKeyboard(const QWidget* widget)
{
    return widget && QApplication::focusWidget() == widget;
}

WidgetAccessible::WidgetAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

QAccessible::State WidgetAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = holdsKeyboard(widget());
    return s;
}

} // namespace studio
