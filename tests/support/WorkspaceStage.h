#pragma once

// An open production's workspace on the window's backdrop, laid out as the
// window lays it out (at the window's least content size unless told), for
// tests that drive or picture one phase screen or the workspace around it.

#include "design/style/AuroraBackground.h"
#include "views/phases/PhaseScreen.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QSize>
#include <QVBoxLayout>

namespace studio::test {

template <class Screen = PhaseScreen>
struct WorkspaceStage {
    AuroraBackground backdrop;
    ProjectWorkspaceView* workspace;

    WorkspaceStage(AppState& app, ProjectSession& session, QSize size = QSize(1080, 700), bool shown = true)
    {
        backdrop.setAnimated(false);
        auto* layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        workspace = new ProjectWorkspaceView(app, session, &backdrop);
        layout->addWidget(workspace);
        backdrop.resize(size);
        if (shown)
            backdrop.show();
    }

    // The phase screen on show now, when it is a Screen.
    Screen* screen() const { return qobject_cast<Screen*>(workspace->phaseScreen()); }
};

} // namespace studio::test
