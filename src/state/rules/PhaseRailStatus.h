#pragma once

// The one-line progress text of each phase in the phase rail, computed afresh
// from the production and its active episode every time the rail is shown.

#include "model/Project.h"
#include "state/rules/ScriptRules.h"

#include <QString>

namespace studio::rules {

class PhaseRailStatus {
public:
    // `episode` is the active episode (the session's; an empty episode when
    // the production has none).
    static QString text(const Project& project, const Episode& episode, PhaseID phase);
    // The Script row's text ("~1.2 pages", "Blank page") from the tally of
    // the episode's script: a rail that follows edits keeps the tally and
    // counts only the elements that changed.
    static QString scriptText(const ScriptTally& script);
    // "<c>/9 phases ready" as a fraction for the footer ring.
    static double readyFraction(const Project& project);
};

} // namespace studio::rules
