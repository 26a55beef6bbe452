#include "views/phases/PhaseScreen.h"

#include "model/Lookup.h"
#include "state/ProjectSession.h"

namespace studio {

PhaseScreen::PhaseScreen(ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
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

bool PhaseScreen::edit(const std::function<void(Project&)>& change)
{
    if (m_refreshing) {
        qWarning("PhaseScreen: an edit made while the screen refreshes was refused");
        Q_ASSERT_X(false, "PhaseScreen::edit", "edit made during refresh()");
        return false;
    }
    return m_session.edit(change);
}

bool PhaseScreen::editActiveEpisode(const std::function<void(Episode&)>& change)
{
    const QUuid episodeID = activeEpisodeID();
    if (episodeID.isNull())
        return false;
    return edit([&](Project& p) {
        if (Episode* episode = findEpisode(p, episodeID))
            change(*episode);
    });
}

void PhaseScreen::runAssist(std::function<QCoro::Task<void>()> work)
{
    m_session.runAssist(std::move(work));
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

} // namespace studio
