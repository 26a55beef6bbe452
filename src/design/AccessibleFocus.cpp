#include "design/AccessibleFocus.h"

#include "design/AccessibleRelay.h"
#include "design/PaintedItemsAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

namespace studio {

namespace {

QAccessible::UpdateHandler s_next = nullptr;
// What was heard focused last.
QAccessible::Id s_lastFocus = 0;

// On to the watch installed before this one, or to the platform.
void pass(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Focus) {
        QAccessibleInterface* iface = event->accessibleInterface();
        s_lastFocus = iface ? QAccessible::uniqueId(iface) : 0;
    }
    relayAccessibleEvent(event, s_next);
}

void watch(QAccessibleEvent* event)
{
    // Qt's own event for a widget that took the keyboard names the widget
    // alone; the program's own, an item or an interface it tells about.
    QObject* object = event->object();
    if (event->type() != QAccessible::Focus || !object || !object->isWidgetType() || event->child() != -1) {
        pass(event);
        return;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (const QWidget* focus = QApplication::focusWidget(); focus && focus != widget)
        return;
    PaintedItemsAccessible* items = PaintedItemsAccessible::existing(widget);
    const int at = items ? items->focusedItem() : -1;
    if (at < 0) {
        pass(event);
        return;
    }
    // The widget told the item as it took the keyboard (a widget also tells
    // it when the keyboard comes back to it from a menu, where Qt tells
    // nothing): that is heard once.
    QAccessibleEvent onItem(items->object(), QAccessible::Focus);
    onItem.setChild(at);
    QAccessibleInterface* item = onItem.accessibleInterface();
    if (!item || QAccessible::uniqueId(item) != s_lastFocus)
        pass(&onItem);
}

} // namespace

void AccessibleFocus::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    s_next = QAccessible::installUpdateHandler(watch);
}

} // namespace studio
