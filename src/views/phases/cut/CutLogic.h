#pragma once

// The rules of The Cut on their own, without widgets: assembling an
// episode's storyboard into a timeline, the runtime chip, where each tile of
// the two lanes sits, and the clip and cue operations the screen writes
// through the edit door. Every operation names its clip or cue by id and
// changes nothing when the id is gone.

#include "model/Project.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QUuid>

namespace studio::cut {

// Zoom (points per second of clip) and the lane geometry.
inline constexpr double defaultZoom = 14;
inline constexpr double minimumZoom = 6;
inline constexpr double maximumZoom = 30;

// One clip per storyboard shot, scenes and shots in stored order: labels
// "S2·3 MCU" (a scene without shots still uses up its number, shot numbers
// restart in every scene), the shot's own length, its best seed, dialogue
// when the shot's dialogue is not empty. Every clip gets a fresh id.
QList<TimelineClip> assembleTimeline(const Episode& episode);

// The sum of the clips' lengths in timeline order.
double cutSeconds(const QList<TimelineClip>& timeline);

// The runtime chip of the toolbar: "Cut 2m 5s · Target 10 min" in the colour
// of how close the cut comes to the target. Without an episode the cut is 0.
struct RuntimeChip {
    QString text;
    QColor color;
    friend bool operator==(const RuntimeChip&, const RuntimeChip&) = default;
};
RuntimeChip runtimeChip(const Project& project, const Episode* episode);
// "22m / episode" for the episodic formats, the production's runtime label
// otherwise.
QString targetText(const Project& project);
// Warn below 0.6 of the target (and for a target of 0 or less), success up
// to and including 1.2, danger above. A cut length that is no finite number
// reads "0s" and counts as 0.
QColor runtimeColor(double cutSeconds, double targetSeconds);

// Where the tiles of the two lanes sit in the strip: clip tiles in one row,
// dialogue tiles of the same widths in the row below, 3 points apart, the
// whole padded 4 above and below. A clip is its length times the zoom wide,
// at least 46 points; a length that is no finite number counts as 0, and a
// huge one is held to a width a strip can still scroll to.
struct LaneLayout {
    QList<QRectF> clips;
    QList<QRectF> dialogue;
    QSizeF size;
};
LaneLayout laneLayout(const QList<TimelineClip>& timeline, double zoom);
double clipWidth(double seconds, double zoom);
// The index of the clip tile under a point of the strip, or -1.
int clipIndexAt(const LaneLayout& layout, const QPointF& point);

// The tile's "%.0fs" and the clip controls' "%.1fs"; a length that is no
// finite number shows as 0.
QString tileSecondsText(double seconds);
QString controlSecondsText(double seconds);

// Swaps the clip with that id with its neighbour offset places away when
// that place exists; otherwise nothing changes. Returns whether it moved.
bool moveClip(QList<TimelineClip>& timeline, const QUuid& clipID, int offset);
// Removes the clip with that id.
bool removeClip(QList<TimelineClip>& timeline, const QUuid& clipID);
// Writes a length into the clip with that id.
bool setClipSeconds(QList<TimelineClip>& timeline, const QUuid& clipID, double seconds);

// A new cue ("New Cue", empty mood, fresh id) at the end of the list.
void appendCue(Episode& episode);
// Removes every cue with that id, keeping the others in order.
void removeCue(Episode& episode, const QUuid& cueID);

} // namespace studio::cut
