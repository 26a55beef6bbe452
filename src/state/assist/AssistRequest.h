#pragma once

// An assist asked for by a screen, not yet given its session: the screen's
// base gives it the session it shows and runs it there. It captures ids and
// values, never a widget, and holds the session only as a QPointer.

#include <QCoro/QCoroTask>
#include <QPointer>
#include <functional>

namespace studio {

class ProjectSession;

using AssistRequest = std::function<QCoro::Task<void>(QPointer<ProjectSession>)>;

} // namespace studio
