#pragma once

// The scene's shots as an adaptive grid of cards, then the four tiles that
// add shots. The grid scrolls itself and draws only the cards in view, each
// from a kept drawing of the card, so a scene of hundreds of shots builds
// nothing per shot and scrolls at the cost of the cards on screen. A click
// on a card picks its shot; its context menu moves it or deletes it.

#include "model/Board.h"
#include "model/Look.h"
#include "views/phases/storyboard/ShotCard.h"

#include <QAbstractScrollArea>
#include <QCache>
#include <QList>
#include <QPixmap>
#include <QUuid>
#include <optional>

namespace studio {

class ShotTile;
class ShotTiles;

class ShotGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ShotGrid(QWidget* parent = nullptr);
    ~ShotGrid() override;

    // The scene's shots in the production's aspect. Cheap when no card shows
    // anything new (a typed description, a selection change).
    void setShots(const QList<Shot>& shots, AspectRatio aspect);
    void setSelectedShot(const std::optional<QUuid>& id);
    void setBusy(bool busy);

    ShotTiles* tiles() const { return m_tiles; }
    int cardCount() const { return int(m_cards.size()); }
    const ShotCard& card(int index) const { return m_cards[index]; }
    // Where card `index` is, in the viewport's coordinates.
    QRect cardRect(int index) const;
    // The card under a point of the viewport, or -1.
    int cardAt(const QPoint& point) const;
    // Scrolls the card into view.
    void ensureCardVisible(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void shotPicked(const QUuid& id);
    void moveRequested(const QUuid& id, int offset);
    void deleteRequested(const QUuid& id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Geometry {
        int columns = 1;
        qreal columnWidth = 0;
        qreal left = 0;
        qreal cardHeight = 0;
        qreal tileHeight = 0;
        int firstTileRow = 0;
        int contentHeight = 0;
    };
    Geometry geometryFor(int width) const;
    // The rectangle of item `index` (cards, then tiles) in content coordinates.
    QRectF itemRect(int index) const;
    qreal rowTop(int row) const;
    qreal rowHeight(int row) const;
    void relayout();
    void placeTiles();
    const QPixmap& drawing(int index, const QSize& size);
    int selectedIndex() const;
    void openMenu(int index, const QPoint& globalPos);

    struct Drawing {
        ShotCard card;
        QSize size;
        qreal dpr = 1;
        AspectRatio aspect = AspectRatio::hd169;
        QPixmap pixmap;
    };

    QList<ShotCard> m_cards;
    QList<Shot> m_shots; // what the cards were made from (shared, not copied)
    AspectRatio m_aspect = AspectRatio::hd169;
    std::optional<QUuid> m_selected;
    ShotTiles* m_tiles;
    Geometry m_geometry;
    // Kept card drawings by shot id, shared by every grid.
    static QCache<QUuid, Drawing>& drawings();
    QPixmap m_oversized; // a drawing too large to keep
};

} // namespace studio
