#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/phases/spark/SparkView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    switch (phase) {
    case PhaseID::spark:
        return new SparkView(session, parent);
    case PhaseID::story:
    case PhaseID::cast:
    case PhaseID::script:
    case PhaseID::look:
    case PhaseID::scenes:
    case PhaseID::footage:
    case PhaseID::cut:
        break;
    case PhaseID::premiere:
        return new PremiereView(session, parent);
    }
    return nullptr;
}

} // namespace studio
