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
// refresh() is implemented by the screen and called only by this base, under
// one guard: never twice at once, and a change that arrives while it runs is
// shown by one more refresh() right after the current one returns. A screen
// that needs to show something anew (its first showing at the end of its
// constructor, a selection changed by a click) asks through requestRefresh().
// refresh() only shows: an edit made while it runs is refused (and stops a
// debug build), since it would change the production behind the user's back.

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
    // The same door for a change of the active episode, found again by id
    // inside the edit; nothing happens when the production has no episode.
    bool editActiveEpisode(const std::function<void(Episode&)>& change);
    // Runs an assist through the session's runner (one at a time per session;
    // its failure ends as the session's error, shown by the workspace).
    void runAssist(std::function<QCoro::Task<void>()> work);

protected:
    explicit PhaseScreen(ProjectSession& session, QWidget* parent = nullptr);

    // Shows the session's production anew, now, through the guard (or right
    // after the refresh that is running).
    void requestRefresh();
    bool isRefreshing() const { return m_refreshing; }

private:
    // Updates the screen in place from the session. Called by the base only.
    virtual void refresh() = 0;

    ProjectSession& m_session;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
};

} // namespace studio
