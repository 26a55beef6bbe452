#pragma once

// Turns one shot inside its scene and production into the text-to-video
// prompt, the reference-image list and the clip plans. Pure functions: the
// same inputs give the same text (only clip-plan ids are fresh).

#include "model/Board.h"
#include "model/Generation.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace studio::PromptComposer {

// Action, cast, setting, camera, atmosphere and look sentences joined by single blanks.
QString prompt(const Shot& shot, const SceneCard& scene, const Project& project);

// "Style anchor frame", then portrait references of the scene's cast (in
// production cast order, at most maxRefImages - 1), then the set reference.
QStringList references(const Shot& shot, const SceneCard& scene, const Project& project,
                       const GenerationProfile& profile);

// The clips of a shot: as many as it takes to stay within maxClipSeconds,
// capped at maxClipsPerShot so a corrupt duration can't run away. A profile
// without a positive clip length renders the shot as one clip; a duration that
// is negative or not finite plans one clip of 0 seconds.
QList<ClipPlan> clips(const Shot& shot, const SceneCard& scene, const Project& project,
                      const GenerationProfile& profile);

inline constexpr int maxClipsPerShot = 10'000;

} // namespace studio::PromptComposer
