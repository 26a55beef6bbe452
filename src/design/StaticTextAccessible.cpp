#include "design/StaticTextAccessible.h"

namespace studio {

StaticTextAccessible::StaticTextAccessible(QWidget* widget, std::function<QString()> text)
    : QAccessibleWidget(widget, QAccessible::StaticText)
    , m_text(std::move(text))
{
}

void* StaticTextAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

} // namespace studio
