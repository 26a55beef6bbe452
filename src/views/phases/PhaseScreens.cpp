#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/spark/SparkView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    switch (phase) {
    case PhaseID::spark:
        return new SparkView(session, parent);
    case PhaseID::story:
        break;
    case PhaseID::cast:
        return new CastView(session, parent);
    case PhaseID::script:
    case PhaseID::look:
    case PhaseID::scenes:
    case PhaseID::footage:
    case PhaseID::premiere:
        break;
    case PhaseID::cut:
        return new CutView(session, parent);
    }
    return nullptr;
}

} // namespace studio
