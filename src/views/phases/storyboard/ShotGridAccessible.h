#pragma once

// What assistive technology reads of the shot grid, which paints its cards
// itself: the grid's page is a list whose items are the cards, in storyboard
// order, each named by what it shows ("Shot 2 · Medium · Dolly in · 5s ·
// Planned"), focused while the grid holds the keyboard on it and selected
// while its shot is the one on show; the tiles that add shots follow the
// cards.
//
// The grid makes it for its page.

#include "design/access/PaintedItemsAccessible.h"
#include "views/phases/storyboard/ShotGrid.h"

namespace studio {

class ShotGridAccessible : public PaintedItemsAccessible {
public:
    // The interface of the grid's page (its viewport).
    ShotGridAccessible(QWidget* page, ShotGrid* grid);

    QString text(QAccessible::Text t) const override;

    int itemCount() const override { return m_grid->cardCount(); }
    QUuid itemID(int index) const override { return m_grid->card(index).id; }
    int itemIndex(const QUuid& id) const override { return m_grid->indexOfCard(id); }
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override { return m_grid->cardRect(index); }
    QAccessible::State itemState(int index) const override;
    int itemAt(const QPoint& point) const override { return m_grid->cardAt(point); }
    int focusedItem() const override { return m_grid->focusedCard(); }

private:
    ShotGrid* m_grid;
};

} // namespace studio
