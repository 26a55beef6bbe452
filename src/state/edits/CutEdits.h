#pragma once

// The changes The Cut and its assists make to a production: assembling an
// episode's storyboard into its timeline, moving, retiming and cutting clips,
// and the episode's music cues. Each names its episode and record by id and
// changes nothing (returning false or a null id) when either is gone.

#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio::edits {

// Replaces the episode's timeline with a fresh assembly of its storyboard:
// every earlier clip, with its trims, order and removals, goes.
bool assembleTimeline(Project& project, const QUuid& episodeID);

// Moves the clip `offset` places (-1 earlier, +1 later) when that place exists.
bool moveClip(Project& project, const QUuid& episodeID, const QUuid& clipID, int offset);
// Writes a length into the clip.
bool retimeClip(Project& project, const QUuid& episodeID, const QUuid& clipID, double seconds);
// Takes the clip out of the timeline.
bool removeClip(Project& project, const QUuid& episodeID, const QUuid& clipID);

// A new cue ("New Cue", empty mood) at the end of the episode's cues; its id.
QUuid addMusicCue(Project& project, const QUuid& episodeID);
// Appends the cues as they are (the assist's suggestions land this way).
bool appendMusicCues(Project& project, const QUuid& episodeID, const QList<MusicCue>& cues);
bool renameMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID, const QString& name);
bool setMusicCueMood(Project& project, const QUuid& episodeID, const QUuid& cueID, const QString& mood);
bool removeMusicCue(Project& project, const QUuid& episodeID, const QUuid& cueID);

} // namespace studio::edits
