#pragma once

// The keyboard focus when the control that holds it goes. Hiding or
// disabling the widget that holds the focus makes Qt pass it to the next
// control of the window, which may be anything (a tab's close button, where
// Space closes the production, or the tab strip after a screen's last
// button). So the control that takes the place of the one going takes the
// focus first.

class QWidget;

namespace studio {

// Gives `to` the focus when the window's focus is inside `from` (or on it),
// and with `orNowhere` also when nothing in the window has it. Call it with
// `to` shown, before `from` is hidden or disabled.
void handOverFocus(const QWidget* from, QWidget* to, bool orNowhere = false);

} // namespace studio
