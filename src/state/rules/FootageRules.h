#pragma once

// What the footage screen shows, worked out without any widget: clip counts,
// row and scene titles, the selection by scene and the selection that still
// names shots of the episode shown, the engine's statistics of an episode and
// the texts and states of the render queue.

#include "model/Board.h"
#include "model/Generation.h"
#include "model/Project.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

namespace studio::rules {

// How many clips a render of a shot of this length takes: the length over the
// longest clip, rounded up, at least one. A length that isn't a positive
// finite number counts as nothing (one clip), a clip length that isn't
// positive splits nothing (one clip), and the count never passes the prompt
// composer's per-shot cap, so a damaged file can't plan an endless render.
int clipCount(double seconds, double maxClipSeconds);

// "Shot 2.3 · MCU · Push In" (numbers counted from 1).
QString shotRowTitle(const Shot& shot, qsizetype sceneNumber, qsizetype shotNumber);
// "SCENE 2 — INT. KITCHEN — NIGHT"
QString manifestSceneTitle(const SceneCard& scene, qsizetype sceneNumber, const QList<Location>& locations);

// A length in whole seconds, "%.0fs"; a length that isn't a finite number reads "0s".
QString shotLengthText(double seconds);
// "1 clip", "3 clips"
QString clipChipText(int count);

// "Select scene": when every shot of the scene is selected, the scene's shots
// leave the selection; otherwise they all join it. Other shots stay as they
// are; a scene without shots (or none at all) changes nothing.
QSet<QUuid> toggledSceneSelection(const QSet<QUuid>& selection, const SceneCard* scene);
// The selected shots that are still in the episode (none without one): a
// shot deleted, or of another episode made active, would count in the queue
// button and queue nothing.
QSet<QUuid> selectionInEpisode(const QSet<QUuid>& selection, const Episode* episode);

// What the engine card sums up for one episode under a profile.
struct EngineStats {
    qint64 shots = 0;
    qint64 clips = 0;
    double seconds = 0;
    qint64 anchored = 0;
    friend bool operator==(const EngineStats&, const EngineStats&) = default;
};

// A scene's prompts are anchored when a cast member listed in it, or its
// location, has a look of its own.
bool hasAnchoredLook(const SceneCard& scene, const Project& project);
// The statistics of the episode (none: all zero). Lengths that aren't finite
// numbers add nothing to the footage total.
EngineStats engineStats(const Project& project, const Episode* episode, const GenerationProfile& profile);

// "2 queued · 3 done": rendering and failed jobs count in neither.
QString queueSubtitle(const QList<GenerationJob>& jobs);
// "Queue shots", "Queue 1 shot", "Queue 3 shots"
QString queueLabel(qsizetype selected);
// The shots of the episode without takes and without an approval, in
// storyboard order (none without an episode).
QList<QUuid> plannedShotIDs(const Episode* episode);

// The render row under the queue: what the button says, whether it can start
// a run (not while one runs, not without a queued job) and whether "Clear
// done" has anything to clear.
struct RenderRow {
    QString buttonText;
    bool canRender = false;
    bool canClear = false;
    friend bool operator==(const RenderRow&, const RenderRow&) = default;
};
RenderRow renderRow(const QList<GenerationJob>& jobs, bool rendering);

} // namespace studio::rules
