#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/look/LookView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    Q_UNUSED(session);
    Q_UNUSED(parent);
    switch (phase) {
    case PhaseID::spark:
    case PhaseID::story:
    case PhaseID::cast:
    case PhaseID::script:
    case PhaseID::scenes:
    case PhaseID::footage:
    case PhaseID::cut:
    case PhaseID::premiere:
        break;
    case PhaseID::look:
        return new LookView(session, parent);
    }
    return nullptr;
}

} // namespace studio
