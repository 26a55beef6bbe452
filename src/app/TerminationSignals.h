#pragma once

// SIGTERM, SIGINT and SIGHUP (the terminal that started the program closes,
// or the session ends) as a Qt signal. The handler only writes the signal's
// number into one end of a socket pair; a socket notifier on the other end
// turns it into received() on the GUI thread, where saving is safe. From
// then on the signals have their default action again: a second one ends the
// program even while the save and quit it asked for hangs.

#include <QObject>

class QSocketNotifier;

namespace studio {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // The one instance of the process, made and hooked up on first call.
    // Null when the socket pair can't be made.
    static TerminationSignals* instance();

Q_SIGNALS:
    void received(int signal);

private:
    explicit TerminationSignals(int readFd);
    void readPending();

    int m_readFd;
    QSocketNotifier* m_notifier;
};

} // namespace studio
