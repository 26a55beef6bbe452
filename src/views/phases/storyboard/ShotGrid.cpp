#include "views/phases/storyboard/ShotGrid.h"

#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/DestructiveAction.h"
#include "design/focus/FocusRing.h"
#include "design/focus/KeyboardActivation.h"
#include "design/style/PictureBudget.h"
#include "design/style/Theme.h"
#include "views/phases/storyboard/ShotGridAccessible.h"
#include "views/phases/storyboard/ShotTiles.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int padding = 18;
constexpr int spacing = 14;
constexpr int minimumColumn = 208;
constexpr int maximumColumn = 280;
constexpr int tileExtra = 52;
constexpr int tileCount = 4;

// Whether two versions of a shot draw the same card (apart from its number).
bool drawsAlike(const Shot& a, const Shot& b)
{
    return a.id == b.id && a.size == b.size && a.move == b.move && a.seconds == b.seconds
        && a.frameSeed == b.frameSeed && a.approvedTakeID == b.approvedTakeID && a.recipeID == b.recipeID
        && a.takes == b.takes;
}

} // namespace

ShotGrid::ShotGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_tiles(new ShotTiles(viewport()))
{
    setFrameShape(QFrame::NoFrame);
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_TranslucentBackground);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A Tab stop while it has cards (keepCurrent()).
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(u"Shots"_s);
    verticalScrollBar()->setSingleStep(24);
    for (ShotTile* tile : m_tiles->tiles())
        tile->installEventFilter(this);
    relayout();
}

ShotGrid::~ShotGrid() = default;

void ShotGrid::setShots(const QList<Shot>& shots, AspectRatio aspect)
{
    if (aspect == m_aspect && shots.isSharedWith(m_shots))
        return;
    // Cards that come, go or move are told one by one, those going first.
    PaintedItemsAccessible::Splice told;
    PaintedItemsAccessible* accessible = PaintedItemsAccessible::changing(viewport(), shots, told);
    const bool relayoutNeeded = aspect != m_aspect || shots.size() != m_cards.size();
    bool changed = relayoutNeeded;
    // The tile holding the keyboard (the one that just added shots) moves
    // with the cards before it; shown whole, it stays shown whole.
    const QList<ShotTile*> tiles = m_tiles->tiles();
    const int focusedTile = int(std::find_if(tiles.cbegin(), tiles.cend(), [](const ShotTile* t) { return t->hasFocus(); })
                                - tiles.cbegin());
    const bool tileShown = focusedTile < tiles.size() && [&] {
        const QRectF r = itemRect(int(m_cards.size()) + focusedTile);
        const int top = verticalScrollBar()->value();
        return r.top() >= top && r.bottom() <= top + viewport()->height();
    }();
    // The cards that show something new (their number among it), whose
    // names a reader may have to hear again.
    QList<int> redrawn;
    m_cards.resize(shots.size());
    for (qsizetype i = 0; i < shots.size(); ++i) {
        // A shot that draws as before keeps its card (numbers follow positions).
        if (i < m_shots.size() && drawsAlike(shots[i], m_shots[i]) && m_cards[i].id == shots[i].id)
            continue;
        const int number = int(std::min<qsizetype>(i + 1, std::numeric_limits<int>::max()));
        ShotCard card = ShotCard::of(shots[i], number);
        if (!(card == m_cards[i])) {
            m_cards[i] = std::move(card);
            changed = true;
            if (accessible)
                redrawn << int(i);
        }
    }
    m_shots = shots;
    m_aspect = aspect;
    if (relayoutNeeded)
        relayout();
    if (relayoutNeeded && tileShown)
        ensureItemVisible(int(m_cards.size()) + focusedTile);
    if (changed)
        viewport()->update();
    keepCurrent();
    if (accessible) {
        accessible->itemsChanged(told);
        for (const int card : std::as_const(redrawn))
            accessible->nameMayHaveChanged(card);
    }
}

void ShotGrid::setSelectedShot(const std::optional<QUuid>& id)
{
    if (id == m_selected)
        return;
    const std::optional<QUuid> was = std::exchange(m_selected, id);
    viewport()->update();
    if (was)
        PaintedItemsAccessible::selectionChanged(viewport(), *was);
    if (id)
        PaintedItemsAccessible::selectionChanged(viewport(), *id);
}

void ShotGrid::setBusy(bool busy)
{
    m_tiles->setBusy(busy);
}

