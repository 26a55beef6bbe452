#pragma once

// SIGTERM, SIGINT and SIGHUP as Qt signals. The handler only writes the
// signal's number into one end of a socket pair; a socket notifier on the
// other end turns it into a Qt signal on the GUI thread, where saving is safe.
//
// The first SIGTERM or SIGINT asks the program to quit (quitRequested): it
// may still ask the user about edits it could not write. SIGHUP (the terminal
// or the session that started the program is gone, and nobody is left to
// answer) or any signal after the first means the program must end
// (endRequired): it saves once more and quits without asking. A logout sends
// SIGTERM and SIGHUP together; the handler counts each as it comes, so two
// signals that arrive before the program reads either still end it.
//
// The program never outlives its session: from the signal that ends it, it
// has the deadline to save and quit. Should it hang meanwhile, that signal's
// default action ends it.

#include <QObject>

#include <chrono>

class QSocketNotifier;

namespace studio {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds defaultDeadline{10};

    // The one instance of the process, made and hooked up on first call.
    // Null when the socket pair can't be made.
    static TerminationSignals* instance();
    // How long the program has to save and quit once a signal requires its
    // end; takes effect for signals that come after the call.
    static void setDeadline(std::chrono::seconds deadline);

Q_SIGNALS:
    void quitRequested(int signal);
    void endRequired(int signal);

private:
    explicit TerminationSignals(int readFd);
    void readPending();

    int m_readFd;
    QSocketNotifier* m_notifier;
};

} // namespace studio
