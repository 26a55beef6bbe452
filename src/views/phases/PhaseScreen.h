#pragma once

// The base of every phase screen. A screen is built once for its phase (the
// workspace builds a new one, with its initial view state, whenever the phase
// or the tab changes) and then follows the session in place: refresh() runs
// after every real change of the production and every change of the active
// episode, and updates the existing widgets without replacing any that has
// focus.
//
// A screen receives the session only. It reads the production and the
// session's own state through it, and writes only through the protected
// methods below: the edit door with the named operations, the assist runner,
// the render queue and the export run. Saving is not its business (every
// change of the session schedules the autosave on its own).
//
// refresh() is implemented by the screen and called only by this base, under
// one guard: never twice at once, and a change that reaches the session from
// elsewhere while it runs (an assist landing, another view) is shown by one
// more refresh() right after the current one returns. A screen that needs to
// show something anew (its first showing at the end of its constructor, a
// selection changed by a click) asks through requestRefresh(). refresh() only
// shows: a write made while it runs, whichever of the methods below it goes
// through, is refused (and stops a debug build), since it would change the
// production or the session's work behind the user's back.
//
// A screen that takes the keyboard itself (the phase changed under it) is
// read as a pane named by its phase, so a reader hears where it is.

#include "design/widgets/AccessibleSource.h"
#include "model/Generation.h"
#include "model/Project.h"
#include "state/assist/AssistRequest.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <QWidget>
#include <functional>

namespace studio {

class ProjectSession;

// What a screen is built with: the session it shows. A screen reads the
// session through session() and writes to it only through PhaseScreen's
// guarded methods; this handle gives it nothing else, not even in its
// constructor. The workspace (and a test) builds a screen from a session.
class ScreenSession {
public:
    ScreenSession(ProjectSession& session)
        : m_session(session)
    {
    }

private:
    friend class PhaseScreen;
    ProjectSession& m_session;
};

class PhaseScreen : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    ~PhaseScreen() override;

    const Project& project() const;

    // The episode the screen works on, resolved at every call: the episode the
    // session's active id names, else the first episode, else none (a null id
    // and a null pointer). The pointer is good until the production changes.
    QUuid activeEpisodeID() const;
    const Episode* activeEpisode() const;

    // The field that names the active episode, when the screen shows one:
    // where the keyboard goes once an episode is added.
    virtual QWidget* episodeField() const { return nullptr; }

protected:
    explicit PhaseScreen(ScreenSession session, QWidget* parent = nullptr);

    // The session, for reading: its production, profile, jobs, export run
    // and busy flag. Writes go through the methods below.
    const ProjectSession& session() const { return m_session; }

    // The session's edit door: applies the change and, when it changed
    // anything, lets every observer (this screen included) refresh before it
    // returns. Returns whether anything changed; false, with nothing applied,
    // while this screen refreshes.
    bool edit(const std::function<void(Project&)>& change);
    // The same door for a named operation on the active episode, which it
    // names by id (the episode active when the user acts); nothing happens
    // when the production has no episode.
    bool editActiveEpisode(const std::function<void(Project&, const QUuid& episodeID)>& change);

    // Runs an assist on the session through its runner (one at a time per
    // session; its failure ends as the session's error, shown by the
    // workspace). The request (made with DirectorAssist::request) captures
    // ids and values, never the screen; it is given the session here.
    void runAssist(const AssistRequest& request);

    // The session's render settings and queue.
    void setProfile(const GenerationProfile& profile);
    void enqueue(const QList<QUuid>& shotIDs);
    void renderAll();
    void clearFinishedJobs();

    // The session's export run: starting one (false when one is under way or
    // the screen refreshes) and the preset the run under way will write.
    bool startExport(const QString& presetID);
    void setExportPresetID(const QString& presetID);

    // Shows the session's production anew, now, through the guard (or right
    // after the refresh that is running).
    void requestRefresh();

    QAccessibleInterface* accessibleFor(QObject* object) override;

private:
    // Updates the screen in place from the session. Called by the base only.
    virtual void refresh() = 0;
    // Whether a write may go to the session now: not while refresh() runs.
    bool mayWrite(const char* what) const;

    ProjectSession& m_session;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
};

} // namespace studio
