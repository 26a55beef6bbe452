#include "design/widgets/AccessibleSource.h"

#include <QAccessible>
#include <QVariant>
#include <QWidget>

namespace studio {

namespace {
const char* const groupProperty = "studioChoiceGroup";
} // namespace

void tellChoiceChanged(QWidget* control)
{
    if (!control || !QAccessible::isActive())
        return;
    if (auto* choice = dynamic_cast<ChoiceAnnouncer*>(QAccessible::queryAccessibleInterface(control)))
        choice->announce();
}

void setChoiceGroup(QWidget* group, const QString& name)
{
    // Known before the name is set: setting it may make the interface.
    group->setProperty(groupProperty, true);
    if (group->accessibleName() != name)
        group->setAccessibleName(name);
}

bool isChoiceGroup(const QWidget* widget)
{
    return widget && widget->property(groupProperty).toBool();
}

} // namespace studio
