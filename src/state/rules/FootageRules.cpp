#include "state/rules/FootageRules.h"

#include "model/Enums.h"
#include "model/Lookup.h"
#include "model/PromptComposer.h"
#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::rules {

int clipCount(double seconds, double maxClipSeconds)
{
    if (!std::isfinite(maxClipSeconds) || maxClipSeconds <= 0)
        return 1;
    const double length = std::isfinite(seconds) && seconds > 0 ? seconds : 0.0;
    const int count = text::saturatingInt(std::ceil(length / maxClipSeconds));
    return std::clamp(count, 1, PromptComposer::maxClipsPerShot);
}

QString shotRowTitle(const Shot& shot, qsizetype sceneNumber, qsizetype shotNumber)
{
    return u"Shot "_s + QString::number(sceneNumber) + u'.' + QString::number(shotNumber) + u" · "_s
        + abbrev(shot.size) + u" · "_s + label(shot.move);
}

QString manifestSceneTitle(const SceneCard& scene, qsizetype sceneNumber, const QList<Location>& locations)
{
    return u"SCENE "_s + QString::number(sceneNumber) + u" — "_s + scene.slug(locations);
}

QString shotLengthText(double seconds)
{
    return text::format("%.0f", std::isfinite(seconds) ? seconds : 0.0) + u's';
}

QString clipChipText(int count)
{
    return count == 1 ? u"1 clip"_s : QString::number(count) + u" clips"_s;
}

QSet<QUuid> toggledSceneSelection(const QSet<QUuid>& selection, const SceneCard* scene)
{
    if (!scene)
        return selection;
    QSet<QUuid> next = selection;
    const bool allSelected = std::all_of(scene->shots.cbegin(), scene->shots.cend(),
                                         [&](const Shot& shot) { return selection.contains(shot.id); });
    for (const Shot& shot : scene->shots) {
        if (allSelected)
            next.remove(shot.id);
        else
            next.insert(shot.id);
    }
    return next;
}

QSet<QUuid> selectionInEpisode(const QSet<QUuid>& selection, const Episode* episode)
{
    QSet<QUuid> present;
    if (!episode || selection.isEmpty())
        return present;
    for (const SceneCard& scene : episode->scenes) {
        for (const Shot& shot : scene.shots) {
            if (selection.contains(shot.id))
                present.insert(shot.id);
        }
    }
    return present;
}

bool hasAnchoredLook(const SceneCard& scene, const Project& project)
{
    const bool castLook = std::any_of(project.cast.cbegin(), project.cast.cend(), [&](const CastMember& member) {
        return !member.look.isEmpty() && scene.castIDs.contains(member.id);
    });
    if (castLook)
        return true;
    if (!scene.locationID)
        return false;
    const Location* location = findLocation(project, *scene.locationID);
    return location && !location->look.isEmpty();
}

EngineStats engineStats(const Project& project, const Episode* episode, const GenerationProfile& profile)
{
    EngineStats stats;
    if (!episode)
        return stats;
    for (const SceneCard& scene : episode->scenes) {
        const qint64 shots = scene.shots.size();
        stats.shots += shots;
        for (const Shot& shot : scene.shots) {
            if (std::isfinite(shot.seconds))
                stats.seconds += shot.seconds;
            stats.clips += clipCount(shot.seconds, profile.maxClipSeconds);
        }
        if (shots > 0 && hasAnchoredLook(scene, project))
            stats.anchored += shots;
    }
    return stats;
}

QString queueSubtitle(const QList<GenerationJob>& jobs)
{
    const auto count = [&](JobState state) {
        return std::count_if(jobs.cbegin(), jobs.cend(), [&](const GenerationJob& j) { return j.state == state; });
    };
    return QString::number(count(JobState::queued)) + u" queued · "_s + QString::number(count(JobState::done))
        + u" done"_s;
}

QString queueLabel(qsizetype selected)
{
    if (selected <= 0)
        return u"Queue shots"_s;
    return u"Queue "_s + QString::number(selected) + (selected == 1 ? u" shot"_s : u" shots"_s);
}

QList<QUuid> plannedShotIDs(const Episode* episode)
{
    QList<QUuid> ids;
    if (!episode)
        return ids;
    for (const SceneCard& scene : episode->scenes) {
        for (const Shot& shot : scene.shots) {
            if (shot.status() == ShotStatus::planned)
                ids.append(shot.id);
        }
    }
    return ids;
}

RenderRow renderRow(const QList<GenerationJob>& jobs, bool rendering)
{
    const auto any = [&](auto predicate) { return std::any_of(jobs.cbegin(), jobs.cend(), predicate); };
    const bool anyQueued = any([](const GenerationJob& job) { return job.state == JobState::queued; });
    const bool anyFinished
        = any([](const GenerationJob& job) { return job.state == JobState::done || job.state == JobState::failed; });
    return RenderRow{
        .buttonText = rendering ? u"Rendering…"_s : u"Render all queued"_s,
        .canRender = !rendering && anyQueued,
        .canClear = anyFinished,
    };
}

} // namespace studio::rules