ShotGrid::Geometry ShotGrid::geometryFor(int width) const
{
    Geometry g;
    const AdaptiveGridLayout::Columns columns =
        AdaptiveGridLayout::columnsFor(std::max(0, width - 2 * padding), minimumColumn, maximumColumn, spacing);
    g.columns = std::max(1, columns.count);
    g.columnWidth = columns.width;
    g.left = padding + columns.offset;
    g.cardHeight = ShotCard::height(m_aspect);
    g.tileHeight = std::ceil(ShotCard::frameHeight(m_aspect) + tileExtra);
    g.firstTileRow = int(m_cards.size() / g.columns);
    const int items = int(m_cards.size()) + tileCount;
    const int rows = (items + g.columns - 1) / g.columns;
    const qreal tileRow = std::max(g.cardHeight, g.tileHeight);
    const qreal content = padding + g.firstTileRow * (g.cardHeight + spacing)
        + (rows - g.firstTileRow) * tileRow + (rows - g.firstTileRow - 1) * spacing + padding;
    g.contentHeight = int(std::ceil(std::min<qreal>(content, std::numeric_limits<int>::max() / 2)));
    return g;
}

qreal ShotGrid::rowTop(int row) const
{
    const Geometry& g = m_geometry;
    if (row <= g.firstTileRow)
        return padding + row * (g.cardHeight + spacing);
    return padding + g.firstTileRow * (g.cardHeight + spacing)
        + (row - g.firstTileRow) * (std::max(g.cardHeight, g.tileHeight) + spacing);
}

qreal ShotGrid::rowHeight(int row) const
{
    const Geometry& g = m_geometry;
    return row < g.firstTileRow ? g.cardHeight : std::max(g.cardHeight, g.tileHeight);
}

QRectF ShotGrid::itemRect(int index) const
{
    const Geometry& g = m_geometry;
    const int row = index / g.columns;
    const int column = index % g.columns;
    const qreal height = index < m_cards.size() ? g.cardHeight : g.tileHeight;
    const qreal x = g.left + column * (g.columnWidth + spacing);
    const qreal y = rowTop(row) + (rowHeight(row) - height) / 2.0;
    return QRectF(x, y, g.columnWidth, height);
}

QRect ShotGrid::cardRect(int index) const
{
    if (index < 0 || index >= m_cards.size())
        return QRect();
    return itemRect(index).translated(0, -verticalScrollBar()->value()).toAlignedRect();
}

int ShotGrid::cardAt(const QPoint& point) const
{
    const Geometry& g = m_geometry;
    const qreal y = point.y() + verticalScrollBar()->value();
    const qreal stride = g.cardHeight + spacing;
    if (stride <= 0 || y < padding)
        return -1;
    const int row = int((y - padding) / stride);
    const int column = int((point.x() - g.left) / (g.columnWidth + spacing));
    if (point.x() < g.left || column >= g.columns)
        return -1;
    const qint64 index = qint64(row) * g.columns + column;
    if (index >= m_cards.size())
        return -1;
    return itemRect(int(index)).contains(QPointF(point.x(), y)) ? int(index) : -1;
}

void ShotGrid::ensureCardVisible(int index)
{
    if (index >= 0 && index < m_cards.size())
        ensureItemVisible(index);
}

void ShotGrid::ensureItemVisible(int index)
{
    const QRectF r = itemRect(index);
    QScrollBar* bar = verticalScrollBar();
    if (r.top() < bar->value())
        bar->setValue(int(std::floor(r.top())) - spacing);
    else if (r.bottom() > bar->value() + viewport()->height())
        bar->setValue(int(std::ceil(r.bottom())) - viewport()->height() + spacing);
}

void ShotGrid::relayout()
{
    m_geometry = geometryFor(viewport()->width());
    m_tiles->setMinimumTileHeight(int(m_geometry.tileHeight));
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, m_geometry.contentHeight - viewport()->height()));
    placeTiles();
    viewport()->update();
}

void ShotGrid::placeTiles()
{
    const int scroll = verticalScrollBar()->value();
    for (int k = 0; k < tileCount; ++k) {
        const QRectF r = itemRect(int(m_cards.size()) + k).translated(0, -scroll);
        m_tiles->tiles()[k]->setGeometry(r.toAlignedRect());
    }
}

QSize ShotGrid::sizeHint() const
{
    return QSize(minimumColumn * 2 + spacing + 2 * padding, 400);
}

QSize ShotGrid::minimumSizeHint() const
{
    return QSize(minimumColumn + 2 * padding, 120);
}

void ShotGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ShotGrid::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
}

