#pragma once

// What The Cut shows, worked out without any widget: the clips an episode's
// storyboard assembles into, the runtime chip and how close the cut comes to
// its target, where each tile of the two lanes sits, and the length texts.

#include "model/Project.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace studio::rules {

// Zoom of the lanes, in points per second of clip.
inline constexpr double defaultTimelineZoom = 14;
inline constexpr double minimumTimelineZoom = 6;
inline constexpr double maximumTimelineZoom = 30;

// One clip per storyboard shot, scenes and shots in stored order: labels
// "S2·3 MCU" (a scene without shots still uses up its number, shot numbers
// restart in every scene), the shot's own length, its best seed, dialogue
// when the shot's dialogue is not empty. Every clip gets a fresh id.
QList<TimelineClip> assembledTimeline(const Episode& episode);

// The sum of the clips' lengths in timeline order.
double cutSeconds(const QList<TimelineClip>& timeline);

// How the cut's length stands against its target.
enum class RuntimeTone { tooShort, onTarget, tooLong };

// The runtime chip of the toolbar: "Cut 2m 5s · Target 10 min" and its tone.
// Without an episode the cut is 0.
struct RuntimeChip {
    QString text;
    RuntimeTone tone = RuntimeTone::tooShort;
    friend bool operator==(const RuntimeChip&, const RuntimeChip&) = default;
};
RuntimeChip runtimeChip(const Project& project, const Episode* episode);
// "22m / episode" for the episodic formats, the production's runtime label
// otherwise.
QString runtimeTargetText(const Project& project);
// Too short below 0.6 of the target (and for a target of 0 or less), on
// target up to and including 1.2, too long above. A cut length that is no
// finite number counts as 0.
RuntimeTone runtimeTone(double cutSeconds, double targetSeconds);

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
double clipTileWidth(double seconds, double zoom);
// The index of the clip tile under a point of the strip, or -1.
int clipIndexAt(const LaneLayout& layout, const QPointF& point);

// The tile's "%.0fs" and the clip controls' "%.1fs"; a length that is no
// finite number shows as 0.
QString tileSecondsText(double seconds);
QString clipControlSecondsText(double seconds);

} // namespace studio::rules
