#include "app/MainWindow.h"

#include "app/ScreenFit.h"
#include "app/StoreErrorBanner.h"
#include "design/widgets/Alert.h"
#include "design/style/Theme.h"
#include "design/widgets/TagField.h"
#include "model/Text.h"
#include "services/ProjectStore.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/shell/RootView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

MainWindow::MainWindow(AppState& app, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_root(new RootView(app, this))
    , m_banner(new StoreErrorBanner(m_root))
{
    setWindowTitle(QStringLiteral("Palisademotion"));
    m_root->setBanner(m_banner);

    buildMenus();
    // The content under the menu bar, sized to the screen the window is on.
    new ScreenFit(this, m_root, minimumContentSize, QSize(1320, 860));

    ProjectStore& store = m_app.store();
    connect(&store, &ProjectStore::errorOccurred, m_banner, &StoreErrorBanner::showFailure);
    connect(&store, &ProjectStore::saved, m_banner, &StoreErrorBanner::productionSaved);
    connect(&store, &ProjectStore::trashed, m_banner, &StoreErrorBanner::productionTrashed);
    // What the first load reported, before any window could show it.
    if (!store.lastError().isEmpty())
        m_banner->showFailure(store.lastError());

    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::saveBeforeQuit);
}

MainWindow::~MainWindow() = default;

QString MainWindow::phaseMenuText(PhaseID phase)
{
    return title(group(phase)) + QStringLiteral(" · ") + title(phase);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    m_newProject = file->addAction(QStringLiteral("New Project…"));
    m_newProject->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(m_newProject, &QAction::triggered, this, &MainWindow::newProject);
    m_newTab = file->addAction(QStringLiteral("New Studio Tab"));
    m_newTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(m_newTab, &QAction::triggered, this, [this] { m_app.newHomeTab(); });
    file->addSeparator();
    m_settings = file->addAction(QStringLiteral("Settings…"));
    m_settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_settings->setMenuRole(QAction::PreferencesRole);
    connect(m_settings, &QAction::triggered, this, [this] { m_app.setShowSettingsRequest(true); });
    file->addSeparator();
    m_quit = file->addAction(QStringLiteral("Quit Palisademotion"));
    m_quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_quit->setMenuRole(QAction::QuitRole);
    connect(m_quit, &QAction::triggered, this, &QWidget::close);

    QMenu* phases = menuBar()->addMenu(QStringLiteral("&Phases"));
    const QList<PhaseID> all = allCases<PhaseID>();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const PhaseID phase = all[i];
        QAction* action = phases->addAction(Theme::escapeMnemonic(phaseMenuText(phase)));
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(i))));
        action->setData(rawValue(phase));
        connect(action, &QAction::triggered, this, [this, phase] { m_app.setActivePhaseOfSelectedTab(phase); });
        m_phaseActions.append(action);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_about = help->addAction(QStringLiteral("About Palisademotion"));
    m_about->setMenuRole(QAction::AboutRole);
    connect(m_about, &QAction::triggered, this, &MainWindow::showAbout);
    m_checkForUpdates = help->addAction(QStringLiteral("Check for Updates…"));
    m_checkForUpdates->setMenuRole(QAction::NoRole);
    connect(m_checkForUpdates, &QAction::triggered, this, &MainWindow::checkForUpdates);

    // The commands answer wherever the program has the keyboard; a sheet
    // over the window (the settings among them) blocks them.
    for (QAction* top : menuBar()->actions()) {
        if (QMenu* menu = top->menu()) {
            for (QAction* action : menu->actions())
                action->setShortcutContext(Qt::ApplicationShortcut);
        }
    }
}

void MainWindow::newProject()
{
    // The sheet is the home library's: a production on screen makes way for
    // the first home tab, or for a new one when none is open.
    const StudioTab* selected = m_app.selectedTab();
    if (!selected || !selected->isHome()) {
        const QList<StudioTab*>& tabs = m_app.tabs();
        const auto home = std::find_if(tabs.begin(), tabs.end(), [](const StudioTab* t) { return t->isHome(); });
        if (home != tabs.end())
            m_app.setSelectedTabID((*home)->id());
        else
            m_app.newHomeTab();
    }
    m_app.setShowingNewProject(true);
}

void MainWindow::showAbout()
{
    Alert* box = Alert::information(this, QStringLiteral("Palisademotion"),
                                    QStringLiteral("Version ") + m_app.updates().currentVersion(),
                                    QStringLiteral("About Palisademotion"));
    box->open();
}

void MainWindow::checkForUpdates()
{
    // The request is raised at once; the check's outcome shows in the
    // Updates tab as the updater's phase, failures included.
    m_app.setShowSettingsRequest(true);
    m_app.updates().check();
}

QList<QUuid> MainWindow::saveForQuit()
{
    // Every draft is kept, whatever holds the keyboard (a sheet may): a tag
    // typed but not yet committed is in the production it saves. The field
    // being typed in ends its edit, as it would on leaving it.
    for (TagField* field : findChildren<TagField*>())
        field->commitDraft();
    if (QWidget* typing = focusWidget(); typing && typing->hasFocus())
        typing->clearFocus();
    // A failure is recorded by the store, and the remaining productions are
    // saved all the same.
    m_app.saveAll();
    return m_app.unsavedProductions();
}

void MainWindow::saveBeforeQuit()
{
    if (m_quitting)
        return;
    m_quitting = true;
    saveForQuit();
}

void MainWindow::quitAfterSaving()
{
    if (isVisible()) {
        close();
        return;
    }
    saveBeforeQuit();
    QCoreApplication::quit();
}

void MainWindow::quitWithoutAsking()
{
    m_quitting = true;
    saveForQuit();
    if (m_quitConfirmation)
        m_quitConfirmation->reject();
    close();
    QCoreApplication::quit();
}

Alert* MainWindow::quitConfirmation() const
{
    return m_quitConfirmation;
}

void MainWindow::askBeforeDiscarding(const QList<QUuid>& unsaved)
{
    QStringList names;
    for (const QUuid& id : unsaved) {
        if (const StudioTab* t = m_app.tabForProject(id))
            names.append(u"“"_s + text::isolated(text::displayPrefix(t->session()->project().name)) + u"”"_s);
    }
    const QString message = u"The latest edits to "_s + names.join(u", "_s)
        + u" couldn't be saved and are lost if you quit now.\n\n"_s + m_app.store().lastError();
    Alert* box = Alert::confirmation(this, u"Quit without saving?"_s, message, u"Quit Anyway"_s);
    connect(box, &Alert::answered, this, [this](bool confirmed) {
        if (!confirmed)
            return;
        m_quitting = true;
        // Closed from the event loop, after the alert is gone.
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
    });
    // The store writes a failed save again on its own: once every edit is on
    // disk, nothing is lost by quitting, and the quit asked for goes ahead.
    connect(&m_app.store(), &ProjectStore::saved, box, [this, box] {
        if (!m_app.unsavedProductions().isEmpty())
            return;
        m_quitting = true;
        box->reject();
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
    });
    m_quitConfirmation = box;
    box->open();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_quitting) {
        if (m_quitConfirmation) {
            // The question is up over the window already.
            event->ignore();
            activateWindow();
            return;
        }
        const QList<QUuid> unsaved = saveForQuit();
        if (!unsaved.isEmpty()) {
            event->ignore();
            askBeforeDiscarding(unsaved);
            return;
        }
        m_quitting = true;
    }
    event->accept();
    // The program ends with its window, whatever else is up.
    QCoreApplication::quit();
}

} // namespace studio
