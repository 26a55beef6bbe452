#pragma once

// The display gone: the compositor or X server died, or the compositor cut
// the program off for a protocol error. Qt's platform says so in one warning
// and ends the process straight after, never returning to the event loop,
// so nothing the end of the event loop would save is saved. The warning is
// the program's last moment: a message handler recognises it and has every
// open production saved before it lets Qt go on to end the program.
//
// The save runs on the interface thread, where the productions live. Should
// the warning come from another thread, that thread waits (a bounded time)
// while the interface thread saves, as it still runs its event loop then.
// Where the interface thread reports the loss itself, it saves there and then.

#include <QString>
#include <QtGlobal>

#include <functional>

namespace studio {

class DisplayLoss {
public:
    // Installs the handler in front of the one in place, until destroyed.
    // `save` runs once, the first time the display is reported gone.
    explicit DisplayLoss(std::function<void()> save);
    ~DisplayLoss();
    DisplayLoss(const DisplayLoss&) = delete;
    DisplayLoss& operator=(const DisplayLoss&) = delete;

    // True for the words with which Qt's platforms say the display is gone.
    static bool announcesLoss(const QString& message);

private:
    static void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);
    void saveOnce();
    // On the interface thread; once.
    void saveHere();

    std::function<void()> m_save;
    QtMessageHandler m_previous;
};

} // namespace studio
