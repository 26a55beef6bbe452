#include "views/phases/spark/IdeaBoard.h"

#include "design/widgets/CardSurface.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SymbolLabel.h"
#include "design/focus/TabOrder.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Project.h"
#include "views/phases/spark/IdeaCardView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

QWidget* emptyState(QWidget* parent)
{
    auto* card = new CardSurface(14, Palette::white(level::trace), parent);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(0, 30, 0, 30);
    row->setSpacing(10);
    row->addStretch(1);
    row->addWidget(new SymbolLabel(u"sparkles"_s, type::bodyLarge, Palette::textTertiary()), 0, Qt::AlignVCenter);
    auto* text = new TextLabel(u"Nothing yet. The smallest fragment counts \u2014 a color, a sound, half a sentence."_s,
                               Theme::font(type::bodyLarge), Palette::textTertiary());
    row->addWidget(text, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return card;
}

} // namespace

// The strip's content: as wide as every card side by side and as tall as
// the tallest, holding the built cards at their places.
class IdeaBoard::Row : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return m_size; }
    QSize minimumSizeHint() const override { return m_size; }
    void setSize(const QSize& size)
    {
        if (size == m_size)
            return;
        m_size = size;
        setFixedSize(size);
    }

private:
    QSize m_size{0, 0};
};

namespace {
constexpr int cardSpacing = 12;
constexpr int rowPadding = 2;
// Cards built beyond each edge of the view, so a scroll shows built cards.
constexpr int viewMargin = 250;
} // namespace

IdeaBoard::IdeaBoard(QWidget* parent)
    : QWidget(parent)
    , m_add(new MenuButton(u"Add fragment"_s, this))
    , m_empty(emptyState(this))
    , m_strip(new HorizontalStrip(cardSpacing, this))
    , m_row(new Row)
    , m_views(m_row)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Where the keyboard rests when the last fragment is deleted.
    setAccessibleName(u"Idea Board"_s);
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
    m_add->setLabelFont(Theme::font(type::bodyLarge, QFont::Medium));
    m_add->setLabelColor(Palette::textPrimary());
    m_add->setSymbol(u"plus"_s, type::bodyLarge, Palette::textPrimary(), QFont::Medium);
    m_add->setCursor(Qt::PointingHandCursor);
    for (IdeaCardKind kind : allCases<IdeaCardKind>()) {
        QAction* action = m_add->menu()->addAction(Symbols::icon(symbol(kind), type::control, Palette::textSecondary()),
                                                   Theme::escapeMnemonic(label(kind)));
        connect(action, &QAction::triggered, this, [this, kind] { Q_EMIT addRequested(kind); });
    }

    m_strip->setContent(m_row);
    m_row->installEventFilter(this);
    m_strip->viewport()->installEventFilter(this);
    connect(m_strip->horizontalScrollBar(), &QScrollBar::valueChanged, this, &IdeaBoard::fillView);
    m_strip->hide();
}

IdeaBoard::~IdeaBoard() = default;

int IdeaBoard::cardLeft(qsizetype index) const
{
    return int(index) * (IdeaCardView::cardWidth() + cardSpacing);
}

IdeaCardView* IdeaBoard::build(qsizetype index)
{
    const IdeaCard& card = m_cards[index];
    auto* view = new IdeaCardView(card.id, m_row);
    connect(view, &IdeaCardView::textEdited, this, &IdeaBoard::textEdited);
    connect(view, &IdeaCardView::deleteRequested, this, &IdeaBoard::deleteRequested);
    view->setCard(card);
    return view;
}

void IdeaBoard::setCards(const QList<IdeaCard>& cards)
{
    const bool sameOrder = cards.size() == m_cards.size()
        && std::equal(cards.cbegin(), cards.cend(), m_cards.cbegin(),
                      [](const IdeaCard& a, const IdeaCard& b) { return a.id == b.id; });
    // A card keeps the height the row counts for it while its text stays:
    // a keystroke changes one card's text, an added or deleted card moves
    // the others, and a card measured once must not fall back to its
    // estimate (the row would shorten under a page scrolled to its foot).
    QList<int> heights;
    heights.reserve(cards.size());
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const IdeaCard& card = cards[i];
        const qsizetype before = sameOrder ? i : m_views.indexOf(card.id);
        if (before >= 0 && m_cards[before].text == card.text)
            heights.append(m_heights[before]);
        else
            heights.append(IdeaCardView::estimatedHeight(card.text));
    }
    m_cards = cards;
    m_heights = heights;
    if (!sameOrder) {
        QList<QUuid> ids;
        ids.reserve(cards.size());
        for (const IdeaCard& card : cards)
            ids.append(card.id);
        m_views.setKeys(ids);
    }
    m_views.forEach([this](IdeaCardView* view, qsizetype index) { view->setCard(m_cards[index]); });
    if (sameOrder) {
        resizeRow();
        return;
    }

    const bool empty = cards.isEmpty();
    resizeRow();
    fillView();
    if (empty != m_strip->isHidden()) {
        // The strip takes the empty state's place with its cards' height
        // known, so the page never sees a shorter board in between (it would
        // clamp its scroll position to that and jump when the cards appear).
        m_strip->updateGeometry();
        m_empty->setVisible(empty);
        m_strip->setVisible(!empty);
    }
}

