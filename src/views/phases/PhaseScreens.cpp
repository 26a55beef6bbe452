#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/footage/FootageView.h"
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
        break;
    case PhaseID::footage:
        return new FootageView(session, parent);
    case PhaseID::cut:
    case PhaseID::premiere:
        break;
    }
    return nullptr;
}

} // namespace studio
