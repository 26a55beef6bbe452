#pragma once

// The program as main() starts it: the one application state, the main
// window, and the routes by which the program ends (the window, the quit
// action, the end of the event loop, SIGTERM, SIGINT and SIGHUP, and the
// display gone), each of which saves every open production first. The window, the quit action and a
// first SIGTERM or SIGINT ask before they discard edits that could not be
// written; SIGHUP, a second signal and the end of the event loop quit all
// the same (TerminationSignals).

#include <QObject>
#include <memory>

class QApplication;

namespace studio {

class AppState;
class DisplayLoss;
class MainWindow;
class SingleInstance;

class StudioApp : public QObject {
    Q_OBJECT
public:
    // Names, version and look of the application object, and the guard in
    // front of the accessibility bridge; before any window.
    static void configure(QApplication& app);

    // Creates the state (which loads the library) and the window.
    StudioApp();
    ~StudioApp() override;

    AppState& state() const { return *m_state; }
    MainWindow& window() const { return *m_window; }

    void show();
    // Brings the window to the front whenever a later start on the library
    // asks through `instance`.
    void answer(SingleInstance& instance);

private:
    AppState* m_state;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<DisplayLoss> m_displayLoss;
};

} // namespace studio
