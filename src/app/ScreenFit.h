#pragma once

// The main window on screens of every size. Its content keeps its minimum
// size wherever the screen's free area (less its panels) holds it with the
// menu bar and the window manager's frame around it. On a smaller screen (a
// laptop at a large scale) the minimum gives way to what the area holds, the
// window fits inside it, the pages scroll as they always do and a screen
// whose controls cannot be narrower scrolls sideways: no part of the window
// is ever out of reach below or beside the screen.
//
// A Wayland client sees neither the compositor's panels nor where its window
// stands: there the free area is taken as the output less room for panels,
// so the window's minimum stays inside the maximised size the compositor
// configures (which the window must take exactly), and the window is only
// ever sized, never moved. So too under an X window manager that keeps the
// free area to itself (Weston's, for the X programs of a Wayland session),
// whose frame is read from the windows it puts round the program's.
//
// The frame is known only once the window manager has framed the window, and
// the screen may change or shrink while the program runs: the fit is made
// again each time one of them changes.

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>

class QMainWindow;
class QScreen;
class QScrollArea;
class QWidget;

namespace studio {

class ScreenFit : public QObject {
    Q_OBJECT
public:
    // Puts `content` into the window as its central widget, and is owned by
    // the window. The window opens at `comfortable`, or what the screen's
    // free area offers of it.
    ScreenFit(QMainWindow* window, QWidget* content, QSize minimumContent, QSize comfortable);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The room the screen's free area leaves for the content.
    QSize room() const;
    // Sets the minimum from the room, and brings a window that sticks out of
    // the free area back inside it.
    void fit();
    void fitMinimum();
    // Fits anew once the window manager has framed the window.
    void refitIfFramedAnew();
    void watchScreen();

    QMainWindow* m_window;
    QScrollArea* m_area;
    QSize m_minimumContent;
    QMargins m_frame;
    QPointer<QScreen> m_screen;
    bool m_watchingWindow = false;
    // Whether the window manager has framed the window since it showed.
    bool m_framed = false;
};

} // namespace studio
