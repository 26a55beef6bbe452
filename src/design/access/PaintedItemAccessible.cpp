#include "design/access/PaintedItemAccessible.h"

#include <utility>

namespace studio {

PaintedItemAccessible::PaintedItemAccessible(PaintedItemsAccessible* items, const QUuid& id, int twin)
    : m_items(items)
    , m_id(id)
    , m_twin(twin)
{
}

QString PaintedItemAccessible::text(QAccessible::Text t) const
{
    const int at = index();
    return at < 0 ? QString() : m_items->itemText(at, t);
}

bool PaintedItemAccessible::nameChanged()
{
    const size_t name = qHash(text(QAccessible::Name));
    return std::exchange(m_givenName, name) != name;
}

QRect PaintedItemAccessible::rect() const
{
    const int at = index();
    return at < 0 ? QRect() : m_items->screenRect(at);
}

QAccessible::State PaintedItemAccessible::state() const
{
    const int at = index();
    if (at >= 0)
        return m_items->stateOf(at);
    QAccessible::State gone;
    gone.invalid = true;
    return gone;
}

void* PaintedItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && !actionNames().isEmpty())
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList PaintedItemAccessible::actionNames() const
{
    const int at = index();
    return at < 0 ? QStringList() : m_items->itemActions(at);
}

void PaintedItemAccessible::doAction(const QString& action)
{
    if (const int at = index(); at >= 0 && m_items->itemActions(at).contains(action))
        m_items->doItemAction(at, action);
}

} // namespace studio
