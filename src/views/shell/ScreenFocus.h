#pragma once

// The keyboard focus when one screen replaces another. Hiding the widget that
// holds the focus makes Qt pass it to the next control of the window, which
// may be anything (a tab's close button, where Space closes the production).
// So the new screen takes the focus first when the old one had it, or when
// nothing in the window has it.

class QWidget;

namespace studio {

// Gives `to` the focus when the window's focus is inside `from` (or on it) or
// nowhere. Call it with the new screen shown, before the old one is hidden.
void handOverFocus(const QWidget* from, QWidget* to);

} // namespace studio
