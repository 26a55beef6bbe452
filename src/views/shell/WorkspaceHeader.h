#pragma once

// The workspace header: the phase's title and tagline, then the episode
// picker (episodic formats only), the Assist menu (phases that have assists)
// and the "Mark ready" toggle. Everything is re-read from the session by
// refresh(), in place.

#include "design/widgets/AccessibleSource.h"
#include "model/Enums.h"

#include <QAbstractButton>
#include <QWidget>

namespace studio {

class AppState;
class AssistMenu;
class EpisodePicker;
class ProjectSession;
class Spring;
class TextLabel;

// "Mark ready" / "Phase ready": toggles the active phase in the production's
// completed phases. The capsule blends between its two looks on a spring.
// A done mark to a reader: a check box, checked while the phase is ready.
class MarkReadyButton : public QAbstractButton, public AccessibleSource {
    Q_OBJECT
public:
    explicit MarkReadyButton(ProjectSession& session, QWidget* parent = nullptr);

    void refresh();
    QString labelText() const;

    // Marks the active phase ready, or takes the mark away.
    static void toggle(ProjectSession& session);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ProjectSession& m_session;
    bool m_ready;
    bool m_animate = false;
    Spring* m_blend;
};

class WorkspaceHeader : public QWidget {
    Q_OBJECT
public:
    WorkspaceHeader(AppState& app, ProjectSession& session, QWidget* parent = nullptr);

    void refresh();

    // The title and tagline of each phase's header.
    static QString phaseTitle(PhaseID phase);
    static QString phaseTagline(PhaseID phase);

    QString titleText() const;
    QString taglineText() const;
    EpisodePicker* episodePicker() const { return m_picker; }
    AssistMenu* assistMenu() const { return m_assist; }
    MarkReadyButton* markReadyButton() const { return m_ready; }

private:
    ProjectSession& m_session;
    TextLabel* m_title;
    TextLabel* m_tagline;
    EpisodePicker* m_picker;
    AssistMenu* m_assist;
    MarkReadyButton* m_ready;
};

} // namespace studio
