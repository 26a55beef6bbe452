#include "views/phases/PhaseScreens.h"

namespace studio {

QWidget* makePhaseScreen(PhaseID phase, AppState& app, ProjectSession& session, QWidget* parent)
{
    Q_UNUSED(app);
    Q_UNUSED(session);
    Q_UNUSED(parent);
    switch (phase) {
    case PhaseID::spark:
    case PhaseID::story:
    case PhaseID::cast:
    case PhaseID::script:
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
