#pragma once

// The workspace of a production tab: the phase rail, the header (phase title
// and tagline, episode picker, Assist menu, "Mark ready"), the banner of the
// last assist error, and the screen of the production's active phase, which
// is built anew whenever the active phase changes.
//
// A pending choice prompt of the session is shown as the choice sheet (also
// one set while another tab was on screen, as soon as this workspace is
// shown). Saving is not the workspace's business: the session schedules its
// own autosave on every change, on screen or not.
//
// The workspace takes the keyboard when the production opens, and the phase
// screen takes it when the phase changes under it: each is read as a pane,
// the workspace named by the production (its phase as its description), the
// screen by its phase, so a reader hears where the keyboard landed.

#include "design/widgets/AccessibleSource.h"
#include "model/Enums.h"
#include "views/phases/PhaseScreen.h"

#include <QPointer>
#include <QWidget>

namespace studio {

class AIChoiceSheet;
class AppState;
class ErrorBanner;
class PhaseRail;
class ProjectSession;
class WorkspaceHeader;

class ProjectWorkspaceView : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    ProjectWorkspaceView(AppState& app, ProjectSession& session, QWidget* parent = nullptr);
    ~ProjectWorkspaceView() override;

    ProjectSession& session() const { return m_session; }
    PhaseRail* rail() const { return m_rail; }
    WorkspaceHeader* header() const { return m_header; }
    ErrorBanner* errorBanner() const { return m_banner; }
    // The area the phase screen fills, and the screen in it (null while the
    // phase has no screen).
    QWidget* phaseArea() const { return m_area; }
    PhaseScreen* phaseScreen() const { return m_screen; }
    PhaseID shownPhase() const { return m_shownPhase; }
    // The choice sheet on screen, if any.
    AIChoiceSheet* choiceSheet() const;

protected:
    void showEvent(QShowEvent* event) override;
    QAccessibleInterface* accessibleFor(QObject* object) override;

private:
    void refresh(bool animated);
    // The names a reader hears for the workspace, set when they change.
    void syncNames();
    PhaseScreen* makeScreen(PhaseID phase);
    // Replaces the phase screen when the active phase differs from the shown one.
    void syncPhaseScreen(bool animated);
    void fadeOut(const QPixmap& old);
    // Presents, replaces or closes the sheet to match the session's prompt.
    void syncChoiceSheet();
    void sheetFinished(AIChoiceSheet* sheet);

    ProjectSession& m_session;
    PhaseRail* m_rail;
    WorkspaceHeader* m_header;
    ErrorBanner* m_banner;
    QWidget* m_area;
    QPointer<PhaseScreen> m_screen;
    PhaseID m_shownPhase;
    QPointer<AIChoiceSheet> m_sheet;
    // Set by a rail click: the phase change it makes fades between screens.
    bool m_animateNextChange = false;
};

} // namespace studio
