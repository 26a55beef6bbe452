#pragma once

// Pieces shared by the tests of assists and of the screens that start them:
// the scripted model, running an entry of the Assist menu's table, opening a
// production the way the application does, and small builders of records.

#include "model/Project.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "state/assist/AssistActions.h"
#include "support/ScriptedModel.h"

#include <QString>
#include <QStringList>

namespace studio::test {

// Runs the entry of the session's table with that title; false when the
// active phase has no such entry.
inline bool runEntry(ProjectSession& session, const QString& title)
{
    for (const AssistAction& action : AssistActions::forSession(session)) {
        if (action.title == title) {
            session.runAssist(action.work);
            return true;
        }
    }
    return false;
}

// Opens the production in a tab of the application (so its changes are
// autosaved) and returns the tab's session.
inline ProjectSession& openSession(AppState& app, const Project& project)
{
    app.openProject(project);
    return *app.tabForProject(project.id)->session();
}

// An episode whose structure has the given beats (summaries) in one act.
inline Episode episodeWithBeats(const QStringList& summaries)
{
    Episode episode;
    Act act;
    for (const QString& summary : summaries) {
        Beat beat;
        beat.summary = summary;
        act.beats << beat;
    }
    episode.structure.acts << act;
    return episode;
}

// A production of three characters (Eda, Tomas, Ruth) and two locations
// (Lighthouse, Harbour), nothing else filled in.
inline Project threeAndTwo()
{
    Project p;
    for (const QString& name : {QStringLiteral("Eda"), QStringLiteral("Tomas"), QStringLiteral("Ruth")}) {
        CastMember m;
        m.name = name;
        p.cast << m;
    }
    for (const QString& name : {QStringLiteral("Lighthouse"), QStringLiteral("Harbour")}) {
        Location l;
        l.name = name;
        p.locations << l;
    }
    return p;
}

inline SceneCard sceneWithShots(int shots, int renderedShots = 0)
{
    SceneCard scene;
    for (int i = 0; i < shots; ++i) {
        Shot shot;
        if (i < renderedShots)
            shot.takes << Take{};
        scene.shots << shot;
    }
    return scene;
}

} // namespace studio::test
