#pragma once

// The two lanes of the cut, painted as one widget (a long cut has thousands
// of clips; widgets per tile would make every zoom step lay them all out):
// the picture lane of clip tiles drawn to scale, the selected one outlined in
// gold, and the dialogue lane beneath with one tile under each clip. Only
// the tiles in the exposed part are painted. A tap on a tile reports its
// clip's id; the screen decides what the selection becomes.

#include "design/widgets/AccessibleSource.h"
#include "model/Timeline.h"
#include "state/rules/CutRules.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QUuid>
#include <QWidget>

namespace studio {

class TimelineLanes : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    explicit TimelineLanes(QWidget* parent = nullptr);

    // Relays out only when the clips or the zoom really changed.
    void setTimeline(const QList<TimelineClip>& timeline);
    void setZoom(double zoom);
    void setSelectedClipID(const QUuid& clipID);

    double zoom() const { return m_zoom; }
    QUuid selectedClipID() const { return m_selected; }
    // The clip the keyboard stands on (shown while the lanes have the focus).
    QUuid currentClipID() const { return m_current; }

    // The clips in timeline order.
    qsizetype clipCount() const { return m_timeline.size(); }
    const TimelineClip& clipAt(qsizetype index) const { return m_timeline.at(index); }
    int indexOf(const QUuid& clipID) const;
    // Reports a tap on the clip, as the pointer or Space does.
    void tap(const QUuid& clipID);
    // The tile of a clip in this widget's coordinates (empty when not shown).
    QRectF clipRect(const QUuid& clipID) const;
    QRectF dialogueRect(const QUuid& clipID) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The walked clip's tile, so whatever brings the focus into view brings
    // that clip.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    void clipTapped(const QUuid& clipID);

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void relayout();
    // Moves the keyboard to the clip at index (held to the timeline), shows
    // it (scrolled into view with `reveal`) and tells assistive technology.
    void walkTo(int index, bool reveal = true);
    void paintClip(QPainter& painter, int index);
    // The tile's picture, shade and texts (everything but its outline).
    static void paintTileFace(QPainter& painter, const QRectF& tile, const TimelineClip& clip);

    QList<TimelineClip> m_timeline;
    // Where each clip stands, kept with the timeline.
    QHash<QUuid, int> m_indexOf;
    double m_zoom = rules::defaultTimelineZoom;
    QUuid m_selected;
    QUuid m_current;
    // The walked clip's place, for when that clip leaves the timeline.
    int m_currentIndex = 0;
    rules::LaneLayout m_layout;
    int m_pressed = -1;
    // Whether the keyboard brought the focus (a click shows no ring).
    bool m_ringShown = false;
};

} // namespace studio
