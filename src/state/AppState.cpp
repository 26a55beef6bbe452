#include "state/AppState.h"

#include "model/Lookup.h"
#include "services/AIService.h"
#include "services/ProjectStore.h"
#include "services/UpdateService.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"

namespace studio {

AppState::AppState(QObject* parent)
    : QObject(parent)
{
    m_store = new ProjectStore(this);
    m_store->load();
    m_updates = new UpdateService(this);
    // Every open production is on disk before a new version starts.
    m_updates->setSaveAllHook([this] { return saveAll(); });
    AIService::seedDefaultsIfNeeded();
    StudioTab* home = appendTab(new StudioTab(this));
    m_selectedTabID = home->id();
}

AppState::~AppState() = default;

StudioTab* AppState::appendTab(StudioTab* tab)
{
    m_tabs.append(tab);
    return tab;
}

void AppState::setSelectedTabID(const QUuid& id)
{
    if (m_selectedTabID == id)
        return;
    m_selectedTabID = id;
    Q_EMIT selectedTabIDChanged();
}

StudioTab* AppState::selectedTab() const
{
    if (StudioTab* t = tab(m_selectedTabID))
        return t;
    return m_tabs.value(0);
}

StudioTab* AppState::tab(const QUuid& id) const
{
    for (StudioTab* t : m_tabs) {
        if (t->id() == id)
            return t;
    }
    return nullptr;
}

StudioTab* AppState::tabForProject(const QUuid& projectID) const
{
    for (StudioTab* t : m_tabs) {
        if (t->session() && t->session()->id() == projectID)
            return t;
    }
    return nullptr;
}

void AppState::setShowingNewProject(bool on)
{
    if (m_showingNewProject == on)
        return;
    m_showingNewProject = on;
    Q_EMIT showingNewProjectChanged();
}

void AppState::setShowSettingsRequest(bool on)
{
    if (m_showSettingsRequest == on)
        return;
    m_showSettingsRequest = on;
    Q_EMIT showSettingsRequestChanged();
}

void AppState::newHomeTab()
{
    StudioTab* home = appendTab(new StudioTab(this));
    Q_EMIT tabsChanged();
    setSelectedTabID(home->id());
}

void AppState::openProject(const Project& project)
{
    if (StudioTab* open = tabForProject(project.id)) {
        setSelectedTabID(open->id());
        return;
    }
    auto* session = new ProjectSession(project);
    // Autosave belongs to the open production, not to its screen: a tab that
    // is not on screen still receives takes, assist results and choices.
    ProjectStore* store = m_store;
    connect(session, &ProjectSession::projectChanged, store,
            [store, session] { store->scheduleAutosave(session->project()); });
    StudioTab* t = appendTab(new StudioTab(session, this));
    Q_EMIT tabsChanged();
    setSelectedTabID(t->id());
}

bool AppState::closeTab(const QUuid& id)
{
    const qsizetype index = m_tabs.indexOf(tab(id));
    if (index < 0)
        return false;
    StudioTab* closing = m_tabs.at(index);
    if (ProjectSession* session = closing->session()) {
        // An export under way is written now, from the production as it is,
        // rather than lost with the session.
        session->finishExport();
        m_store->cancelAutosave(session->id());
        if (!m_store->save(session->project()))
            return false;
    }
    m_tabs.removeAt(index);
    if (m_tabs.isEmpty())
        appendTab(new StudioTab(this));
    Q_EMIT tabsChanged();
    if (m_selectedTabID == id)
        setSelectedTabID(m_tabs.at(qMin(m_tabs.size() - 1, index))->id());
    closing->deleteLater();
    return true;
}

bool AppState::saveAll()
{
    bool allSaved = true;
    for (StudioTab* t : m_tabs) {
        if (ProjectSession* session = t->session()) {
            session->finishExport();
            m_store->cancelAutosave(session->id());
            allSaved = m_store->save(session->project()) && allSaved;
        }
    }
    return allSaved;
}

QList<QUuid> AppState::unsavedProductions() const
{
    QList<QUuid> unsaved;
    for (const StudioTab* t : m_tabs) {
        const ProjectSession* session = t->session();
        if (!session)
            continue;
        const Project* stored = findProject(m_store->projects(), session->id());
        // The library holds what was last written, with the stamp the save
        // gave it; the session keeps the stamp it was opened with.
        Project current = session->project();
        if (stored)
            current.modifiedAt = stored->modifiedAt;
        if (!stored || current != *stored)
            unsaved.append(session->id());
    }
    return unsaved;
}

bool AppState::trashProject(const QUuid& projectID)
{
    while (StudioTab* open = tabForProject(projectID)) {
        if (!closeTab(open->id()))
            return false;
    }
    return m_store->remove(projectID);
}

void AppState::setActivePhaseOfSelectedTab(PhaseID phase)
{
    StudioTab* t = selectedTab();
    if (!t || !t->session())
        return;
    t->session()->edit([phase](Project& p) { p.activePhase = phase; });
}

} // namespace studio
