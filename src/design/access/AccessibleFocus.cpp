#include "design/access/AccessibleFocus.h"

#include "design/access/AccessibleRelay.h"
#include "design/access/PaintedItemsAccessible.h"
#include "design/style/QtPrivateState.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <QtGui/private/qaccessiblecache_p.h>

namespace studio {

namespace {

// Qt's cache keeps, for each object, one entry per interface made for it
// (one per class the object was asked for as: a widget asked for while still
// being built has one for its base class too), and drops them all when the
// object goes. Dropping one interface drops every entry of the object, so the
// others are put back by hand; the cache keeps no public list of them, and
// an explicit instantiation may name a private member to reach it.
using CacheEntries = QMultiHash<QObject*, QPair<QAccessible::Id, const QMetaObject*>>;

template <CacheEntries QAccessibleCache::*Entries>
struct CacheEntriesOf {
    friend CacheEntries& entriesOf(QAccessibleCache* cache) { return cache->*Entries; }
};
template struct CacheEntriesOf<&QAccessibleCache::objectToId>;
CacheEntries& entriesOf(QAccessibleCache* cache);

QAccessible::UpdateHandler s_next = nullptr;
// What was heard focused last.
QAccessible::Id s_lastFocus = 0;
// What is held back, and how many times.
QHash<const QObject*, int> s_held;
// The windows told active, and not told inactive since.
QList<QPointer<QObject>> s_active;
// The widget taking the keyboard, until its focus is told.
QPointer<QObject> s_taking;

// On to the watch installed before this one, or to the platform.
void pass(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Focus) {
        QAccessibleInterface* iface = event->accessibleInterface();
        s_lastFocus = iface ? QAccessible::uniqueId(iface) : 0;
    }
    relayAccessibleEvent(event, s_next);
}

// Qt tells a window active again as a popup of it (a menu) comes and goes,
// though the window never stopped being active. A reader takes each
// activation for the keyboard gone to the window itself: after a menu entry
// that opened a sheet, it would leave the sheet's control it has just heard
// for the bare window. A window is told active only when it becomes so.
bool toldActiveAgain(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::StateChanged)
        return false;
    QAccessible::State activeAlone;
    activeAlone.active = true;
    QObject* object = event->object();
    if (!(static_cast<QAccessibleStateChangeEvent*>(event)->changedStates() == activeAlone) || !object
        || !object->isWidgetType() || !static_cast<QWidget*>(object)->isWindow())
        return false;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface)
        return false;
    s_active.removeAll(nullptr);
    if (!iface->state().active) {
        s_active.removeAll(object);
        return false;
    }
    if (s_active.contains(object))
        return true;
    s_active.append(object);
    return false;
}

// A text input tells its selection (all of its text, on Tab) and its caret
// as it takes the keyboard, before Qt tells its focus: a reader would read
// the text as selected in the control it is leaving, then again on the
// focus. The focus that follows reads the text and the selection where they
// stand. And a line edit lets its selection go as the keyboard leaves it: a
// reader would say "unselected" of a field the user has left for another.
bool toldOutOfTurn(QAccessibleEvent* event)
{
    const QAccessible::Event type = event->type();
    QObject* object = event->object();
    if ((type != QAccessible::TextSelectionChanged && type != QAccessible::TextCaretMoved) || !object
        || !object->isWidgetType() || event->child() != -1)
        return false;
    if (object == s_taking)
        return true;
    if (type != QAccessible::TextSelectionChanged || QApplication::focusWidget() == object)
        return false;
    const auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
    return selection->selectionStart() < 0 || selection->selectionStart() >= selection->selectionEnd();
}

// Marks the widget taking the keyboard while it takes it: Qt tells its focus
// once it has (the mark goes then, or by the next turn of the event loop if
// no focus is told). A popup giving the keyboard back tells no focus.
class TakingWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && QAccessible::isActive()) {
            s_taking = watched;
            QTimer::singleShot(0, watched, [watched] {
                if (s_taking == watched)
                    s_taking = nullptr;
            });
        }
        return false;
    }
};

void watch(QAccessibleEvent* event)
{
    // Qt's own event for a widget that took the keyboard names the widget
    // alone; the program's own, an item or an interface it tells about.
    QObject* object = event->object();
    if ((object && s_held.contains(object)) || toldActiveAgain(event) || toldOutOfTurn(event))
        return;
    if (event->type() == QAccessible::Focus && object == s_taking)
        s_taking = nullptr;
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
    qApp->installEventFilter(new TakingWatch(qApp));
    // With the keyboard nowhere (the window left for another), what takes
    // it next is heard again, whatever it was before.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now)
            s_lastFocus = 0;
    });
}

void AccessibleFocus::hold(QObject* object)
{
    if (object)
        ++s_held[object];
}

void AccessibleFocus::release(QObject* object)
{
    const auto held = s_held.find(object);
    if (held == s_held.end() || --*held > 0)
        return;
    s_held.erase(held);
    if (QAccessible::isActive() && object->isWidgetType() && QApplication::focusWidget() == object) {
        QAccessibleEvent focus(object, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void AccessibleFocus::standsAnew(QObject* object)
{
    // Without the cache's entries, the object stays the one readers know.
    if (!object || !QtPrivateState::runningQtIsBuildQt())
        return;
    QAccessibleCache* cache = QAccessibleCache::instance();
    if (!cache->idForObject(object))
        return;
    // Every interface made for the object's class goes (a menu's is Qt's,
    // read through one of the program's); those made for another class stay
    // until the object goes.
    CacheEntries& entries = entriesOf(cache);
    const QList<QPair<QAccessible::Id, const QMetaObject*>> all = entries.values(object);
    QList<QPair<QAccessible::Id, const QMetaObject*>> others;
    for (const auto& entry : all) {
        if (entry.second != object->metaObject())
            others.prepend(entry); // oldest first, to go back in the order they were
    }
    for (const auto& entry : all) {
        if (entry.second == object->metaObject())
            QAccessible::deleteAccessibleInterface(entry.first);
    }
    for (const auto& entry : std::as_const(others))
        entries.insert(object, entry);
    // The cache watches the object's end once more for every interface it
    // makes for it, and one watch drops them all: one stays while any other
    // interface does, or they would pile up as the object stands anew.
    QObject::disconnect(object, &QObject::destroyed, cache, nullptr);
    if (!others.isEmpty())
        QObject::connect(object, SIGNAL(destroyed(QObject*)), cache, SLOT(objectDestroyed(QObject*)));
}

} // namespace studio
