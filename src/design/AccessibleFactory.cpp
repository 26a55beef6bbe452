#include "design/AccessibleFactory.h"

#include <QAccessible>
#include <QWidget>

namespace studio {

namespace {

QAccessibleInterface* make(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (auto* own = dynamic_cast<AccessibleSource*>(object)) {
        if (QAccessibleInterface* made = own->accessibleFor(object))
            return made;
    }
    if (auto* parent = dynamic_cast<AccessibleSource*>(static_cast<QWidget*>(object)->parentWidget()))
        return parent->accessibleFor(object);
    return nullptr;
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(make);
}

} // namespace studio
