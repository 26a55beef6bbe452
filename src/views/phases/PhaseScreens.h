#pragma once

// The registry of phase screens: the workspace asks it for the screen of the
// production's active phase and shows whatever it gets. Each call builds a new
// screen with its initial view state; the workspace builds one whenever the
// active phase (or the tab) changes and drops the old one.

#include "model/Enums.h"

class QWidget;

namespace studio {

class PhaseScreen;
class ProjectSession;

// A new screen for the phase, parented to `parent`, or nullptr when the phase
// has no screen yet (the workspace then leaves its content area empty).
PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent);

} // namespace studio
