#pragma once

// The header's Assist menu: a gold capsule ("Assist" with a wand) that opens
// the assists of the phase on screen, then "AI settings…". While the
// session's assist runs the capsule reads "Thinking…" beside a spinner and
// the whole menu is disabled.

#include <QAbstractButton>

class QMenu;
class QTimer;

namespace studio {

class AppState;
class ProjectSession;

class AssistMenu : public QAbstractButton {
    Q_OBJECT
public:
    AssistMenu(AppState& app, ProjectSession& session, QWidget* parent = nullptr);

    // Follows the session's busy flag.
    void refresh();
    QString labelText() const;
    bool isBusy() const { return m_busy; }

    // Rebuilt from the current phase and episode every time it opens.
    QMenu* menu() const { return m_menu; }
    void rebuildMenu();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openMenu();

    AppState& m_app;
    ProjectSession& m_session;
    QMenu* m_menu;
    QTimer* m_spin;
    int m_spinStep = 0;
    bool m_busy = false;
};

} // namespace studio
