#include "design/access/StaticTextAccessible.h"

namespace studio {

StaticTextAccessible::StaticTextAccessible(QWidget* widget, std::function<QString()> text)
    : QAccessibleWidget(widget, QAccessible::StaticText)
    , m_text(std::move(text))
{
}

QString StaticTextAccessible::text(QAccessible::Text t) const
{
    QString said = QAccessibleWidget::text(t);
    if (t == QAccessible::Description && !said.isEmpty()
        && (said == QAccessibleWidget::text(QAccessible::Name) || said == m_text()))
        said.clear();
    return said;
}

void* StaticTextAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

} // namespace studio
