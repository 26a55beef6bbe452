#pragma once

// The studio's one window: the root view under the native title bar, the
// menus with their shortcuts, the banner for storage failures, and the save
// of every open production when the window closes or the program quits.
// Edits that could not be written are never dropped without a word: closing
// the window (the quit action, a first termination signal) asks first, and
// the program goes on unless the user chooses to quit anyway. Only the end of
// the session, with nobody left to answer, quits without asking.

#include "model/Enums.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QUuid>

class QAction;

namespace studio {

class Alert;
class AppState;
class RootView;
class StoreErrorBanner;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The smallest the content under the menu bar may become wherever the
    // screen holds it; the window's own minimum adds the menu bar to it. A
    // smaller screen lowers it to what fits (ScreenFit).
    static constexpr QSize minimumContentSize{1080, 700};

    explicit MainWindow(AppState& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    RootView* rootView() const { return m_root; }
    StoreErrorBanner* storeErrorBanner() const { return m_banner; }

    QAction* aboutAction() const { return m_about; }
    QAction* checkForUpdatesAction() const { return m_checkForUpdates; }
    QAction* newProjectAction() const { return m_newProject; }
    QAction* newStudioTabAction() const { return m_newTab; }
    QAction* settingsAction() const { return m_settings; }
    QAction* quitAction() const { return m_quit; }
    // One per phase, in phase order.
    const QList<QAction*>& phaseActions() const { return m_phaseActions; }
    // "Dream · Spark" and so on.
    static QString phaseMenuText(PhaseID phase);

    // Saves the production of every open tab, once per quit, without asking:
    // the end of the event loop leads here, when it is too late to ask.
    void saveBeforeQuit();
    // Closes the window as the window's own close does: everything is saved,
    // and edits that could not be written make it ask first and stay open
    // (it does not wait for the answer). A hidden window, which can't ask,
    // saves and quits.
    void quitAfterSaving();
    // Saves everything once more and quits, whatever could not be written:
    // the session is ending and nobody is left to answer, so a question that
    // is up goes unanswered.
    void quitWithoutAsking();
    // The question asked before unsaved edits are discarded, while it is up.
    Alert* quitConfirmation() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // New Project…: a home tab comes forward and presents the sheet.
    void newProject();
    void showAbout();
    void checkForUpdates();
    // Saves every open production; the ones whose edits are not on disk.
    QList<QUuid> saveForQuit();
    void askBeforeDiscarding(const QList<QUuid>& unsaved);

    AppState& m_app;
    RootView* m_root;
    StoreErrorBanner* m_banner;
    QAction* m_about = nullptr;
    QAction* m_checkForUpdates = nullptr;
    QAction* m_newProject = nullptr;
    QAction* m_newTab = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_quit = nullptr;
    QList<QAction*> m_phaseActions;
    // Set once the program may end: everything was saved, or the user chose
    // to discard what could not be.
    bool m_quitting = false;
    QPointer<Alert> m_quitConfirmation;
};

} // namespace studio
