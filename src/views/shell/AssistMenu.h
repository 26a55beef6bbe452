#pragma once

// The header's Assist menu: a gold capsule ("Assist" with a wand) that opens
// the assists of the phase on screen, then "AI settings…". While the
// session's assist runs the capsule reads "Thinking…" beside a spinner and
// the whole menu is disabled.

#include "design/widgets/MenuButton.h"

class QTimer;

namespace studio {

class AppState;
class ProjectSession;

class AssistMenu : public MenuButton {
    Q_OBJECT
public:
    AssistMenu(AppState& app, ProjectSession& session, QWidget* parent = nullptr);

    // Follows the session's busy flag.
    void refresh();
    QString labelText() const;

    // Rebuilds menu() from the current phase and episode; runs every time it
    // opens.
    void rebuildMenu();

protected:
    QSizeF leadSize() const override;
    void paintLead(QPainter& painter, const QRectF& box) override;

private:
    AppState& m_app;
    ProjectSession& m_session;
    QTimer* m_spin;
    int m_spinStep = 0;
    bool m_busy = false;
};

} // namespace studio
