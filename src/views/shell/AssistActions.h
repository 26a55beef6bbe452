#pragma once

// The workspace's assists for the phase on screen: one entry per row of the
// phase's table, each with the asynchronous work the assist runner runs.
//
// A work copies what it needs of the production on the main thread, awaits
// one director action, then finds its targets again by id in the live
// production and applies the result there (AssistResults). It holds the
// session through a QPointer and never a widget, so a reply arriving after
// the tab closed is dropped, and one arriving while another tab is shown is
// still applied to its own session. Episode entries name their episode by the
// id it had when the table was built; when that episode is gone by the time
// the work runs or its reply arrives, nothing changes.

#include "model/Json.h"
#include "services/AIDirector.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QString>
#include <QUuid>
#include <functional>
#include <optional>

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

    // The director every assist of the workspace asks. By default it talks to
    // the shared chat-completions client; tests put a scripted one in place
    // (nullopt restores the default). Works read it when they start.
    static AIDirector director();
    static void setDirector(std::optional<AIDirector> director);

    // The two refusals raised before any request, as AIError::parsing details.
    static QString nothingToContinue();
    static QString everySceneHasShots();

    // At most this many scenes without shots are served per run.
    static constexpr int shotListScenesPerRun = 4;
};

} // namespace studio
