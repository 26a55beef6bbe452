#pragma once

// Building an episode's storyboard from its screenplay: every scene heading
// starts a scene, its words give the setting, the time of day and the place,
// and the first non-empty action under it becomes the synopsis.

#include "model/Project.h"

#include <QList>

namespace studio {

// The scenes the episode's script describes, in script order, each with a
// fresh id and no cast or shots. A heading's place links the first location
// whose name matches it ignoring case; otherwise it stays free text. An empty
// place never links a location (not even one with an empty name).
QList<SceneCard> scenesFromScript(const Episode& episode, const QList<Location>& locations);

} // namespace studio
