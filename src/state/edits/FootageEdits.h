#pragma once

// The changes a render makes to a production: the footage screen itself
// writes nothing of it (its profile and queue belong to the session), but a
// finished job lands new takes on its shot.

#include "model/Project.h"

#include <QUuid>

namespace studio::edits {

// Appends `count` new takes to the shot, noted "Take n" by their place among
// the shot's takes. Nothing happens when the shot is gone or count is below
// one. Returns whether takes were added.
bool attachTakes(Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, qint64 count);

} // namespace studio::edits
