#include "design/access/AccessibleFactory.h"

#include "design/widgets/AccessibleSource.h"
#include "design/access/ContainerAccessible.h"
#include "design/access/ControlAccessible.h"
#include "design/access/MenuItemAccessible.h"
#include "design/access/TextAccessible.h"
#include "design/access/TextEvents.h"
#include "design/access/WidgetAccessible.h"

#include <QAccessible>
#include <QAction>
#include <QWidget>

namespace studio {

namespace {

QAccessibleInterface* make(const QString& className, QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object))
        return makeMenuItemAccessible(action);
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
    if (QAccessibleInterface* made = makeControlAccessible(widget))
        return made;
    // Qt's own widgets that read otherwise here.
    if (QAccessibleInterface* made = makeTextAccessible(widget))
        return made;
    if (QAccessibleInterface* made = makeContainerAccessible(widget))
        return made;
    // A widget no class of its own reads otherwise reads as Qt reads a plain
    // widget or frame, focused only while it holds the keyboard itself.
    if (className == QLatin1String("QWidget"))
        return new WidgetAccessible(widget);
    if (className == QLatin1String("QFrame"))
        return new WidgetAccessible(widget, QAccessible::Border);
    return nullptr;
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(make);
    TextEvents::install();
}

} // namespace studio
