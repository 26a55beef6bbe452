#include "design/access/PaintedItemsAccessible.h"

#include "design/access/ChoiceAccessible.h"
#include "design/access/PaintedItemAccessible.h"

#include <QSet>
#include <QWidget>

#include <algorithm>

namespace studio {

namespace {

// The interfaces made, by the widget they read and the widget holding their
// keyboard, while they live.
QHash<const QWidget*, PaintedItemsAccessible*>& made()
{
    static QHash<const QWidget*, PaintedItemsAccessible*> map;
    return map;
}

} // namespace

PaintedItemsAccessible::PaintedItemsAccessible(QWidget* widget, QAccessible::Role role, QAccessible::Role itemRole,
                                               QWidget* keyboard)
    : WidgetAccessible(widget, role)
    , m_itemRole(itemRole)
    , m_keyboard(keyboard ? keyboard : widget)
{
    made().insert(widget, this);
    made().insert(m_keyboard, this);
}

PaintedItemsAccessible::~PaintedItemsAccessible()
{
    forgetAll();
    made().removeIf([this](const auto& entry) { return entry.value() == this; });
}

PaintedItemsAccessible* PaintedItemsAccessible::existing(const QWidget* widget)
{
    return made().value(widget);
}

int PaintedItemsAccessible::childCount() const
{
    return itemCount() + int(widgetsAfterItems().size());
}

QAccessibleInterface* PaintedItemsAccessible::child(int index) const
{
    if (index < 0)
        return nullptr;
    const int items = itemCount();
    if (index < items)
        return item(index);
    return QAccessible::queryAccessibleInterface(widgetsAfterItems().value(index - items));
}

int PaintedItemsAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (const auto* painted = dynamic_cast<const PaintedItemAccessible*>(child)) {
        const int at = painted->index();
        return at >= 0 && madeItem(at) == painted ? at : -1;
    }
    auto* w = qobject_cast<QWidget*>(child->object());
    const qsizetype at = w ? widgetsAfterItems().indexOf(w) : -1;
    return at < 0 ? -1 : itemCount() + int(at);
}

QAccessibleInterface* PaintedItemsAccessible::childAt(int x, int y) const
{
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    // The widgets first: they may stand over an item (a row's controls).
    for (QWidget* w : widgetsAfterItems()) {
        if (w && w->isVisible() && w->geometry().contains(at))
            return QAccessible::queryAccessibleInterface(w);
    }
    return item(itemAt(at));
}

QAccessibleInterface* PaintedItemsAccessible::focusChild() const
{
    const int focused = focusedItem();
    return focused >= 0 ? item(focused) : QAccessibleWidget::focusChild();
}

int PaintedItemsAccessible::itemAt(const QPoint& point) const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (itemRect(i).contains(point))
            return i;
    }
    return -1;
}

QList<QWidget*> PaintedItemsAccessible::widgetsAfterItems() const
{
    QList<QWidget*> widgets;
    for (QObject* o : widget()->children()) {
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            widgets << w;
    }
    return widgets;
}

PaintedItemsAccessible::Key PaintedItemsAccessible::keyOf(int index) const
{
    const QUuid id = itemID(index);
    int twin = 0;
    // Only an id that names two items finds another before this one.
    for (int at = itemIndex(id); at >= 0 && at < index; ++at) {
        if (itemID(at) == id)
            ++twin;
    }
    return {id, twin};
}

int PaintedItemsAccessible::indexOf(const QUuid& id, int twin) const
{
    int at = itemIndex(id);
    for (int seen = 0; at >= 0 && seen < twin;) {
        if (++at >= itemCount())
            return -1;
        if (itemID(at) == id)
            ++seen;
    }
    return at;
}

