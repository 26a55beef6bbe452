#pragma once

// The workspace's assists for the phase on screen: one entry per row of the
// phase's table, each with the asynchronous work the assist runner runs.
//
// Each work runs the director-assist shape (DirectorAssist): a copy of the
// production, one director action, the result landed by id in the live
// production (AssistResults). It holds the session through a QPointer and
// never a widget, so a reply arriving after the tab closed is dropped, and one
// arriving while another tab is shown is still applied to its own session.
// Episode entries name their episode by the id it had when the table was
// built; when that episode is gone by the time the work runs or its reply
// arrives, nothing changes.

#include "model/Json.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QString>
#include <QUuid>
#include <functional>

namespace studio {

class ProjectSession;

struct AssistAction {
    QUuid id = newId(); // fresh on every build; nothing stores it
    QString title;
    QString icon;       // a symbol name
    std::function<QCoro::Task<void>()> work;
};

class AssistActions {
public:
    // The entries of the active phase, in menu order (none for Footage).
    // Episode entries capture the active episode's id (the first episode's
    // when the active id names none).
    static QList<AssistAction> forSession(ProjectSession& session);

    // The two refusals raised before any request, as AIError::parsing details.
    static QString nothingToContinue();
    static QString everySceneHasShots();

    // At most this many scenes without shots are served per run.
    static constexpr int shotListScenesPerRun = 4;
};

} // namespace studio
