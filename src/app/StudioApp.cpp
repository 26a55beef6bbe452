#include "app/StudioApp.h"

#include "app/AtSpiGuard.h"
#include "app/DisplayLoss.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "design/style/QtPrivateState.h"
#include "design/DesignSystem.h"
#include "state/AppState.h"

#include <QApplication>

namespace studio {

void StudioApp::configure(QApplication& app)
{
    QApplication::setOrganizationName(QStringLiteral("Palisademotion"));
    QApplication::setApplicationName(QStringLiteral("Palisademotion"));
    QApplication::setApplicationDisplayName(QStringLiteral("Palisademotion"));
    QApplication::setApplicationVersion(QStringLiteral(STUDIO_VERSION));
    // Said at start, once, where Qt is not the one the program was built with.
    QtPrivateState::runningQtIsBuildQt();
    DesignSystem::install(app);
    AtSpiGuard::install();
}

StudioApp::StudioApp()
    : m_state(new AppState(this))
    , m_window(std::make_unique<MainWindow>(*m_state))
    // The display gone ends the program at once, with edits still pending.
    , m_displayLoss(std::make_unique<DisplayLoss>([this] { m_window->saveBeforeQuit(); }))
{
    if (TerminationSignals* termination = TerminationSignals::instance()) {
        // A request ends as the window's close does, asking (without
        // waiting) when edits could not be written; an end asks nothing.
        connect(termination, &TerminationSignals::quitRequested, m_window.get(), &MainWindow::quitAfterSaving);
        connect(termination, &TerminationSignals::endRequired, m_window.get(), &MainWindow::quitWithoutAsking);
    }
}

// The window goes before the state its views read.
StudioApp::~StudioApp()
{
    m_displayLoss.reset();
    m_window.reset();
}

void StudioApp::show()
{
    m_window->show();
}

void StudioApp::answer(SingleInstance& instance)
{
    connect(&instance, &SingleInstance::activationRequested, m_window.get(),
            [this](const QVariantMap& platformData) { SingleInstance::bringToFront(m_window.get(), platformData); });
}

} // namespace studio
