#include "views/phases/footage/FootageLogic.h"

#include "model/Enums.h"
#include "model/PromptComposer.h"
#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::footage {

int clipCount(double seconds, double maxClipSeconds)
{
    if (!std::isfinite(maxClipSeconds) || maxClipSeconds <= 0)
        return 1;
    const double length = std::isfinite(seconds) && seconds > 0 ? seconds : 0.0;
    const int count = text::saturatingInt(std::ceil(length / maxClipSeconds));
    return std::clamp(count, 1, PromptComposer::maxClipsPerShot);
}

QString rowTitle(const Shot& shot, qsizetype sceneNumber, qsizetype shotNumber)
{
    return u"Shot "_s + QString::number(sceneNumber) + u'.' + QString::number(shotNumber) + u" · "_s
        + abbrev(shot.size) + u" · "_s + label(shot.move);
}

QString sceneTitle(const SceneCard& scene, qsizetype sceneNumber, const QList<Location>& locations)
{
    return u"SCENE "_s + QString::number(sceneNumber) + u" — "_s + scene.slug(locations);
}

QString secondsText(double seconds)
{
    return text::format("%.0f", std::isfinite(seconds) ? seconds : 0.0) + u's';
}

QString clipChipText(int count)
{
    return count == 1 ? u"1 clip"_s : QString::number(count) + u" clips"_s;
}

QSet<QUuid> toggledSceneSelection(const QSet<QUuid>& selection, const QList<QUuid>& sceneShotIDs)
{
    QSet<QUuid> next = selection;
    const bool allSelected = std::all_of(sceneShotIDs.cbegin(), sceneShotIDs.cend(),
                                         [&](const QUuid& id) { return selection.contains(id); });
    for (const QUuid& id : sceneShotIDs) {
        if (allSelected)
            next.remove(id);
        else
            next.insert(id);
    }
    return next;
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
    return std::any_of(project.locations.cbegin(), project.locations.cend(), [&](const Location& location) {
        return location.id == *scene.locationID && !location.look.isEmpty();
    });
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

} // namespace studio::footage
