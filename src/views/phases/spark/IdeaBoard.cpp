#include "views/phases/spark/IdeaBoard.h"

#include "design/CardSurface.h"
#include "design/HorizontalStrip.h"
#include "design/KeyedList.h"
#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/SectionHeader.h"
#include "design/SymbolLabel.h"
#include "design/Symbols.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Project.h"
#include "views/phases/spark/IdeaCardView.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

QWidget* emptyState(QWidget* parent)
{
    auto* card = new CardSurface(14, Palette::white(0.02), parent);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(0, 30, 0, 30);
    row->setSpacing(10);
    row->addStretch(1);
    row->addWidget(new SymbolLabel(u"sparkles"_s, 11.5, Palette::textTertiary()), 0, Qt::AlignVCenter);
    auto* text = new TextLabel(u"Nothing yet. The smallest fragment counts \u2014 a color, a sound, half a sentence."_s,
                               Theme::font(11.5), Palette::textTertiary());
    row->addWidget(text, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return card;
}

} // namespace

IdeaBoard::IdeaBoard(QWidget* parent)
    : QWidget(parent)
    , m_add(new MenuButton(u"Add fragment"_s, this))
    , m_empty(emptyState(this))
    , m_strip(new HorizontalStrip(12, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->addWidget(new SectionHeader(
        u"Idea Board"_s,
        u"Loose fragments \u2014 images in your head, lines of dialogue, scenes that don't exist yet."_s));
    header->addStretch(1);
    header->addWidget(m_add, 0, Qt::AlignVCenter);
    stack->addLayout(header);
    stack->addWidget(m_empty);
    stack->addWidget(m_strip);

    m_add->setShape(MenuButton::Shape::plain);
    m_add->setPadding(0, 0);
    m_add->setLabelFont(Theme::font(11.5, QFont::Medium));
    m_add->setLabelColor(Palette::textPrimary());
    m_add->setSymbol(u"plus"_s, 11.5, Palette::textPrimary(), QFont::Medium);
    m_add->setCursor(Qt::PointingHandCursor);
    for (IdeaCardKind kind : allCases<IdeaCardKind>()) {
        QAction* action = m_add->menu()->addAction(Symbols::icon(symbol(kind), 12, Palette::textSecondary()),
                                                   Theme::escapeMnemonic(label(kind)));
        connect(action, &QAction::triggered, this, [this, kind] { Q_EMIT addRequested(kind); });
    }

    m_strip->row()->setContentsMargins(0, 2, 0, 2);
    m_cards = std::make_unique<KeyedList<QUuid, IdeaCardView>>(m_strip->row());
    m_strip->hide();
}

IdeaBoard::~IdeaBoard() = default;

void IdeaBoard::setCards(const QList<IdeaCard>& cards)
{
    // A keystroke changes one card's text and nothing of the order: update
    // the cards in place without asking the layout where each one sits.
    const QList<QUuid> shown = m_cards->keys();
    if (shown.size() == cards.size()
        && std::equal(shown.cbegin(), shown.cend(), cards.cbegin(),
                      [](const QUuid& id, const IdeaCard& card) { return id == card.id; })) {
        for (qsizetype i = 0; i < cards.size(); ++i) {
            if (IdeaCardView* view = m_cards->widget(shown[i]))
                view->setCard(cards[i]);
        }
        return;
    }
    const bool empty = cards.isEmpty();
    QHBoxLayout* row = m_strip->row();
    // New cards sit at the strip's top edge, each as tall as its own text.
    QList<IdeaCardView*> created;
    m_cards->sync(
        cards, [](const IdeaCard& card) { return card.id; },
        [this, &created](const IdeaCard& card) {
            auto* view = new IdeaCardView(card.id, m_strip->content());
            created.append(view);
            connect(view, &IdeaCardView::textEdited, this, &IdeaBoard::textEdited);
            connect(view, &IdeaCardView::deleteRequested, this, &IdeaBoard::deleteRequested);
            return view;
        },
        [](IdeaCardView* view, const IdeaCard& card, int) { view->setCard(card); });
    for (IdeaCardView* view : std::as_const(created))
        row->setAlignment(view, Qt::AlignTop);
    if (empty != m_strip->isHidden()) {
        // The strip takes the empty state's place with its cards' height
        // known, so the page never sees a shorter board in between (it would
        // clamp its scroll position to that and jump when the cards appear).
        m_strip->content()->layout()->activate();
        m_strip->updateGeometry();
        m_empty->setVisible(empty);
        m_strip->setVisible(!empty);
    }
}

bool IdeaBoard::isEmptyStateShown() const
{
    return !m_empty->isHidden();
}

QList<IdeaCardView*> IdeaBoard::cardViews() const
{
    return m_cards->widgets();
}

IdeaCardView* IdeaBoard::cardView(const QUuid& cardID) const
{
    return m_cards->widget(cardID);
}

} // namespace studio
