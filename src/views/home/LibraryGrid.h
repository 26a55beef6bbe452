#pragma once

// The library's grid: the new-production card first, then one poster card
// per stored production in the store's order, in as many columns of 250 to
// 330 points as fit, 18 points apart. Cards are matched to productions by id
// on every change of the list: a production that stays keeps its card (and
// its hover), new ones get a card, gone ones lose theirs.
//
// Cards cannot paint past their own edge, so their shadows are painted by the
// widget behind the grid through paintShadows().

#include "model/Project.h"
#include "views/home/ProjectPosterCard.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>

namespace studio {

class AdaptiveGridLayout;
class NewProjectCard;
template <typename Key, typename W>
class KeyedList;

class LibraryGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumColumn = 250;
    static constexpr int maximumColumn = 330;
    static constexpr int spacing = 18;

    explicit LibraryGrid(QWidget* parent = nullptr);
    ~LibraryGrid() override;

    void sync(const QList<Project>& projects);
    void setClock(ProjectPosterCard::Clock clock);

    NewProjectCard* newProjectCard() const { return m_newCard; }
    QList<ProjectPosterCard*> cards() const;
    // The card of that production, if it has one.
    ProjectPosterCard* card(const QUuid& projectID) const;
    // The grid's last Tab stop, after which the library's footer comes.
    QWidget* lastStop() const;

    // Paints the shadow of every card that reaches `exposed` (in onto's
    // coordinates) into a painter on `onto`, a widget behind the grid.
    void paintShadows(QPainter& painter, QWidget* onto, const QRect& exposed) const;

Q_SIGNALS:
    void newProductionRequested();
    void openRequested(const QUuid& id);
    void contextMenuRequested(const QUuid& id, const QPoint& globalPos);
    // The shadows in this rectangle (grid coordinates) must be repainted.
    void shadowsChanged(const QRect& area);

private:
    AdaptiveGridLayout* m_layout;
    NewProjectCard* m_newCard;
    std::unique_ptr<KeyedList<QUuid, ProjectPosterCard>> m_cards;
    ProjectPosterCard::Clock m_clock;
};

} // namespace studio
