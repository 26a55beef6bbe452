#pragma once

// One production open in a studio tab: the working copy every screen edits,
// the episode the screens work on, the assist runner with its busy flag,
// error text and pending choice, and the generation queue with its simulated
// renderer.
//
// Every change of the production goes through edit(), which announces it
// with projectChanged() only when the value really changed; the application
// state turns that signal into an autosave from the moment it opens the
// session, whether or not its tab is on screen. Asynchronous work (assists,
// the renderer's steps) addresses records by id when it comes back and does
// nothing once the session is gone.
//
// An export run is the session's too: the session starts it, shows it
// (exportRun(), lastExport(), exportChanged()) to whichever screen is built,
// and finishes it before it goes (finishExport(), called on close and quit).
//
// A session is destroyed only later (deleteLater), never inside one of its
// own signals, so code that emits or calls edit() may go on using it.

#include "model/Generation.h"
#include "model/Project.h"
#include "services/AIError.h"
#include "state/AIChoicePrompt.h"
#include "state/ExportRun.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <chrono>
#include <functional>
#include <optional>

class QTimer;

namespace studio {

class ProjectSession : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultRenderStep{55};
    static constexpr int renderStepsPerJob = 22;

    explicit ProjectSession(Project project, QObject* parent = nullptr,
                            std::chrono::milliseconds renderStep = defaultRenderStep);
    ~ProjectSession() override;

    // The production's id.
    QUuid id() const { return m_project.id; }

    const Project& project() const { return m_project; }
    // The one door for changes: applies the change to a copy and, when the copy
    // differs, makes it the working copy and emits projectChanged(). Returns
    // whether anything changed. A change that throws leaves the production as it was.
    // An edit made from inside another edit's change joins that edit: it is
    // written into the same copy and announced with it, once.
    bool edit(const std::function<void(Project&)>& change);

    // The episode the screens work on. An id that names no episode selects the first.
    QUuid activeEpisodeID() const { return m_activeEpisodeID; }
    void setActiveEpisodeID(const QUuid& id);
    // Position of the active episode; 0 when the id names none.
    qsizetype activeEpisodeIndex() const;
    // The active episode, or a new empty episode numbered 1 (not added to the
    // production) when the production has none.
    Episode activeEpisode() const;

    // Render settings of this session only; never stored.
    const GenerationProfile& profile() const { return m_profile; }
    void setProfile(const GenerationProfile& profile);

    // Assists.
    bool aiBusy() const { return m_aiBusy; }
    const std::optional<QString>& aiError() const { return m_aiError; }
    void setAiError(const std::optional<QString>& error);
    // Runs one assist unless another one is running (then the work is dropped
    // unseen). The busy flag is raised and the old error cleared before the
    // work starts, so a second call in the same turn is dropped too. A failure
    // ends as aiError(); nothing is thrown.
    // An error about the AI settings clears itself once the settings no
    // longer have that fault (a key entered, a line break taken out).
    void runAssist(std::function<QCoro::Task<void>()> work);

    const std::optional<AIChoicePrompt>& choicePrompt() const { return m_choicePrompt; }
    void setChoicePrompt(const std::optional<AIChoicePrompt>& prompt);
    // Applies the option of the pending prompt with that id through edit(),
    // then closes the prompt. An id the pending prompt doesn't hold does nothing.
    bool applyChoice(const QUuid& optionID);
    // "Keep what I have": closes the prompt without a change.
    void dismissChoice();

    // Generation queue, in queue order; lives only in memory.
    const QList<GenerationJob>& jobs() const { return m_jobs; }
    void setJobs(const QList<GenerationJob>& jobs);
    bool isRendering() const { return m_isRendering; }

    // Queues the listed shots of the active episode in storyboard order,
    // skipping shots that already have a queued or rendering job.
    void enqueue(const QList<QUuid>& shotIDs);
    // Starts the renderer unless it runs: one job at a time, each in 22 timed
    // steps, then new takes on its shot. Runs until no queued job is left.
    void renderAll();
    // Removes done and failed jobs; the others keep their order.
    void clearFinishedJobs();

    // Export. The run under way, or null; at most one per session.
    const ExportRun* exportRun() const { return m_exportRun; }
    // How the last run ended; none before the first one ends and while a
    // run is under way.
    const std::optional<ExportOutcome>& lastExport() const { return m_lastExport; }
    // Starts a run with that preset unless one is under way (then nothing
    // happens and false is returned).
    bool startExport(const QString& presetID);
    // The preset the run under way will write; nothing without a run.
    void setExportPresetID(const QString& presetID);
    // Ends the run under way now: its remaining steps at once, then the
    // manifest of the production as it is. Nothing without a run.
    void finishExport();
    // Where runs write (empty: the user's export folder) and how long their
    // steps take; for tests.
    void setExportTarget(const QString& folder, std::chrono::milliseconds step);

Q_SIGNALS:
    void projectChanged();
    void activeEpisodeIDChanged();
    void profileChanged();
    void aiBusyChanged();
    void aiErrorChanged();
    void choicePromptChanged();
    void jobsChanged();
    void isRenderingChanged();
    // A run started, took a step or ended.
    void exportChanged();

private:
    static QCoro::Task<void> assistRun(QPointer<ProjectSession> self, std::function<QCoro::Task<void>()> work);
    void finishAssist(std::optional<QString> error, std::optional<AIError::Kind> kind);
    void setAiBusy(bool busy);
    void setRendering(bool rendering);

    void startNextJob();
    void renderStep();
    void stopRenderer();
    void attachTakes(const GenerationJob& job, qint64 count);
    GenerationJob* findJob(const QUuid& id);

    Project m_project;
    // The copy an edit's change is writing into, while it runs.
    Project* m_applying = nullptr;
    QUuid m_activeEpisodeID;
    QList<GenerationJob> m_jobs;
    bool m_isRendering = false;
    GenerationProfile m_profile;
    bool m_aiBusy = false;
    std::optional<QString> m_aiError;
    // The kind of the assist's failure behind that text, when it was one of
    // the service's own (AIError): a settings fault goes once it is mended.
    std::optional<AIError::Kind> m_aiErrorKind;
    std::optional<AIChoicePrompt> m_choicePrompt;

    QPointer<ExportRun> m_exportRun;
    std::optional<ExportOutcome> m_lastExport;
    QString m_exportFolder;
    std::chrono::milliseconds m_exportStep = ExportRun::defaultStep;

    // The renderer: the job it works on (by id) and the steps it has taken.
    QTimer* m_renderTimer;
    QUuid m_renderingJobID;
    int m_renderStep = 0;
};

} // namespace studio
