#pragma once

// The changes the Premiere screen makes to a production: a new poster, the
// press kit's text, and "Go" to the phase that finishes a checklist item.
// Each returns whether the production changed.

#include "model/Enums.h"
#include "model/Project.h"

#include <QString>

namespace studio::edits {

bool setPosterSeed(Project& project, const QString& seed);
bool setPressKit(Project& project, const QString& text);
// Opens the phase only: whether phases are marked ready is left as it is.
bool goToPhase(Project& project, PhaseID phase);

} // namespace studio::edits
