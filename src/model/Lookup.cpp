#include "model/Lookup.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// The first element with the id, or null. The list type carries the
// constness, so one template serves both forms.
template <class List>
auto firstWithID(List& list, const QUuid& id) -> decltype(&*list.begin())
{
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& item) { return item.id == id; });
    return it == list.end() ? nullptr : &*it;
}

// Reads through a parent that may be missing.
template <class Parent, class Find>
auto within(Parent* parent, Find find) -> decltype(find(*parent))
{
    return parent ? find(*parent) : nullptr;
}

} // namespace

const Project* findProject(const QList<Project>& projects, const QUuid& projectID)
{
    return firstWithID(projects, projectID);
}

// ---- Episodes ---------------------------------------------------------------

const Episode* findEpisode(const Project& project, const QUuid& episodeID)
{
    return firstWithID(project.episodes, episodeID);
}

Episode* findEpisode(Project& project, const QUuid& episodeID)
{
    return firstWithID(project.episodes, episodeID);
}

const Episode* findActiveEpisode(const Project& project, const QUuid& activeEpisodeID)
{
    if (const Episode* active = findEpisode(project, activeEpisodeID))
        return active;
    return project.episodes.isEmpty() ? nullptr : &project.episodes.first();
}

Episode* findActiveEpisode(Project& project, const QUuid& activeEpisodeID)
{
    if (Episode* active = findEpisode(project, activeEpisodeID))
        return active;
    return project.episodes.isEmpty() ? nullptr : &project.episodes.first();
}

// ---- Story ------------------------------------------------------------------

const Act* findAct(const Episode& episode, const QUuid& actID)
{
    return firstWithID(episode.structure.acts, actID);
}

Act* findAct(Episode& episode, const QUuid& actID)
{
    return firstWithID(episode.structure.acts, actID);
}

const Act* findAct(const Project& project, const QUuid& episodeID, const QUuid& actID)
{
    return within(findEpisode(project, episodeID), [&](const Episode& e) { return findAct(e, actID); });
}

Act* findAct(Project& project, const QUuid& episodeID, const QUuid& actID)
{
    return within(findEpisode(project, episodeID), [&](Episode& e) { return findAct(e, actID); });
}

const Beat* findBeat(const Act& act, const QUuid& beatID)
{
    return firstWithID(act.beats, beatID);
}

Beat* findBeat(Act& act, const QUuid& beatID)
{
    return firstWithID(act.beats, beatID);
}

const Beat* findBeat(const Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID)
{
    return within(findAct(project, episodeID, actID), [&](const Act& a) { return findBeat(a, beatID); });
}

Beat* findBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID)
{
    return within(findAct(project, episodeID, actID), [&](Act& a) { return findBeat(a, beatID); });
}

// ---- Script -----------------------------------------------------------------

const ScriptElement* findScriptElement(const Episode& episode, const QUuid& elementID)
{
    return firstWithID(episode.script.elements, elementID);
}

ScriptElement* findScriptElement(Episode& episode, const QUuid& elementID)
{
    return firstWithID(episode.script.elements, elementID);
}

const ScriptElement* findScriptElement(const Project& project, const QUuid& episodeID, const QUuid& elementID)
{
    return within(findEpisode(project, episodeID), [&](const Episode& e) { return findScriptElement(e, elementID); });
}

ScriptElement* findScriptElement(Project& project, const QUuid& episodeID, const QUuid& elementID)
{
    return within(findEpisode(project, episodeID), [&](Episode& e) { return findScriptElement(e, elementID); });
}

// ---- Storyboard -------------------------------------------------------------

const SceneCard* findScene(const Episode& episode, const QUuid& sceneID)
{
    return firstWithID(episode.scenes, sceneID);
}

SceneCard* findScene(Episode& episode, const QUuid& sceneID)
{
    return firstWithID(episode.scenes, sceneID);
}

