#pragma once

// The General tab of the settings window: where the productions live (with a
// button that shows the folder in the file manager), how saving works, the
// animated backdrop switch, and the about line with the running version.

#include <QWidget>

namespace studio {

class AppState;
class SwitchToggle;
class TextLabel;
class GhostButton;

class GeneralSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit GeneralSettingsPage(AppState& app, QWidget* parent = nullptr);

    // Reads the settings and the state it shows (the window calls it when it shows).
    void load();

    QString libraryPathText() const;
    // The path as drawn at the label's current width.
    QString libraryPathShownText() const;
    SwitchToggle* backdropSwitch() const { return m_backdrop; }
    GhostButton* revealButton() const { return m_reveal; }
    QString aboutVersionText() const;

private:
    AppState& m_app;
    QWidget* m_path;
    GhostButton* m_reveal;
    SwitchToggle* m_backdrop;
    TextLabel* m_version;
};

} // namespace studio