QCache<QUuid, ShotGrid::Drawing>& ShotGrid::drawings()
{
    // A few screens' worth at any pixel ratio: the grids' share of the
    // process's pictures (design/style/PictureBudget.h).
    static QCache<QUuid, Drawing> kept(pictureBudget::shotCards);
    return kept;
}

const QPixmap& ShotGrid::drawing(int index, const QSize& size)
{
    const ShotCard& card = m_cards[index];
    const qreal dpr = viewport()->devicePixelRatioF();
    Drawing* kept = drawings().object(card.id);
    if (kept && kept->card == card && kept->size == size && kept->dpr == dpr && kept->aspect == m_aspect)
        return kept->pixmap;
    auto* fresh = new Drawing{card, size, dpr, m_aspect, QPixmap((QSizeF(size) * dpr).toSize())};
    fresh->pixmap.setDevicePixelRatio(dpr);
    fresh->pixmap.fill(Qt::transparent);
    {
        QPainter p(&fresh->pixmap);
        card.paint(p, QSizeF(size), m_aspect);
    }
    const auto cost = pictureBudget::cost(qsizetype(fresh->pixmap.width()) * fresh->pixmap.height() * 4);
    if (cost > drawings().maxCost()) {
        m_oversized = fresh->pixmap;
        delete fresh;
        return m_oversized;
    }
    drawings().insert(card.id, fresh, cost);
    return fresh->pixmap;
}

void ShotGrid::paintEvent(QPaintEvent* event)
{
    if (m_cards.isEmpty())
        return;
    QPainter p(viewport());
    const int scroll = verticalScrollBar()->value();
    const QRect exposed = event->rect().translated(0, scroll);
    const Geometry& g = m_geometry;
    const int focused = focusedCard();
    const qreal stride = g.cardHeight + spacing;
    int row = stride > 0 ? std::max(0, int((exposed.top() - padding) / stride) - 1) : 0;
    const int lastCardRow = int((m_cards.size() - 1) / g.columns);
    for (; row <= lastCardRow && rowTop(row) <= exposed.bottom(); ++row) {
        for (int column = 0; column < g.columns; ++column) {
            const qint64 index = qint64(row) * g.columns + column;
            if (index >= m_cards.size())
                break;
            const QRectF r = itemRect(int(index));
            if (!r.intersects(exposed))
                continue;
            // Whole points, so the kept drawing lands on the pixel grid.
            const QRect cell(int(std::round(r.left())), int(std::round(r.top())) - scroll, int(std::round(r.width())),
                             int(std::round(r.height())));
            p.drawPixmap(cell.topLeft(), drawing(int(index), cell.size()));
            const bool selected = m_selected && *m_selected == m_cards[index].id;
            ShotCard::paintOutline(p, QRectF(cell), selected);
            // Inside the outline, so it reads on the chosen card's accent too.
            if (focused == index)
                FocusRing::paintRounded(p, QRectF(cell).adjusted(2, 2, -2, -2), ShotCard::radius - 2);
        }
    }
}

