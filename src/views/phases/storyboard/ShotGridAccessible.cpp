#include "views/phases/storyboard/ShotGridAccessible.h"

namespace studio {

ShotGridAccessible::ShotGridAccessible(QWidget* page, ShotGrid* grid)
    : PaintedItemsAccessible(page, QAccessible::List, QAccessible::ListItem, grid)
    , m_grid(grid)
{
}

QString ShotGridAccessible::text(QAccessible::Text t) const
{
    // The list is read by the grid's name.
    return t == QAccessible::Name ? m_grid->accessibleName() : PaintedItemsAccessible::text(t);
}

QString ShotGridAccessible::itemText(int index, QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_grid->card(index).spokenText() : QString();
}

QAccessible::State ShotGridAccessible::itemState(int index) const
{
    QAccessible::State s;
    s.selectable = true;
    s.selected = m_grid->selectedShot() == m_grid->card(index).id;
    return s;
}

} // namespace studio
