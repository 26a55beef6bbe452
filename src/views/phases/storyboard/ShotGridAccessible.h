#pragma once

// What assistive technology reads of the shot grid, which paints its cards
// itself: the grid's page is a list whose items are the cards, in storyboard
// order, each named by what it shows ("Shot 2 · Medium · Dolly in · 5s ·
// Planned"), focused while the grid holds the keyboard on it and selected
// while its shot is the one on show; the tiles that add shots follow the
// cards.
//
// The interface comes from the factory install() registers, the first time
// a grid is built.

#include <QAccessibleWidget>
#include <QHash>
#include <QUuid>

namespace studio {

class ShotGrid;

class ShotGridAccessible : public QAccessibleWidget {
public:
    // The interface of the grid's page (its viewport).
    ShotGridAccessible(QWidget* page, ShotGrid* grid);
    ~ShotGridAccessible() override;

    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QAccessibleInterface* card(int index) const;
    QList<QWidget*> tiles() const;

    ShotGrid* m_grid;
    // The interfaces made for cards, by shot id; dropped with the card, or
    // with the grid.
    mutable QHash<QUuid, QAccessible::Id> m_cards;
};

} // namespace studio
