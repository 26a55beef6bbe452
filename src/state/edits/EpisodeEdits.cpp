#include "state/edits/EpisodeEdits.h"

#include "model/Story.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace studio::edits {

QUuid addEpisode(Project& project)
{
    qint64 highest = 0;
    for (const Episode& episode : std::as_const(project.episodes))
        highest = std::max(highest, episode.number);
    // A corrupt maximum can't wrap around into a negative number.
    const qint64 number = highest == std::numeric_limits<qint64>::max() ? highest : highest + 1;

    Episode episode;
    episode.number = number;
    episode.title = episodeNoun(project.format) + u" "_s + QString::number(number);
    episode.structure.kind = defaultStructure(project.format);
    episode.structure.acts = structureTemplate(episode.structure.kind);
    const QUuid id = episode.id;
    project.episodes.append(std::move(episode));
    return id;
}

bool removeEpisode(Project& project, const QUuid& episodeID)
{
    return project.episodes.removeIf([&](const Episode& e) { return e.id == episodeID; }) > 0;
}

void togglePhaseReady(Project& project, PhaseID phase)
{
    if (!project.completedPhases.remove(phase))
        project.completedPhases.insert(phase);
}

} // namespace studio::edits
