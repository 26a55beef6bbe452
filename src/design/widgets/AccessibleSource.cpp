#include "design/widgets/AccessibleSource.h"

#include <QAccessible>
#include <QWidget>

namespace studio {

void tellChoiceChanged(QWidget* control)
{
    if (!control || !QAccessible::isActive())
        return;
    if (auto* choice = dynamic_cast<ChoiceAnnouncer*>(QAccessible::queryAccessibleInterface(control)))
        choice->announce();
}

} // namespace studio
