#pragma once

// The one application object: the production store, the updater, the studio
// tabs with the shown one, and the two requests the menu commands raise for
// the views (present the new-production sheet, open the settings window).

#include "model/Project.h"

#include <QList>
#include <QObject>
#include <QUuid>

namespace studio {

class ProjectStore;
class ProjectSession;
class StudioTab;
class UpdateService;

class AppState : public QObject {
    Q_OBJECT
public:
    // In this order: the store is made and loads every production, the updater
    // is made (idle), the AI settings defaults are written, one home tab is
    // opened and selected.
    explicit AppState(QObject* parent = nullptr);
    ~AppState() override;

    ProjectStore& store() const { return *m_store; }
    UpdateService& updates() const { return *m_updates; }

    // Never empty.
    const QList<StudioTab*>& tabs() const { return m_tabs; }
    QUuid selectedTabID() const { return m_selectedTabID; }
    void setSelectedTabID(const QUuid& id);
    // The tab whose id is selected, else the first tab.
    StudioTab* selectedTab() const;
    StudioTab* tab(const QUuid& id) const;
    // The tab holding the session of that production, if one is open.
    StudioTab* tabForProject(const QUuid& projectID) const;

    bool showingNewProject() const { return m_showingNewProject; }
    void setShowingNewProject(bool on);
    bool showSettingsRequest() const { return m_showSettingsRequest; }
    void setShowSettingsRequest(bool on);

    // Appends a home tab and selects it.
    void newHomeTab();
    // Selects the tab that already holds the production (its working copy is
    // kept; the value passed is not used), else opens it in a new tab. From
    // then on every change of that session schedules its autosave.
    void openProject(const Project& project);
    // Finishes the tab's export run if one is under way (its manifest is
    // written at once), saves the tab's production (cancelling its pending
    // autosave first) and closes the tab. When that save fails the tab stays open, the store
    // reports the error, and false is returned. An unknown id does nothing.
    bool closeTab(const QUuid& id);

    // Finishes every export run under way and saves the production of every
    // open tab, in strip order (quitting and updating call it). True when all saved.
    bool saveAll();
    // The open productions holding edits that are not on disk: their last
    // save failed (or never happened) and they differ from what the library
    // holds. In strip order.
    QList<QUuid> unsavedProductions() const;

    // Moves a production to the Trash. Its open tab is closed first, saving
    // it, so the Trash holds its latest state and no session is left to
    // write it back. When that save fails nothing is trashed, the tab stays
    // open and the store reports the failure; when the move fails the
    // production stays in the library and the store reports that. True once
    // the production is in the Trash.
    bool trashProject(const QUuid& projectID);

    // Sets the active phase of the production in the selected tab; a home tab
    // ignores it.
    void setActivePhaseOfSelectedTab(PhaseID phase);

Q_SIGNALS:
    void tabsChanged();
    void selectedTabIDChanged();
    void showingNewProjectChanged();
    void showSettingsRequestChanged();

private:
    StudioTab* appendTab(StudioTab* tab);

    ProjectStore* m_store;
    UpdateService* m_updates;
    QList<StudioTab*> m_tabs;
    QUuid m_selectedTabID;
    bool m_showingNewProject = false;
    bool m_showSettingsRequest = false;
};

} // namespace studio
