#include "state/edits/PremiereEdits.h"

namespace studio::edits {

namespace {

template <class T>
bool assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

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
