#include "state/edits/StoryEdits.h"

#include "state/edits/Assign.h"
#include "model/Lookup.h"
#include "model/Story.h"
#include "state/rules/StoryRules.h"

using namespace Qt::StringLiterals;

namespace studio::edits {

bool setEpisodeTitle(Project& project, const QUuid& episodeID, const QString& title)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && assign(episode->title, title);
}

bool setEpisodeSynopsis(Project& project, const QUuid& episodeID, const QString& synopsis)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && assign(episode->synopsis, synopsis);
}

bool switchStructure(Project& project, const QUuid& episodeID, StructureKind kind)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        return false;
    episode->structure = StoryStructure{.kind = kind, .acts = structureTemplate(kind)};
    return true;
}

QUuid addAct(Project& project, const QUuid& episodeID)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        return QUuid();
    Act act;
    act.title = u"New Act"_s;
    Beat first;
    first.title = u"First Beat"_s;
    act.beats.append(first);
    episode->structure.acts.append(act);
    return act.id;
}

bool deleteAct(Project& project, const QUuid& episodeID, const QUuid& actID)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && removeByID(episode->structure.acts, actID);
}

bool setActTitle(Project& project, const QUuid& episodeID, const QUuid& actID, const QString& title)
{
    Act* act = findAct(project, episodeID, actID);
    return act && assign(act->title, title);
}

QUuid addBeat(Project& project, const QUuid& episodeID, const QUuid& actID)
{
    Act* act = findAct(project, episodeID, actID);
    if (!act)
        return QUuid();
    Beat beat;
    beat.title = u"New Beat"_s;
    act->beats.append(beat);
    return beat.id;
}

bool moveBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID, int offset)
{
    Act* act = findAct(project, episodeID, actID);
    return act && moveByID(act->beats, beatID, offset);
}

bool deleteBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID)
{
    Act* act = findAct(project, episodeID, actID);
    return act && removeByID(act->beats, beatID);
}

bool setBeatTitle(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID,
                  const QString& title)
{
    Beat* beat = findBeat(project, episodeID, actID, beatID);
    return beat && assign(beat->title, title);
}

bool setBeatSummary(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID,
                    const QString& summary)
{
    Beat* beat = findBeat(project, episodeID, actID, beatID);
    return beat && assign(beat->summary, summary);
}

bool cycleBeatCharge(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID)
{
    Beat* beat = findBeat(project, episodeID, actID, beatID);
    if (!beat)
        return false;
    beat->charge = rules::nextCharge(beat->charge);
    return true;
}

bool fillBeatSummaries(Project& project, const QUuid& episodeID, const QList<BeatSummaryFill>& fills)
{
    bool filled = false;
    for (const BeatSummaryFill& fill : fills) {
        Beat* beat = findBeat(project, episodeID, fill.actID, fill.beatID);
        if (beat && beat->summary == fill.askedSummary) {
            beat->summary = fill.summary;
            filled = true;
        }
    }
    return filled;
}

} // namespace studio::edits