QRect PaintedItemsAccessible::screenRect(int index) const
{
    const QRect area = itemRect(index);
    return QRect(widget()->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::State PaintedItemsAccessible::stateOf(int index) const
{
    QAccessible::State s = itemState(index);
    s.focusable = true;
    s.focused = focusedItem() == index;
    s.offscreen = !widget()->visibleRegion().intersects(itemRect(index));
    // An item shows only where its widget does.
    if (!widget()->isVisible())
        s.invisible = true;
    return s;
}

PaintedItemAccessible* PaintedItemsAccessible::madeItem(int index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    const auto found = m_items.constFind(keyOf(index));
    if (found == m_items.cend())
        return nullptr;
    return static_cast<PaintedItemAccessible*>(QAccessible::accessibleInterface(*found));
}

PaintedItemAccessible* PaintedItemsAccessible::item(int index) const
{
    if (PaintedItemAccessible* made = madeItem(index))
        return made;
    if (index < 0 || index >= itemCount())
        return nullptr;
    // Items gone take their interfaces with them, looked for once as many
    // are kept as there are items (so a walk through every item looks never).
    if (m_items.size() >= itemCount())
        dropGone();
    const Key key = keyOf(index);
    PaintedItemAccessible* made = const_cast<PaintedItemsAccessible*>(this)->makeItem(key.first, key.second);
    m_items.insert(key, QAccessible::registerAccessibleInterface(made));
    made->nameChanged(); // the name the reader is given
    return made;
}

PaintedItemAccessible* PaintedItemsAccessible::makeItem(const QUuid& id, int twin)
{
    return new PaintedItemAccessible(this, id, twin);
}

QList<PaintedItemAccessible*> PaintedItemsAccessible::madeItems() const
{
    QList<PaintedItemAccessible*> made;
    for (const QAccessible::Id id : std::as_const(m_items))
        made << static_cast<PaintedItemAccessible*>(QAccessible::accessibleInterface(id));
    return made;
}

void PaintedItemsAccessible::dropGone() const
{
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (indexOf(it.key().first, it.key().second) < 0) {
            QAccessible::deleteAccessibleInterface(*it);
            it = m_items.erase(it);
        } else {
            ++it;
        }
    }
}

void PaintedItemsAccessible::forget(const QUuid& id)
{
    if (const auto found = m_items.constFind({id, 0}); found != m_items.cend()) {
        QAccessible::deleteAccessibleInterface(*found);
        m_items.erase(found);
    }
}

void PaintedItemsAccessible::forgetAll()
{
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
    m_items.clear();
}

// ---- Changes, told --------------------------------------------------------

void PaintedItemsAccessible::tell(int index, QAccessible::Event type)
{
    QAccessibleEvent event(object(), type);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void PaintedItemsAccessible::tellFocus(QWidget* widget, int index)
{
    if (!QAccessible::isActive() || index < 0)
        return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

PaintedItemsAccessible::Splice PaintedItemsAccessible::itemsChanging(const QList<QUuid>& ids)
{
    const int count = itemCount();
    const int newCount = int(ids.size());
    int head = 0;
    while (head < count && head < newCount && itemID(head) == ids[head])
        ++head;
    int tail = 0;
    while (tail < count - head && tail < newCount - head && itemID(count - 1 - tail) == ids[newCount - 1 - tail])
        ++tail;
    if (head + tail == count && count == newCount)
        return Splice(); // the same items (what they show may differ)
    // An id twice, before or after, changes which twin each interface is.
    QSet<QUuid> before;
    before.reserve(count);
    for (int i = 0; i < count; ++i)
        before.insert(itemID(i));
    const QSet<QUuid> after(ids.cbegin(), ids.cend());
    const bool twins = before.size() < count || after.size() < newCount;
    return itemsChanging(head, tail, ids.mid(head, newCount - head - tail), twins);
}

PaintedItemsAccessible::Splice PaintedItemsAccessible::itemsChanging(int head, int tail,
                                                                     const QList<QUuid>& arriving, bool twins)
{
    Splice splice;
    // Items of the same id at either end of the span stay where they are.
    int from = std::max(head, 0);
    int oldEnd = std::max(from, itemCount() - std::max(tail, 0));
    qsizetype first = 0;
    qsizetype last = arriving.size();
    while (from < oldEnd && first < last && itemID(from) == arriving[first]) {
        ++from;
        ++first;
    }
    while (oldEnd > from && last > first && itemID(oldEnd - 1) == arriving[last - 1]) {
        --oldEnd;
        --last;
    }
    splice.head = from;
    for (int i = from; i < oldEnd; ++i)
        splice.leaving << itemID(i);
    splice.arriving = arriving.mid(first, last - first);
    if (splice.leaving.isEmpty() && splice.arriving.isEmpty())
        return splice;
    splice.reindex = twins;
    if (const int focused = focusedItem(); focused >= 0)
        splice.focused = keyOf(focused);
    if (!QAccessible::isActive())
        return splice;
    // The items going are told while they can still say where they were,
    // the last first, so each index holds as the ones after it go.
    QList<int> going;
    if (splice.reindex) {
        for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
            const int at = indexOf(it.key().first, it.key().second);
            if (at < 0)
                continue;
            going << at;
            // Where it will stand, outside the change.
            if (at < from)
                splice.remade << at;
            else if (at >= oldEnd)
                splice.remade << at + int(splice.arriving.size() - splice.leaving.size());
        }
        std::sort(going.begin(), going.end());
    } else {
        for (int i = from; i < oldEnd; ++i) {
            if (madeItem(i))
                going << i;
        }
    }
    for (auto it = going.crbegin(); it != going.crend(); ++it)
        tell(*it, QAccessible::ObjectDestroyed);
    return splice;
}

void PaintedItemsAccessible::itemsChanged(const Splice& splice)
{
    if (splice.leaving.isEmpty() && splice.arriving.isEmpty())
        return;
    if (splice.reindex) {
        forgetAll();
    } else {
        for (const QUuid& id : splice.leaving)
            forget(id);
    }
    if (!QAccessible::isActive())
        return;
    const int arrivedEnd = splice.head + int(splice.arriving.size());
    QList<int> coming;
    for (int i = splice.head; i < arrivedEnd && i < itemCount(); ++i)
        coming << i;
    // Items read before outside the change have interfaces anew too.
    for (const int at : splice.remade) {
        if (at < itemCount())
            coming << at;
    }
    std::sort(coming.begin(), coming.end());
    for (const int at : std::as_const(coming))
        tell(at, QAccessible::ObjectCreated);
    // The keyboard on an item that changed (or on another one now, its own
    // gone): the reader hears where it stands.
    if (const int focused = focusedItem(); focused >= 0
        && (splice.reindex || keyOf(focused) != splice.focused || (focused >= splice.head && focused < arrivedEnd)))
        tell(focused, QAccessible::Focus);
}

void PaintedItemsAccessible::nameMayHaveChanged(int index)
{
    if (!m_items.isEmpty() && QAccessible::isActive())
        retell(madeItem(index), index);
}

void PaintedItemsAccessible::namesMayHaveChanged()
{
    if (!QAccessible::isActive())
        return;
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        const int at = indexOf(it.key().first, it.key().second);
        if (at >= 0)
            retell(static_cast<PaintedItemAccessible*>(QAccessible::accessibleInterface(*it)), at);
    }
}

void PaintedItemsAccessible::retell(PaintedItemAccessible* item, int index)
{
    if (item && item->nameChanged())
        tell(index, QAccessible::NameChanged);
}

void PaintedItemsAccessible::selectionChanged(QWidget* widget, const QUuid& id)
{
    if (!QAccessible::isActive() || id.isNull())
        return;
    auto* items = dynamic_cast<PaintedItemsAccessible*>(QAccessible::queryAccessibleInterface(widget));
    if (const int at = items ? items->itemIndex(id) : -1; at >= 0)
        ChoiceAccessible::itemChanged(widget, at);
}

} // namespace studio
