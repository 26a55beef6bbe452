#pragma once

// Finding records of a production by id, and the few operations on a
// production that several places perform.
//
// Every screen, menu and continuation addresses records by id at the moment
// it acts; these are the only loops that search for them. Each look-up gives
// the first record with that id (a production read from a damaged file may
// hold the same id twice) or null when none has it. A pointer points into the
// production it was given and is good only until that production changes:
// look the record up again after every edit and after every await.
//
// Records below an episode are addressed through their episode id as well, so
// a result can never land in a scene of another episode that happens to share
// its id. The mutable forms are meant for the inside of an edit.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QUuid>

#include <algorithm>

namespace studio {

// ---- Productions ------------------------------------------------------------

const Project* findProject(const QList<Project>& projects, const QUuid& projectID);

// ---- Episodes ---------------------------------------------------------------

const Episode* findEpisode(const Project& project, const QUuid& episodeID);
Episode* findEpisode(Project& project, const QUuid& episodeID);

// The episode the screens work on: the first episode whose id is
// `activeEpisodeID`, else the first episode, else null (no episode at all).
const Episode* findActiveEpisode(const Project& project, const QUuid& activeEpisodeID);
Episode* findActiveEpisode(Project& project, const QUuid& activeEpisodeID);

// ---- Story ------------------------------------------------------------------

const Act* findAct(const Episode& episode, const QUuid& actID);
Act* findAct(Episode& episode, const QUuid& actID);
const Act* findAct(const Project& project, const QUuid& episodeID, const QUuid& actID);
Act* findAct(Project& project, const QUuid& episodeID, const QUuid& actID);

const Beat* findBeat(const Act& act, const QUuid& beatID);
Beat* findBeat(Act& act, const QUuid& beatID);
const Beat* findBeat(const Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID);
Beat* findBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID);

// ---- Script -----------------------------------------------------------------

const ScriptElement* findScriptElement(const Episode& episode, const QUuid& elementID);
ScriptElement* findScriptElement(Episode& episode, const QUuid& elementID);
const ScriptElement* findScriptElement(const Project& project, const QUuid& episodeID, const QUuid& elementID);
ScriptElement* findScriptElement(Project& project, const QUuid& episodeID, const QUuid& elementID);

// ---- Storyboard -------------------------------------------------------------

const SceneCard* findScene(const Episode& episode, const QUuid& sceneID);
SceneCard* findScene(Episode& episode, const QUuid& sceneID);
const SceneCard* findScene(const Project& project, const QUuid& episodeID, const QUuid& sceneID);
SceneCard* findScene(Project& project, const QUuid& episodeID, const QUuid& sceneID);

const Shot* findShot(const SceneCard& scene, const QUuid& shotID);
Shot* findShot(SceneCard& scene, const QUuid& shotID);
const Shot* findShot(const Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID);
Shot* findShot(Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID);

// ---- Cut --------------------------------------------------------------------

const TimelineClip* findClip(const Episode& episode, const QUuid& clipID);
TimelineClip* findClip(Episode& episode, const QUuid& clipID);
const TimelineClip* findClip(const Project& project, const QUuid& episodeID, const QUuid& clipID);
TimelineClip* findClip(Project& project, const QUuid& episodeID, const QUuid& clipID);

const MusicCue* findMusicCue(const Episode& episode, const QUuid& cueID);
MusicCue* findMusicCue(Episode& episode, const QUuid& cueID);
const MusicCue* findMusicCue(const Project& project, const QUuid& episodeID, const QUuid& cueID);
MusicCue* findMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID);

// ---- Idea, cast and world ---------------------------------------------------

const IdeaCard* findIdeaCard(const Project& project, const QUuid& cardID);
IdeaCard* findIdeaCard(Project& project, const QUuid& cardID);

const CastMember* findCastMember(const Project& project, const QUuid& memberID);
CastMember* findCastMember(Project& project, const QUuid& memberID);

const CastRelationship* findRelationship(const CastMember& member, const QUuid& relationshipID);
CastRelationship* findRelationship(CastMember& member, const QUuid& relationshipID);
const CastRelationship* findRelationship(const Project& project, const QUuid& memberID, const QUuid& relationshipID);
CastRelationship* findRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID);

const Location* findLocation(const Project& project, const QUuid& locationID);
Location* findLocation(Project& project, const QUuid& locationID);

// ---- Any list of records with an `id` ----------------------------------------

// Moves the first record with that id by `offset` places (-1 earlier, +1
// later) when that place exists; otherwise nothing changes. Returns whether it
// moved.
template <typename T>
bool moveByID(QList<T>& list, const QUuid& id, int offset)
{
    const auto it = std::find_if(list.cbegin(), list.cend(), [&](const T& r) { return r.id == id; });
    if (it == list.cend())
        return false;
    const qsizetype from = it - list.cbegin();
    const qsizetype to = from + qsizetype(offset);
    if (to < 0 || to >= list.size() || to == from)
        return false;
    list.move(from, to);
    return true;
}

// Removes every record with that id (a damaged file may hold one twice).
// Returns whether anything was removed.
template <typename T>
bool removeByID(QList<T>& list, const QUuid& id)
{
    return list.removeIf([&](const T& r) { return r.id == id; }) > 0;
}

} // namespace studio
