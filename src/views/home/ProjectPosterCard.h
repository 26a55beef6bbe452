#pragma once

// One stored production in the home library's grid: its seeded poster with
// the name, the format badge, the running time and (episodic formats) the
// episode count; under it when it was last edited and how many of the nine
// phases are complete. Lifts and deepens its shadow while the pointer is
// over it. The card only displays and reports clicks and context-menu
// requests; the library decides what they do. Tab reaches it; Space or
// Return is its click, the Menu key or Shift+F10 its context menu.
//
// The card is painted in one piece (a library may hold hundreds): the parts
// that change only with the production are kept as a picture shared through a
// cache keyed by their content, so a repaint is one copy plus the edit time.
// The card cannot paint past its edge, so it leaves cellMargin points free
// on every side for the hover scale, and its shadow is painted by the widget
// behind it (paintShadow).

#include "model/Date.h"
#include "model/Project.h"

#include <QAbstractButton>
#include <QUuid>

#include <functional>

class QPainter;

namespace studio {

class Spring;

class ProjectPosterCard : public QAbstractButton {
    Q_OBJECT
public:
    using Clock = std::function<Date()>;

    // Room around the card inside the widget, for the hover scale.
    static constexpr int cellMargin = 4;
    static constexpr qreal posterHeight = 165;
    static constexpr qreal radius = 18;

    // What the card shows of a production.
    struct Face {
        QString posterSeed;
        QString name;
        QString format;       // the format's title
        QString badge;        // the format title in capitals
        QString runtime;      // Project::runtimeLabel()
        QString episodes;     // "· 6 episodes"; empty for the single-film formats
        qint64 completed = 0; // phases complete
        qint64 total = 0;     // phases in all
        Date modifiedAt;

        static Face of(const Project& project);
        QString phaseCount() const;
        friend bool operator==(const Face&, const Face&) = default;
    };

    // "Edited just now" under 90 seconds (also for a date in the future),
    // else "Edited " and how long ago in the largest whole unit.
    static QString editedLabel(const Date& modifiedAt, const Date& now);
    // "1 minute ago", "3 hours ago", "2 weeks ago": the largest unit of which
    // at least one whole has passed, in full words, singular or plural.
    static QString relativeText(double elapsedSeconds);

    explicit ProjectPosterCard(const Project& project, QWidget* parent = nullptr);

    QUuid projectID() const { return m_id; }
    const Face& face() const { return m_face; }
    // Shows the stored production; repaints only when what it shows changed.
    void setProject(const Project& project);
    // The present moment for the edit time (tests); the system clock by default.
    void setClock(Clock clock);
    QString editedText() const;

    // The card's own rectangle inside the widget (without the margin).
    QRectF cardRect() const;
    // 0 at rest, 1 hovered; follows the hover spring.
    qreal hoverAmount() const;
    bool isHovering() const { return m_hovering; }
    void setHovering(bool hovering);
    // Paints the card's shadow for its current hover state; `card` is the
    // card rectangle in the painter's coordinates.
    void paintShadow(QPainter& painter, const QRectF& card) const;
    // How far the shadow reaches past the card, in any direction.
    static qreal shadowReach();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void clearPictureCache();
    // Starts composing the poster art of these seeds on worker threads, so
    // the first cards on screen find their pictures ready when first painted.
    static void composeArtAhead(const QStringList& seeds, qreal devicePixelRatio);

Q_SIGNALS:
    void contextMenuRequested(const QUuid& id, const QPoint& globalPos);
    // The hover state moved: the shadow behind the card must be repainted.
    void hoverAmountChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QPixmap picture(const QSize& size, qreal dpr) const;
    void paintPicture(QPainter& p, const QSizeF& size) const;
    qreal statusHeight() const;

    QUuid m_id;
    Face m_face;
    Clock m_clock;
    bool m_hovering = false;
    Spring* m_hover = nullptr; // made on first hover
};

} // namespace studio
