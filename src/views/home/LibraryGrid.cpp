#include "views/home/LibraryGrid.h"

#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/KeyedList.h"
#include "design/focus/TabOrder.h"
#include "views/home/NewProjectCard.h"

#include <QPainter>

#include <cmath>

namespace studio {

namespace {
// Every cell widget carries the cards' margin on each side, so the layout's
// columns and gaps are widened and narrowed by it to keep the cards
// themselves 250 to 330 points wide and 18 points apart.
constexpr int margin = ProjectPosterCard::cellMargin;
} // namespace

LibraryGrid::LibraryGrid(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_layout = new AdaptiveGridLayout(minimumColumn + 2 * margin, maximumColumn + 2 * margin,
                                      spacing - 2 * margin, spacing - 2 * margin, this);
    m_newCard = new NewProjectCard(this);
    m_layout->addWidget(m_newCard);
    connect(m_newCard, &QAbstractButton::clicked, this, &LibraryGrid::newProductionRequested);
    m_cards = std::make_unique<KeyedList<QUuid, ProjectPosterCard>>(m_layout, 1);
}

LibraryGrid::~LibraryGrid() = default;

void LibraryGrid::sync(const QList<Project>& projects)
{
    m_cards->sync(
        projects, [](const Project& p) { return p.id; },
        [this](const Project& p) {
            auto* card = new ProjectPosterCard(p, this);
            if (m_clock)
                card->setClock(m_clock);
            // The card reports its production's id as it is at the moment of
            // the click; the library looks the production up again by it.
            connect(card, &QAbstractButton::clicked, this, [this, card] { Q_EMIT openRequested(card->projectID()); });
            connect(card, &ProjectPosterCard::contextMenuRequested, this, &LibraryGrid::contextMenuRequested);
            connect(card, &ProjectPosterCard::hoverAmountChanged, this, [this, card] {
                const int reach = int(std::ceil(ProjectPosterCard::shadowReach()));
                Q_EMIT shadowsChanged(card->geometry().adjusted(-reach, -reach, reach, reach));
            });
            return card;
        },
        [](ProjectPosterCard* card, const Project& p, int) { card->setProject(p); });
    // Tab goes through the cards as they read, the new-production card
    // first, whenever each card was made (a copy made later is placed
    // before older productions).
    const QList<ProjectPosterCard*> cards = m_cards->widgets();
    TabOrder::chain(m_newCard, QList<QWidget*>(cards.cbegin(), cards.cend()));
}

QWidget* LibraryGrid::lastStop() const
{
    const QList<ProjectPosterCard*> cards = m_cards->widgets();
    return cards.isEmpty() ? static_cast<QWidget*>(m_newCard) : cards.last();
}

void LibraryGrid::setClock(ProjectPosterCard::Clock clock)
{
    m_clock = std::move(clock);
    for (ProjectPosterCard* card : m_cards->widgets())
        card->setClock(m_clock);
}

QList<ProjectPosterCard*> LibraryGrid::cards() const
{
    return m_cards->widgets();
}

ProjectPosterCard* LibraryGrid::card(const QUuid& projectID) const
{
    return m_cards->widget(projectID);
}

void LibraryGrid::paintShadows(QPainter& painter, QWidget* onto, const QRect& exposed) const
{
    if (!isVisible())
        return;
    const QPoint origin = mapTo(onto, QPoint(0, 0));
    const qreal reach = ProjectPosterCard::shadowReach();
    for (ProjectPosterCard* card : m_cards->widgets()) {
        if (!card || card->isHidden())
            continue;
        const QRectF shape = card->cardRect().translated(card->pos() + origin);
        if (!shape.adjusted(-reach, -reach, reach, reach).intersects(QRectF(exposed)))
            continue;
        card->paintShadow(painter, shape);
    }
}

} // namespace studio
