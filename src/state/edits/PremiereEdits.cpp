#include "state/edits/PremiereEdits.h"

#include "state/edits/Assign.h"

namespace studio::edits {

bool setPosterSeed(Project& project, const QString& seed)
{
    return assign(project.posterSeed, seed);
}

bool setPressKit(Project& project, const QString& text)
{
    return assign(project.idea.pressKit, text);
}

bool goToPhase(Project& project, PhaseID phase)
{
    return assign(project.activePhase, phase);
}

} // namespace studio::edits
