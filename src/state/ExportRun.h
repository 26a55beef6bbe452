#pragma once

// One export of a production: a simulated run of 30 timed steps, then the
// export manifest of the production as it is at that moment, written into
// the export folder.
//
// A run is made and owned by its session (ProjectSession::startExport), not
// by the screen that asked for it: a screen rebuilt or closed mid-run doesn't
// stop it, and a newly built screen reads it from the session. The delivery
// preset is read when the steps are over, so it may change (setPresetID)
// while the run goes on. A session that is about to go finishes its run
// first (finishNow), so the file is written before the production closes.

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <optional>

class QTimer;

namespace studio {

class ProjectSession;

// How the last run of a session ended: the manifest written, or why not.
struct ExportOutcome {
    std::optional<QString> path;
    std::optional<QString> error;
    friend bool operator==(const ExportOutcome&, const ExportOutcome&) = default;
};

class ExportRun : public QObject {
    Q_OBJECT
public:
    static constexpr int steps = 30;
    static constexpr std::chrono::milliseconds defaultStep{50};

    // A run of that session (its child) writing into folder; empty means the
    // user's export folder.
    ExportRun(ProjectSession& session, QString presetID, QString folder = QString(),
              std::chrono::milliseconds step = defaultStep);

    void setPresetID(const QString& id) { m_presetID = id; }

    // Starts the steps; a second call does nothing.
    void start();
    // Takes the remaining steps at once and writes the manifest now, reading
    // the production as it is. Does nothing unless the run is under way.
    void finishNow();

    bool isRunning() const { return m_running; }
    // 0 before the first step, n/30 after step n.
    double progress() const { return m_progress; }

Q_SIGNALS:
    void progressChanged(double progress);
    // The manifest was written (path) or not (the message). The run deletes
    // itself later.
    void succeeded(const QString& path);
    void failed(const QString& message);

private:
    void step();
    void finish();

    QPointer<ProjectSession> m_session;
    QString m_presetID;
    QString m_folder;
    QTimer* m_timer;
    int m_step = 0;
    bool m_started = false;
    bool m_running = false;
    double m_progress = 0;
};

} // namespace studio
