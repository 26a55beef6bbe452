#pragma once

// The four tiles after the shot cards that add shots to the scene: "Add
// shot", "Recipe shot" (a menu of the signature recipes), "Coverage pack" (a
// menu of the packs) and "AI shot list", which follows the session's busy
// flag (a spinner and "Thinking…", no clicks) whoever started the assist.

#include <QAbstractButton>
#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;

namespace studio {

class BusyIndicator;

class ShotTile : public QAbstractButton {
    Q_OBJECT
public:
    enum class Kind { add, recipe, coverage, ai };

    explicit ShotTile(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    QString title() const;
    // The AI tile only: shows the spinner and "Thinking…" and ignores clicks.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }
    // The tile's least height: about a card's.
    void setMinimumTileHeight(int height);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeSpinner();

    Kind m_kind;
    bool m_busy = false;
    int m_minimumHeight = 0;
    BusyIndicator* m_spinner = nullptr;
};

class ShotTiles : public QObject {
    Q_OBJECT
public:
    // The four tiles, in grid order, as children of parent.
    explicit ShotTiles(QWidget* parent);

    const QList<ShotTile*>& tiles() const { return m_tiles; }
    ShotTile* tile(ShotTile::Kind kind) const { return m_tiles.value(int(kind)); }
    void setBusy(bool busy);
    void setMinimumTileHeight(int height);

    // The menus the two menu tiles open (built on each opening).
    static void fillRecipeMenu(QMenu& menu, QObject* receiver, const std::function<void(const QString&)>& picked);
    static void fillCoverageMenu(QMenu& menu, QObject* receiver, const std::function<void(const QString&)>& picked);

Q_SIGNALS:
    void addShotRequested();
    void recipeShotRequested(const QString& recipeID);
    void coverageRequested(const QString& packID);
    void aiShotListRequested();

private:
    void openMenu(ShotTile* tile);

    QList<ShotTile*> m_tiles;
};

} // namespace studio
