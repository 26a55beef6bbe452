#include "views/phases/PhaseScreens.h"

#include "views/phases/PhaseScreen.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/look/LookView.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/phases/script/ScriptView.h"
#include "views/phases/spark/SparkView.h"
#include "views/phases/story/StoryView.h"
#include "views/phases/storyboard/StoryboardView.h"

namespace studio {

PhaseScreen* makePhaseScreen(PhaseID phase, ProjectSession& session, QWidget* parent)
{
    switch (phase) {
    case PhaseID::spark:
        return new SparkView(session, parent);
    case PhaseID::story:
        return new StoryView(session, parent);
    case PhaseID::cast:
        return new CastView(session, parent);
    case PhaseID::script:
        return new ScriptView(session, parent);
    case PhaseID::look:
        return new LookView(session, parent);
    case PhaseID::scenes:
        return new StoryboardView(session, parent);
    case PhaseID::footage:
        return new FootageView(session, parent);
    case PhaseID::cut:
        return new CutView(session, parent);
    case PhaseID::premiere:
        return new PremiereView(session, parent);
    }
    return nullptr;
}

} // namespace studio
