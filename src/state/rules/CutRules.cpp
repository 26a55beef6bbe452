#include "state/rules/CutRules.h"

#include "model/Board.h"
#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

constexpr double minimumClipWidth = 46;
// An hour of clip at the largest zoom: a corrupt length of millions of
// seconds still gives a tile the strip can scroll past.
constexpr double maximumClipWidth = 3600 * maximumTimelineZoom;
constexpr double laneSpacing = 3;
constexpr double lanePadding = 4;
constexpr double rowSpacing = 5;
constexpr double clipHeight = 62;
constexpr double dialogueHeight = 14;

double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

QList<TimelineClip> assembledTimeline(const Episode& episode)
{
    QList<TimelineClip> clips;
    for (qsizetype s = 0; s < episode.scenes.size(); ++s) {
        const SceneCard& scene = episode.scenes[s];
        for (qsizetype k = 0; k < scene.shots.size(); ++k) {
            const Shot& shot = scene.shots[k];
            TimelineClip clip;
            clip.shotID = shot.id;
            clip.label = u"S%1\u00B7%2 %3"_s.arg(s + 1).arg(k + 1).arg(abbrev(shot.size));
            clip.seconds = shot.seconds;
            clip.seed = shot.bestSeed();
            clip.hasDialogue = !shot.dialogue.isEmpty();
            clips.append(clip);
        }
    }
    return clips;
}

double cutSeconds(const QList<TimelineClip>& timeline)
{
    double total = 0;
    for (const TimelineClip& clip : timeline)
        total += clip.seconds;
    return total;
}

QString runtimeTargetText(const Project& project)
{
    if (isEpisodic(project.format))
        return QString::number(project.idea.targetRuntimeMinutes) + u"m / "_s
            + episodeNoun(project.format).toLower();
    return project.runtimeLabel();
}

RuntimeTone runtimeTone(double cutSeconds, double targetSeconds)
{
    if (!(targetSeconds > 0))
        return RuntimeTone::tooShort;
    const double ratio = finiteOrZero(cutSeconds) / targetSeconds;
    if (ratio < 0.6)
        return RuntimeTone::tooShort;
    if (ratio <= 1.2)
        return RuntimeTone::onTarget;
    return RuntimeTone::tooLong;
}

RuntimeChip runtimeChip(const Project& project, const Episode* episode)
{
    const double cut = episode ? cutSeconds(episode->timeline) : 0.0;
    // Every format counts one episode's target: the cut is one episode's.
    const double target = double(project.idea.targetRuntimeMinutes) * 60.0;
    return RuntimeChip{
        .text = u"Cut "_s + cutLengthText(cut) + u" \u00B7 Target "_s + runtimeTargetText(project),
        .tone = runtimeTone(cut, target),
    };
}

double clipTileWidth(double seconds, double zoom)
{
    const double width = finiteOrZero(seconds) * finiteOrZero(zoom);
    return std::clamp(finiteOrZero(width), minimumClipWidth, maximumClipWidth);
}

LaneLayout laneLayout(const QList<TimelineClip>& timeline, double zoom)
{
    LaneLayout layout;
    layout.clips.reserve(timeline.size());
    layout.dialogue.reserve(timeline.size());
    const double dialogueTop = lanePadding + clipHeight + rowSpacing;
    double x = 0;
    for (const TimelineClip& clip : timeline) {
        const double width = clipTileWidth(clip.seconds, zoom);
        layout.clips.append(QRectF(x, lanePadding, width, clipHeight));
        layout.dialogue.append(QRectF(x, dialogueTop, width, dialogueHeight));
        x += width + laneSpacing;
    }
    const double width = timeline.isEmpty() ? 0.0 : x - laneSpacing;
    layout.size = QSizeF(width, dialogueTop + dialogueHeight + lanePadding);
    return layout;
}

int clipIndexAt(const LaneLayout& layout, const QPointF& point)
{
    // The tiles run left to right: the first whose right edge lies past the
    // point is the only one that can hold it.
    const auto it = std::partition_point(layout.clips.cbegin(), layout.clips.cend(),
                                         [&](const QRectF& r) { return r.right() <= point.x(); });
    if (it == layout.clips.cend() || !it->contains(point))
        return -1;
    return int(it - layout.clips.cbegin());
}

QString tileSecondsText(double seconds)
{
    return text::format("%.0f", finiteOrZero(seconds)) + u's';
}

QString clipControlSecondsText(double seconds)
{
    return text::format("%.1f", finiteOrZero(seconds)) + u's';
}

} // namespace studio::rules
