#include "design/access/AccessibleFactory.h"

#include "design/access/ContainerAccessible.h"
#include "design/access/TextAccessible.h"
#include "design/access/TextEvents.h"

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
    auto* widget = static_cast<QWidget*>(object);
    if (auto* parent = dynamic_cast<AccessibleSource*>(widget->parentWidget())) {
        if (QAccessibleInterface* made = parent->accessibleFor(object))
            return made;
    }
    // Qt's own widgets that read otherwise here.
    if (QAccessibleInterface* made = makeTextAccessible(widget))
        return made;
    return makeContainerAccessible(widget);
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(make);
    TextEvents::install();
}

} // namespace studio
