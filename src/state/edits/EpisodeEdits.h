#pragma once

// The changes the workspace makes to a production as a whole: its episodes
// and the readiness of its phases. Pure functions on the production the edit
// door hands over, addressed by ids, doing nothing when the target is gone.

#include "model/Enums.h"
#include "model/Project.h"

#include <QUuid>

namespace studio::edits {

// Appends a new episode numbered one above the highest number (numbers are
// never reused and gaps stay), titled "<noun> <number>", with the format's
// default story structure and its template acts. Returns the new episode's id.
QUuid addEpisode(Project& project);
// Removes every episode with that id (ids are unique, so at most one in a
// sound production). Returns whether anything was removed.
bool removeEpisode(Project& project, const QUuid& episodeID);

// Marks the phase ready, or takes the mark away when it has one.
void togglePhaseReady(Project& project, PhaseID phase);

} // namespace studio::edits
