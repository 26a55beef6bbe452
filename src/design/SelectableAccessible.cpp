#include "design/SelectableAccessible.h"

namespace studio {

SelectableAccessible::SelectableAccessible(QWidget* control, QAccessible::Role role, std::function<bool()> selected,
                                           std::function<void()> press)
    : QAccessibleWidget(control, role)
    , m_selected(std::move(selected))
    , m_press(std::move(press))
{
}

QAccessible::State SelectableAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = m_selected();
    return s;
}

QStringList SelectableAccessible::actionNames() const
{
    const QStringList own = QAccessibleWidget::actionNames();
    return m_press ? QStringList{pressAction()} + own : own;
}

void SelectableAccessible::doAction(const QString& name)
{
    if (m_press && name == pressAction())
        m_press();
    else
        QAccessibleWidget::doAction(name);
}

void SelectableAccessible::selectionChanged(QObject* object, int child)
{
    if (!QAccessible::isActive() || !object)
        return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (iface && child >= 0)
        iface = child < iface->childCount() ? iface->child(child) : nullptr;
    if (!iface || !iface->isValid())
        return;
    QAccessibleEvent event(object, iface->state().selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

} // namespace studio
