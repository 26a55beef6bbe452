#include "design/access/AccessibleFocus.h"

#include "design/access/AccessibleRelay.h"
#include "design/access/PaintedItemsAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include <QtGui/private/qaccessiblecache_p.h>

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
        if (QAccessibleInterface* iface = event->accessibleInterface(); !iface || QAccessible::uniqueId(iface) != s_lastFocus)
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
    // With the keyboard nowhere (the window left for another), what takes
    // it next is heard again, whatever it was before.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now)
            s_lastFocus = 0;
    });
}

void AccessibleFocus::standsAnew(QObject* object)
{
    QAccessibleCache* cache = QAccessibleCache::instance();
    const QAccessible::Id id = object ? cache->idForObject(object) : 0;
    if (!id)
        return;
    // The cache watches the object's end once per interface it keeps for
    // it: the watch goes with the interface, or they would pile up.
    QObject::disconnect(object, &QObject::destroyed, cache, nullptr);
    QAccessible::deleteAccessibleInterface(id);
}

} // namespace studio