const SceneCard* findScene(const Project& project, const QUuid& episodeID, const QUuid& sceneID)
{
    return within(findEpisode(project, episodeID), [&](const Episode& e) { return findScene(e, sceneID); });
}

SceneCard* findScene(Project& project, const QUuid& episodeID, const QUuid& sceneID)
{
    return within(findEpisode(project, episodeID), [&](Episode& e) { return findScene(e, sceneID); });
}

const Shot* findShot(const SceneCard& scene, const QUuid& shotID)
{
    return firstWithID(scene.shots, shotID);
}

Shot* findShot(SceneCard& scene, const QUuid& shotID)
{
    return firstWithID(scene.shots, shotID);
}

const Shot* findShot(const Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID)
{
    return within(findScene(project, episodeID, sceneID), [&](const SceneCard& s) { return findShot(s, shotID); });
}

Shot* findShot(Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID)
{
    return within(findScene(project, episodeID, sceneID), [&](SceneCard& s) { return findShot(s, shotID); });
}

// ---- Cut --------------------------------------------------------------------

const TimelineClip* findClip(const Episode& episode, const QUuid& clipID)
{
    return firstWithID(episode.timeline, clipID);
}

TimelineClip* findClip(Episode& episode, const QUuid& clipID)
{
    return firstWithID(episode.timeline, clipID);
}

const TimelineClip* findClip(const Project& project, const QUuid& episodeID, const QUuid& clipID)
{
    return within(findEpisode(project, episodeID), [&](const Episode& e) { return findClip(e, clipID); });
}

TimelineClip* findClip(Project& project, const QUuid& episodeID, const QUuid& clipID)
{
    return within(findEpisode(project, episodeID), [&](Episode& e) { return findClip(e, clipID); });
}

const MusicCue* findMusicCue(const Episode& episode, const QUuid& cueID)
{
    return firstWithID(episode.musicCues, cueID);
}

MusicCue* findMusicCue(Episode& episode, const QUuid& cueID)
{
    return firstWithID(episode.musicCues, cueID);
}

const MusicCue* findMusicCue(const Project& project, const QUuid& episodeID, const QUuid& cueID)
{
    return within(findEpisode(project, episodeID), [&](const Episode& e) { return findMusicCue(e, cueID); });
}

MusicCue* findMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID)
{
    return within(findEpisode(project, episodeID), [&](Episode& e) { return findMusicCue(e, cueID); });
}

// ---- Idea, cast and world ---------------------------------------------------

const IdeaCard* findIdeaCard(const Project& project, const QUuid& cardID)
{
    return firstWithID(project.idea.cards, cardID);
}

IdeaCard* findIdeaCard(Project& project, const QUuid& cardID)
{
    return firstWithID(project.idea.cards, cardID);
}

const CastMember* findCastMember(const Project& project, const QUuid& memberID)
{
    return firstWithID(project.cast, memberID);
}

CastMember* findCastMember(Project& project, const QUuid& memberID)
{
    return firstWithID(project.cast, memberID);
}

const CastRelationship* findRelationship(const CastMember& member, const QUuid& relationshipID)
{
    return firstWithID(member.relationships, relationshipID);
}

CastRelationship* findRelationship(CastMember& member, const QUuid& relationshipID)
{
    return firstWithID(member.relationships, relationshipID);
}

const CastRelationship* findRelationship(const Project& project, const QUuid& memberID, const QUuid& relationshipID)
{
    return within(findCastMember(project, memberID),
                  [&](const CastMember& m) { return findRelationship(m, relationshipID); });
}

CastRelationship* findRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID)
{
    return within(findCastMember(project, memberID), [&](CastMember& m) { return findRelationship(m, relationshipID); });
}

const Location* findLocation(const Project& project, const QUuid& locationID)
{
    return firstWithID(project.locations, locationID);
}

Location* findLocation(Project& project, const QUuid& locationID)
{
    return firstWithID(project.locations, locationID);
}

} // namespace studio
