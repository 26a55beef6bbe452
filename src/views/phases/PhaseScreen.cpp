#include "views/phases/PhaseScreen.h"

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/DirectorAssist.h"

#include <QAccessibleWidget>

namespace studio {

PhaseScreen::PhaseScreen(ScreenSession session, QWidget* parent)
    : QWidget(parent)
    , m_session(session.m_session)
{
    setAttribute(Qt::WA_TranslucentBackground);
    connect(&m_session, &ProjectSession::projectChanged, this, &PhaseScreen::requestRefresh);
    connect(&m_session, &ProjectSession::activeEpisodeIDChanged, this, &PhaseScreen::requestRefresh);
}

PhaseScreen::~PhaseScreen() = default;

const Project& PhaseScreen::project() const
{
    return m_session.project();
}

QUuid PhaseScreen::activeEpisodeID() const
{
    const Episode* active = activeEpisode();
    return active ? active->id : QUuid();
}

const Episode* PhaseScreen::activeEpisode() const
{
    return findActiveEpisode(m_session.project(), m_session.activeEpisodeID());
}

bool PhaseScreen::mayWrite(const char* what) const
{
    if (!m_refreshing)
        return true;
    qWarning("PhaseScreen: %s while the screen refreshes was refused", what);
    Q_ASSERT_X(false, "PhaseScreen", "a write made during refresh()");
    return false;
}

bool PhaseScreen::edit(const std::function<void(Project&)>& change)
{
    return mayWrite("an edit") && m_session.edit(change);
}

bool PhaseScreen::editActiveEpisode(const std::function<void(Project&, const QUuid&)>& change)
{
    const QUuid episodeID = activeEpisodeID();
    return !episodeID.isNull() && edit([&](Project& p) { change(p, episodeID); });
}

void PhaseScreen::runAssist(const AssistRequest& request)
{
    if (mayWrite("an assist"))
        m_session.runAssist(DirectorAssist::bind(request, m_session));
}

void PhaseScreen::setProfile(const GenerationProfile& profile)
{
    if (mayWrite("a change of the render settings"))
        m_session.setProfile(profile);
}

void PhaseScreen::enqueue(const QList<QUuid>& shotIDs)
{
    if (mayWrite("queueing shots"))
        m_session.enqueue(shotIDs);
}

void PhaseScreen::renderAll()
{
    if (mayWrite("starting the renderer"))
        m_session.renderAll();
}

void PhaseScreen::clearFinishedJobs()
{
    if (mayWrite("clearing the queue"))
        m_session.clearFinishedJobs();
}

bool PhaseScreen::startExport(const QString& presetID)
{
    return mayWrite("starting an export") && m_session.startExport(presetID);
}

void PhaseScreen::setExportPresetID(const QString& presetID)
{
    if (mayWrite("a change of the export preset"))
        m_session.setExportPresetID(presetID);
}

void PhaseScreen::requestRefresh()
{
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_refreshing);
    do {
        m_refreshAgain = false;
        refresh();
    } while (m_refreshAgain);
}

QAccessibleInterface* PhaseScreen::accessibleFor(QObject* object)
{
    return object == this ? new QAccessibleWidget(this, QAccessible::Pane) : nullptr;
}

} // namespace studio
