#pragma once

// Whether a control shows the keyboard focus: pictures of it with and
// without the focus, compared the way an eye would (a change of 3:1 contrast
// or more counts as seen). A text input shows it as every other control
// does, by a ring (its caret alone is too easily lost).

#include <QImage>
#include <QRgb>
#include <QStringList>

class QWidget;

namespace studio::test {

// The contrast ratio of two opaque colours (1 for equal ones, 21 for black
// against white).
double contrastRatio(QRgb a, QRgb b);

// The control as the window shows it, with a few pixels of what lies
// around it; the control alone on the window's ground when it is not in view.
// A control is pictured with what presents it: the field, frame or wrapper
// around it whose keyboard focus it takes (its ring is drawn there).
QImage pictureInWindow(QWidget* control);

// Whether the focused picture differs from the unfocused one by a ring a
// user can see: changes of 3:1 contrast or more all round, on each of the
// four sides of the changed area (a mark on one edge or a corner is no ring),
// and that area reaching round the control (a caret is no ring).
bool showsRing(const QImage& unfocused, const QImage& focused);

// Pictures of the control without and with the focus, given as Tab gives it.
// The control's window must be active.
struct FocusPictures {
    QImage unfocused;
    QImage focused;
};
FocusPictures focusPictures(QWidget* control);

// Walks the active window with Tab (see KeyboardWalk.h) and returns a
// description of every stop whose focus shows no ring. `stops` receives how
// many stops there were.
QStringList stopsShowingNoFocus(QWidget* window, int* stops = nullptr);

} // namespace studio::test