bool ShotGrid::eventFilter(QObject* watched, QEvent* event)
{
    // A tile the keyboard (or the program) gives the focus to scrolls into
    // view: the tiles sit in the grid's own scrolled content, which no page
    // around the grid knows how to scroll. A click leaves the grid be.
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const int tile = int(m_tiles->tiles().indexOf(qobject_cast<ShotTile*>(watched)));
        if (tile >= 0 && reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason
            && reason != Qt::PopupFocusReason)
            ensureItemVisible(int(m_cards.size()) + tile);
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool ShotGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = cardAt(help->pos());
        if (index >= 0 && m_cards[index].hasRecipe) {
            const QRect cell = cardRect(index);
            const QRectF mark = m_cards[index].recipeMarkRect(QSizeF(cell.size()), m_aspect).translated(cell.topLeft());
            if (mark.contains(help->pos()) && !m_cards[index].recipeHelp.isEmpty()) {
                QToolTip::showText(help->globalPos(), m_cards[index].recipeHelp, viewport(), mark.toAlignedRect());
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void ShotGrid::mousePressEvent(QMouseEvent* event)
{
    // A press on a card puts the keyboard straight on it; one between the
    // cards leaves the keyboard where it was.
    const int index = cardAt(event->position().toPoint());
    if (index >= 0) {
        setCurrent(index, false);
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
    }
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (index >= 0)
        Q_EMIT shotPicked(m_cards[index].id);
}

int ShotGrid::selectedIndex() const
{
    return m_selected ? indexOfCard(*m_selected) : -1;
}

int ShotGrid::indexOfCard(const QUuid& shotID) const
{
    for (int i = 0; i < m_cards.size(); ++i) {
        if (m_cards[i].id == shotID)
            return i;
    }
    return -1;
}

void ShotGrid::contextMenuEvent(QContextMenuEvent* event)
{
    int index = -1;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        // Mouse events reach the grid from its viewport, in the viewport's coordinates.
        index = cardAt(event->pos());
        if (index >= 0)
            setCurrent(index, false);
    } else {
        // The Menu key and Shift+F10 act on the focused card (else the
        // selected one), and the menu opens over it.
        index = hasFocus() ? currentIndex() : selectedIndex();
        if (index >= 0) {
            ensureCardVisible(index);
            at = viewport()->mapToGlobal(cardRect(index).center());
        }
    }
    if (index < 0)
        return;
    openMenu(index, at);
}

int ShotGrid::focusedCard() const
{
    return hasFocus() ? currentIndex() : -1;
}

int ShotGrid::currentIndex() const
{
    if (m_cards.isEmpty())
        return -1;
    if (m_currentIndex < m_cards.size() && m_cards[m_currentIndex].id == m_current)
        return m_currentIndex;
    const int found = indexOfCard(m_current);
    return found >= 0 ? found : std::clamp(m_currentIndex, 0, int(m_cards.size()) - 1);
}

void ShotGrid::setCurrent(int index, bool reveal)
{
    if (index < 0 || index >= m_cards.size())
        return;
    const bool moved = m_cards[index].id != m_current;
    m_current = m_cards[index].id;
    m_currentIndex = index;
    if (!hasFocus())
        return;
    if (reveal)
        ensureCardVisible(index);
    viewport()->update();
    if (moved)
        PaintedItemsAccessible::tellFocus(viewport(), index);
}

void ShotGrid::keepCurrent()
{
    const int index = currentIndex();
    if (index >= 0) {
        m_current = m_cards[index].id;
        m_currentIndex = index;
    }
    if (!m_cards.isEmpty()) {
        // Reached by Tab, and by a click on a card (mousePressEvent).
        setFocusPolicy(Qt::TabFocus);
        return;
    }
    // The last card went (deleted from its menu): the grid keeps the
    // keyboard where the cards were, pressing nothing ("Add shot" would add
    // one); Tab goes on to the tiles.
    setFocusPolicy(Qt::NoFocus);
}

void ShotGrid::takeKeyboardAt(int index)
{
    if (!m_cards.isEmpty()) {
        m_currentIndex = std::clamp(index, 0, int(m_cards.size()) - 1);
        m_current = m_cards[m_currentIndex].id;
    }
    setFocus(Qt::OtherFocusReason);
}

void ShotGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // Tab enters at the first card, Shift+Tab at the last; otherwise the
    // focus comes back to the card it was on. Only the keyboard scrolls to
    // it: a click is about to name its own card.
    int index = currentIndex();
    if (event->reason() == Qt::TabFocusReason)
        index = 0;
    else if (event->reason() == Qt::BacktabFocusReason)
        index = int(m_cards.size()) - 1;
    const bool reveal = event->reason() != Qt::MouseFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
    m_current = QUuid(); // announced as newly focused
    setCurrent(index, reveal);
    viewport()->update();
}

void ShotGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

bool ShotGrid::focusNextPrevChild(bool next)
{
    // Tab moves from card to card while the grid holds the focus; past the
    // last (or first) card it leaves the grid as usual.
    if (hasFocus()) {
        const int index = currentIndex() + (next ? 1 : -1);
        if (index >= 0 && index < m_cards.size()) {
            setCurrent(index);
            return true;
        }
    }
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void ShotGrid::keyPressEvent(QKeyEvent* event)
{
    const int index = currentIndex();
    if (KeyboardActivation::isActivationPress(*event)) {
        if (index >= 0)
            Q_EMIT shotPicked(m_cards[index].id);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ShotGrid::openMenu(int index, const QPoint& globalPos)
{
    const QUuid id = m_cards[index].id;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(u"Move earlier"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, -1); });
    connect(menu->addAction(u"Move later"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, 1); });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Delete shot"_s), &QAction::triggered, this, [this, id] { Q_EMIT deleteRequested(id); });
    menu->popup(globalPos);
}


QAccessibleInterface* ShotGrid::accessibleFor(QObject* object)
{
    return object == viewport() ? new ShotGridAccessible(viewport(), this) : nullptr;
}

} // namespace studio
