#include "state/ProjectSession.h"

namespace studio {

bool ProjectSession::startExport(const QString& presetID)
{
    // One run at a time: a second Export (from a screen built anew, say)
    // would write the same file twice.
    if (m_exportRun)
        return false;
    m_lastExport.reset();
    auto* run = new ExportRun(*this, presetID, m_exportFolder, m_exportStep);
    m_exportRun = run;
    connect(run, &ExportRun::progressChanged, this, [this] { Q_EMIT exportChanged(); });
    connect(run, &ExportRun::succeeded, this, [this](const QString& path) {
        m_exportRun = nullptr;
        m_lastExport = ExportOutcome{path, std::nullopt};
        Q_EMIT exportChanged();
    });
    connect(run, &ExportRun::failed, this, [this](const QString& message) {
        m_exportRun = nullptr;
        m_lastExport = ExportOutcome{std::nullopt, message};
        Q_EMIT exportChanged();
    });
    run->start();
    Q_EMIT exportChanged();
    return true;
}

void ProjectSession::setExportPresetID(const QString& presetID)
{
    if (m_exportRun)
        m_exportRun->setPresetID(presetID);
}

void ProjectSession::finishExport()
{
    if (m_exportRun)
        m_exportRun->finishNow();
}

void ProjectSession::setExportTarget(const QString& folder, std::chrono::milliseconds step)
{
    m_exportFolder = folder;
    m_exportStep = step;
}

} // namespace studio
