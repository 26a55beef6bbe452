#pragma once

// The Storyboard screen in a window of its own, for the tests that drive it.

#include "state/ProjectSession.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/ShotInspectorPane.h"
#include "views/phases/storyboard/StoryboardView.h"

#include <QApplication>

namespace studio::test {

struct StoryboardScreen {
    ProjectSession session;
    StoryboardView view;

    explicit StoryboardScreen(const Project& project)
        : session(project)
        , view(session)
    {
        view.resize(1180, 700);
        view.show();
        QApplication::setActiveWindow(&view);
    }
    const Episode& episode() const { return session.project().episodes.first(); }
    ShotInspector* inspector() const { return view.inspectorPane()->inspector(); }
    bool showsEditor() const { return view.editor()->isVisibleTo(&view); }
};

} // namespace studio::test
