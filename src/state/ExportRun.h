#pragma once

// One export of a production: a simulated run of 30 timed steps, then the
// export manifest of the production as it is at that moment, written into
// the export folder.
//
// The run belongs to the session, not to the screen that started it: a
// screen rebuilt or closed mid-run doesn't stop it, and the file is still
// written; a session closed mid-run takes the run with it and nothing is
// written. The delivery preset is read when the steps are over, so a screen
// may change it (setPresetID) while the run goes on.

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>

class QTimer;

namespace studio {

class ProjectSession;

class ExportRun : public QObject {
    Q_OBJECT
public:
    static constexpr int steps = 30;
    static constexpr std::chrono::milliseconds defaultStep{50};

    // A run of that session (its child) writing into folder; empty means the
    // user's export folder.
    ExportRun(ProjectSession& session, QString presetID, QString folder = QString(),
              std::chrono::milliseconds step = defaultStep);

    QString presetID() const { return m_presetID; }
    void setPresetID(const QString& id) { m_presetID = id; }

    // Starts the steps; a second call does nothing.
    void start();

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
