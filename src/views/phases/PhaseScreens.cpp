#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/scenes/ScenesView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    switch (phase) {
    case PhaseID::scenes:
        return new ScenesView(session, parent);
    case PhaseID::spark:
    case PhaseID::story:
    case PhaseID::cast:
    case PhaseID::script:
    case PhaseID::look:
    case PhaseID::footage:
    case PhaseID::cut:
    case PhaseID::premiere:
        break;
    }
    return nullptr;
}

} // namespace studio
