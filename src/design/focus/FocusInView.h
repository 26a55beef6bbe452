#pragma once

// Keeps the keyboard focus in sight. Whatever brings the focus to a control
// (Tab from a header above a page, Shift+Tab, a shortcut, a control focused
// by the program), every scrolling page around it scrolls as little as it
// takes to show it whole, with a little air: QScrollArea itself does so only
// when Tab moves the focus inside it, so a control reached from outside the
// page (the first stop after a header, the tile after a button bar) could take
// the focus out of sight or outside the window. A text input also brings its
// caret into view; a control larger than the page stays where it is while
// some of it shows. A click focuses what the pointer is on already and
// scrolls nothing. A focused control in view that controls added before it
// push out of view (a beat above "Add beat") is brought back.
//
// Installed once for the whole application (DesignSystem::install).

#include <QObject>

class QApplication;
class QWidget;

namespace studio {

class FocusInView : public QObject {
    Q_OBJECT
public:
    static void install(QApplication& app);

    // Scrolls every page around `control`, innermost first, so it shows
    // whole (a control larger than a page: some of it, its start if none
    // showed), and so its caret shows when it has one.
    static void reveal(QWidget* control);
    // Scrolls every page around `editor` so its caret shows.
    static void revealCaret(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // Brings the focused control back into view when `moved` (it, or a
    // container on the page around it) moved it out of view by `shift`.
    void followMoved(QWidget* moved, const QPoint& shift);

    bool m_following = false;
};

} // namespace studio
