#pragma once

// The studio's one window: the root view under the native title bar, the
// menus with their shortcuts, the banner for storage failures, and the save
// of every open production when the window closes or the program quits.

#include "model/Enums.h"

#include <QList>
#include <QMainWindow>

class QAction;

namespace studio {

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

    // Saves the production of every open tab, once per quit: the window's
    // close, the quit action, the end of the event loop and a termination
    // signal all lead here, and only the first of them writes.
    void saveBeforeQuit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // New Project…: a home tab comes forward and presents the sheet.
    void newProject();
    void showAbout();
    void checkForUpdates();

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
    bool m_savedForQuit = false;
};

} // namespace studio
