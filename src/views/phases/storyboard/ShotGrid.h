#pragma once

// The scene's shots as an adaptive grid of cards, then the four tiles that
// add shots. The grid scrolls itself and draws only the cards in view, each
// from a kept drawing of the card, so a scene of hundreds of shots builds
// nothing per shot and scrolls at the cost of the cards on screen. A click
// on a card picks its shot; its context menu moves it or deletes it.
//
// With the keyboard, each card is a Tab stop of its own: the grid holds the
// focus for one card at a time (the focused card, drawn with the focus
// ring), Tab and Shift+Tab go from card to card before leaving the grid,
// Space and Return pick the focused card's shot, and the Menu key or
// Shift+F10 opens its context menu. Assistive technology reads each card
// as an item of the grid (ShotGridAccessible).

#include "design/widgets/AccessibleSource.h"
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

class ShotGrid : public QAbstractScrollArea, public AccessibleSource {
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
    // The card holding the keyboard focus, or -1 while the grid has none.
    int focusedCard() const;
    // The card of a shot, or -1.
    int indexOfCard(const QUuid& shotID) const;
    // Gives the grid the keyboard on the card at `index` (held to the cards:
    // after a delete, the card now in the deleted one's place, else the
    // last). Without cards the grid holds it resting, heard by its name:
    // Return and Space do nothing, Tab goes on to the tiles.
    void takeKeyboardAt(int index);
    const std::optional<QUuid>& selectedShot() const { return m_selected; }

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
    // The page (the viewport) reads as the list of cards.
    QAccessibleInterface* accessibleFor(QObject* object) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

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
    // Scrolls item `index` into view.
    void ensureItemVisible(int index);
    qreal rowTop(int row) const;
    qreal rowHeight(int row) const;
    void relayout();
    void placeTiles();
    const QPixmap& drawing(int index, const QSize& size);
    int selectedIndex() const;
    void openMenu(int index, const QPoint& globalPos);
    // The card the focus is on (or goes to when the grid takes it): its
    // index, or -1 without cards.
    int currentIndex() const;
    // Puts the focus on card `index` (scrolled into view when `reveal`).
    void setCurrent(int index, bool reveal = true);
    // After the cards change: the focused card's shot, or the card now in
    // its place when the shot is gone; without cards, the focus goes on to
    // the tiles.
    void keepCurrent();

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
    QUuid m_current;
    int m_currentIndex = 0;
    ShotTiles* m_tiles;
    Geometry m_geometry;
    // Kept card drawings by shot id, shared by every grid.
    static QCache<QUuid, Drawing>& drawings();
    QPixmap m_oversized; // a drawing too large to keep
};

} // namespace studio
