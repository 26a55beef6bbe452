#pragma once

// The Updates tab of the settings window: the running version, the automatic
// check switch, the feed address, and one status row that follows the
// updater's phase with the action that fits it (check, check again, download
// and install, retry).

#include "services/UpdatePhase.h"

#include <QWidget>

class QHBoxLayout;
class QProgressBar;

namespace studio {

class AppState;
class SettingsTextField;
class StyledButton;
class SwitchToggle;
class TextLabel;

class UpdateSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit UpdateSettingsPage(AppState& app, QWidget* parent = nullptr);

    // Reads the two settings and the version into the controls.
    void load();

    SwitchToggle* autoCheckSwitch() const { return m_autoCheck; }
    SettingsTextField* feedField() const { return m_feed; }
    QString versionText() const;
    // The status row as it stands: its buttons and texts, in order.
    QWidget* statusRow() const { return m_status; }
    QList<StyledButton*> statusButtons() const;
    QStringList statusTexts() const;
    // The download bar while the phase is downloading.
    QProgressBar* progressBar() const { return m_progress; }

private:
    void refreshStatus();
    void buildStatus(const UpdatePhase& phase);
    StyledButton* addCheckButton(QHBoxLayout* row, StyledButton* button);
    void clearStatus();

    AppState& m_app;
    TextLabel* m_version;
    SwitchToggle* m_autoCheck;
    SettingsTextField* m_feed;
    QWidget* m_status;
    QHBoxLayout* m_statusLayout;
    QProgressBar* m_progress = nullptr;
    UpdatePhase m_shown;
};

} // namespace studio
