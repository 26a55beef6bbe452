#include "design/widgets/ItemListLayout.h"

#include <QWidget>

namespace studio {

ItemListLayout::ItemListLayout(QWidget* parent)
    : QLayout(parent)
{
}

ItemListLayout::~ItemListLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void ItemListLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
}

int ItemListLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem* ItemListLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* ItemListLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

void ItemListLayout::insertWidget(int index, QWidget* widget)
{
    addChildWidget(widget);
    auto* item = new QWidgetItem(widget);
    if (index < 0 || index > m_items.size())
        index = int(m_items.size());
    m_items.insert(index, item);
    invalidate();
}

QList<QLayoutItem*> ItemListLayout::visibleItems() const
{
    QList<QLayoutItem*> list;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            list.append(item);
    }
    return list;
}

} // namespace studio
