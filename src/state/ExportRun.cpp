#include "state/ExportRun.h"

#include "services/ExportManifest.h"
#include "state/ProjectSession.h"

#include <QDateTime>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace studio {

ExportRun::ExportRun(ProjectSession& session, QString presetID, QString folder, std::chrono::milliseconds step)
    : QObject(&session)
    , m_session(&session)
    , m_presetID(std::move(presetID))
    , m_folder(folder.isEmpty() ? exportFolder() : std::move(folder))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(step);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ExportRun::step);
}

void ExportRun::start()
{
    if (m_started)
        return;
    m_started = true;
    m_running = true;
    m_timer->start();
}

void ExportRun::finishNow()
{
    if (!m_running)
        return;
    m_timer->stop();
    // Every step is shown, so whoever follows the progress sees it end at 1.
    while (m_running)
        step();
}

void ExportRun::step()
{
    if (!m_running)
        return;
    ++m_step;
    m_progress = double(m_step) / double(steps);
    emit progressChanged(m_progress);
    if (m_step >= steps) {
        m_timer->stop();
        finish();
    }
}

void ExportRun::finish()
{
    m_running = false;
    if (!m_session) {
        deleteLater();
        return;
    }
    // The production as it is now: changes made during the steps are in it.
    const ExportManifest manifest =
        ExportManifest::make(m_session->project(), m_presetID, QDateTime::currentDateTimeUtc());
    const ManifestWriteResult result = writeManifest(manifest, m_folder);
    if (result.path)
        emit succeeded(*result.path);
    else
        emit failed(result.error);
    deleteLater();
}

} // namespace studio
