#include "design/PaintedItemsAccessible.h"

#include "design/PaintedItemAccessible.h"

#include <QWidget>

namespace studio {

PaintedItemsAccessible::PaintedItemsAccessible(QWidget* widget, QAccessible::Role role, QAccessible::Role itemRole)
    : QAccessibleWidget(widget, role)
    , m_itemRole(itemRole)
{
}

PaintedItemsAccessible::~PaintedItemsAccessible()
{
    forgetAll();
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

} // namespace studio
