#pragma once

// The base of every phase screen. A screen is built once for its phase (the
// workspace builds a new one, with its initial view state, whenever the phase
// or the tab changes) and then follows the session in place: refresh() runs
// after every real change of the production and every change of the active
// episode, and updates the existing widgets without replacing any that has
// focus.
//
// A screen receives the session only. It reads the production through it,
// changes it only through the session's edit door, and starts its assists
// through the session's runner; saving is not its business (every change of
// the session schedules the autosave on its own).
//
// The first refresh is the derived constructor's job: build the widgets, then
// call refresh() once at its end. The base can't do it, since the derived
// part doesn't exist yet while the base constructor runs.
//
// refresh() is never entered twice at once: a change that arrives while it
// runs (an edit it made, or one made by something it called) is shown by one
// more refresh() right after the current one returns.

#include "model/Project.h"

#include <QCoro/QCoroTask>
#include <QUuid>
#include <QWidget>
#include <functional>

namespace studio {

class ProjectSession;

class PhaseScreen : public QWidget {
    Q_OBJECT
public:
    ~PhaseScreen() override;

    ProjectSession& session() const { return m_session; }
    const Project& project() const;

    // The episode the screen works on, resolved at every call: the episode the
    // session's active id names, else the first episode, else none (a null id
    // and a null pointer). The pointer is good until the production changes.
    QUuid activeEpisodeID() const;
    const Episode* activeEpisode() const;

    // The session's edit door: applies the change and, when it changed
    // anything, lets every observer (this screen included) refresh before it
    // returns; an edit made during this screen's own refresh is shown right
    // after that refresh. Returns whether anything changed.
    bool edit(const std::function<void(Project&)>& change);
    // Runs an assist through the session's runner (one at a time per session;
    // its failure ends as the session's error, shown by the workspace).
    void runAssist(std::function<QCoro::Task<void>()> work);

protected:
    explicit PhaseScreen(ProjectSession& session, QWidget* parent = nullptr);

    // Updates the screen in place from the session.
    virtual void refresh() = 0;

private:
    void sessionChanged();

    ProjectSession& m_session;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
};

} // namespace studio
