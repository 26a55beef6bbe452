#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/script/ScriptView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    Q_UNUSED(session);
    Q_UNUSED(parent);
    switch (phase) {
    case PhaseID::spark:
    case PhaseID::story:
    case PhaseID::cast:
        break;
    case PhaseID::script:
        return new ScriptView(session, parent);
    case PhaseID::look:
    case PhaseID::scenes:
    case PhaseID::footage:
    case PhaseID::cut:
    case PhaseID::premiere:
        break;
    }
    return nullptr;
}

} // namespace studio