void IdeaBoard::fillView()
{
    const int pitch = IdeaCardView::cardWidth() + cardSpacing;
    const int left = m_strip->horizontalScrollBar()->value() - viewMargin;
    // Before the strip is first laid out its width is not known yet: the
    // window's width of cards is built.
    const int width = m_strip->viewport()->width() > 100 ? m_strip->viewport()->width() : window()->width();
    const qsizetype first = std::max<qsizetype>(0, left / pitch);
    const qsizetype last = std::min<qsizetype>(m_cards.size() - 1, (left + width + 2 * viewMargin) / pitch);
    m_views.sync([first, last](qsizetype index) { return index >= first && index <= last; },
                 [this](qsizetype index) { return build(index); });
    place();
    // Cards built now would come last in the window's Tab order: they follow
    // "Add fragment", in the strip's order. A card taking the focus is
    // scrolled into view, which builds its neighbours, so Tab and Shift+Tab
    // walk the whole strip.
    QList<QWidget*> stops;
    m_views.forEach([&stops](IdeaCardView* view, qsizetype) { stops.append(view->tabStops()); });
    TabOrder::chain(m_add, stops);
}

void IdeaBoard::place()
{
    m_placing = true;
    bool grew = false;
    m_views.forEach([this, &grew](IdeaCardView* view, qsizetype i) {
        const int height = view->sizeHint().height();
        // The row counts a card's height from its estimate until it is built.
        // A built card that is taller makes room for itself; one that is
        // shorter leaves the row as it was: a card built far along the strip
        // must not shorten it, or a page scrolled to its foot would jump.
        if (height > m_heights[i]) {
            m_heights[i] = height;
            grew = true;
        }
        view->setGeometry(cardLeft(i), rowPadding, IdeaCardView::cardWidth(), height);
    });
    m_placing = false;
    if (grew)
        resizeRow();
}

void IdeaBoard::resizeRow()
{
    int tallest = 0;
    for (int height : std::as_const(m_heights))
        tallest = std::max(tallest, height);
    const int width = m_cards.isEmpty() ? 0 : cardLeft(m_cards.size() - 1) + IdeaCardView::cardWidth();
    const QSize size(width, tallest + 2 * rowPadding);
    if (size != m_row->sizeHint()) {
        m_row->setSize(size);
        m_strip->updateGeometry();
    }
}

bool IdeaBoard::eventFilter(QObject* watched, QEvent* event)
{
    // A card that grows or shrinks with its text asks its parent, the row,
    // for a new layout; the strip's viewport changes width with the window.
    if (watched == m_row && event->type() == QEvent::LayoutRequest && !m_placing)
        place();
    else if (watched == m_strip->viewport() && event->type() == QEvent::Resize)
        fillView();
    return QWidget::eventFilter(watched, event);
}

bool IdeaBoard::isEmptyStateShown() const
{
    return !m_empty->isHidden();
}

QList<IdeaCardView*> IdeaBoard::cardViews() const
{
    return m_views.widgets();
}

IdeaCardView* IdeaBoard::cardView(const QUuid& cardID) const
{
    return m_views.widget(cardID);
}

IdeaCardView* IdeaBoard::revealCard(const QUuid& cardID)
{
    const qsizetype index = m_views.indexOf(cardID);
    if (index < 0)
        return nullptr;
    QScrollBar* bar = m_strip->horizontalScrollBar();
    const int left = cardLeft(index);
    const int width = m_strip->viewport()->width();
    if (left < bar->value() || left + IdeaCardView::cardWidth() > bar->value() + width)
        bar->setValue(left - std::max(0, (width - IdeaCardView::cardWidth()) / 2));
    fillView();
    return m_views.widget(cardID);
}

} // namespace studio
