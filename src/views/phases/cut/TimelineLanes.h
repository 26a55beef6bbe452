#pragma once

// The two lanes of the cut, painted as one widget (a long cut has thousands
// of clips; widgets per tile would make every zoom step lay them all out):
// the picture lane of clip tiles drawn to scale, the selected one outlined in
// gold, and the dialogue lane beneath with one tile under each clip. Only
// the tiles in the exposed part are painted. A tap on a tile reports its
// clip's id; the screen decides what the selection becomes.

#include "model/Timeline.h"
#include "state/rules/CutRules.h"

#include <QList>
#include <QPixmap>
#include <QUuid>
#include <QWidget>

namespace studio {

class TimelineLanes : public QWidget {
    Q_OBJECT
public:
    explicit TimelineLanes(QWidget* parent = nullptr);

    // Relays out only when the clips or the zoom really changed.
    void setTimeline(const QList<TimelineClip>& timeline);
    void setZoom(double zoom);
    void setSelectedClipID(const QUuid& clipID);

    double zoom() const { return m_zoom; }
    QUuid selectedClipID() const { return m_selected; }
    // The tile of a clip in this widget's coordinates (empty when not shown).
    QRectF clipRect(const QUuid& clipID) const;
    QRectF dialogueRect(const QUuid& clipID) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void clipTapped(const QUuid& clipID);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void relayout();
    int indexOf(const QUuid& clipID) const;
    void paintClip(QPainter& painter, int index);
    // The tile's picture, shade and texts (everything but its outline).
    static void paintTileFace(QPainter& painter, const QRectF& tile, const TimelineClip& clip);

    QList<TimelineClip> m_timeline;
    double m_zoom = rules::defaultTimelineZoom;
    QUuid m_selected;
    rules::LaneLayout m_layout;
    int m_pressed = -1;
};

} // namespace studio
