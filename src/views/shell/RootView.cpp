#include "views/shell/RootView.h"

#include "design/style/AuroraBackground.h"
#include "design/focus/FocusHandOver.h"
#include "design/widgets/HairlineDivider.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/StudioTab.h"
#include "views/home/HomeView.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/TabStrip.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace studio {

RootView::RootView(AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_backdrop(new AuroraBackground(this))
    , m_column(new QWidget(this))
    , m_columnLayout(new QVBoxLayout(m_column))
    , m_strip(new TabStrip(app, m_column))
{
    // The backdrop and the column share one cell; the column lies on top.
    auto* stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_backdrop, 0, 0);
    stack->addWidget(m_column, 0, 0);
    m_column->raise();

    m_columnLayout->setContentsMargins(0, 0, 0, 0);
    m_columnLayout->setSpacing(0);
    m_columnLayout->addWidget(m_strip);
    m_columnLayout->addWidget(new HairlineDivider(Qt::Horizontal, m_column));

    connect(&m_app, &AppState::selectedTabIDChanged, this, [this] { syncContent(true); });
    connect(&m_app, &AppState::tabsChanged, this, [this] { syncContent(false); });
    connect(&m_app, &AppState::showSettingsRequestChanged, this, &RootView::answerSettingsRequest);
    connect(&Settings::instance(), &Settings::changed, this, [this](const QString& key) {
        if (key == Settings::animatedBackdropKey)
            syncBackdrop();
    });

    syncBackdrop();
    syncContent(true);
}

RootView::~RootView() = default;

void RootView::setBanner(QWidget* banner)
{
    // Right after the strip and its rule.
    m_columnLayout->insertWidget(2, banner);
}

void RootView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // Once per process: a root view shown later starts no second loop. The
    // loop's timer is this view's child, so the loop ends with the view.
    m_app.updates().startAutoCheckLoop(this);
}

void RootView::syncBackdrop()
{
    m_backdrop->setAnimated(Settings::instance().boolOrTrue(Settings::animatedBackdropKey));
}

void RootView::syncContent(bool selectionChanged)
{
    // While a tab that is shown closes, the list changes before the selection
    // moves on; the screen is rebuilt once, for the tab selected next.
    if (!selectionChanged && !m_app.tab(m_app.selectedTabID()))
        return;
    StudioTab* tab = m_app.selectedTab();
    if (!tab)
        return;
    if (m_content && tab->id() == m_contentTabID)
        return;
    QWidget* screen = nullptr;
    if (ProjectSession* session = tab->session())
        screen = new ProjectWorkspaceView(m_app, *session, m_column);
    else
        screen = new HomeView(m_app, m_column);
    screen->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_columnLayout->addWidget(screen, 1);
    screen->show();
    if (QWidget* old = m_content) {
        handOverFocus(old, screen, true);
        // The old screen may be the sender of the change (a click that opened
        // a production): it goes once control has left it.
        m_columnLayout->removeWidget(old);
        old->hide();
        old->deleteLater();
    } else if (!window()->focusWidget()) {
        // The first screen holds the keyboard as every screen after it does:
        // no control opens the window ringed, and Tab starts in the screen.
        screen->setFocus(Qt::OtherFocusReason);
    }
    m_content = screen;
    m_contentTabID = tab->id();
}

void RootView::answerSettingsRequest()
{
    // Only a change to true is a request; lowering the flag answers it.
    if (!m_app.showSettingsRequest())
        return;
    // Over the screen under the tab strip, as every sheet of the window.
    SettingsWindow::present(m_app, m_content ? m_content.data() : this);
    m_app.setShowSettingsRequest(false);
}

} // namespace studio
