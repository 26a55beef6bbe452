#pragma once

// Shared by the two start-up programs the first-paint benchmark times: once
// the window's first paint has been put on screen, say so on standard output
// and leave at once (a teardown is no part of starting up).

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace studio::bench {

class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QWidget* window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The paint event comes before the rest of the window is drawn and
            // flushed; the next turn of the event loop comes after.
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                ::_exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace studio::bench
