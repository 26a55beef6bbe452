#include "state/edits/CutEdits.h"

#include "model/Lookup.h"
#include "state/rules/CutRules.h"

using namespace Qt::StringLiterals;

namespace studio::edits {

bool assembleTimeline(Project& project, const QUuid& episodeID)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        return false;
    episode->timeline = rules::assembledTimeline(*episode);
    return true;
}

bool moveClip(Project& project, const QUuid& episodeID, const QUuid& clipID, int offset)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && moveByID(episode->timeline, clipID, offset);
}

bool retimeClip(Project& project, const QUuid& episodeID, const QUuid& clipID, double seconds)
{
    TimelineClip* clip = findClip(project, episodeID, clipID);
    if (!clip)
        return false;
    clip->seconds = seconds;
    return true;
}

bool removeClip(Project& project, const QUuid& episodeID, const QUuid& clipID)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && removeByID(episode->timeline, clipID);
}

QUuid addMusicCue(Project& project, const QUuid& episodeID)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        return QUuid();
    MusicCue cue{.id = newId(), .name = u"New Cue"_s, .mood = QString()};
    episode->musicCues.append(cue);
    return cue.id;
}

bool appendMusicCues(Project& project, const QUuid& episodeID, const QList<MusicCue>& cues)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode || cues.isEmpty())
        return false;
    episode->musicCues << cues;
    return true;
}

bool renameMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID, const QString& name)
{
    MusicCue* cue = findMusicCue(project, episodeID, cueID);
    if (!cue)
        return false;
    cue->name = name;
    return true;
}

bool setMusicCueMood(Project& project, const QUuid& episodeID, const QUuid& cueID, const QString& mood)
{
    MusicCue* cue = findMusicCue(project, episodeID, cueID);
    if (!cue)
        return false;
    cue->mood = mood;
    return true;
}

bool removeMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && removeByID(episode->musicCues, cueID);
}

} // namespace studio::edits
