#pragma once

// The keys that act on a focused card, chip or button of the program besides
// Space: Return (or Enter on the keypad) presses it as Space does, which Qt's
// buttons do not; Shift+F10 asks for its context menu as the Menu key does,
// which Qt turns into a context menu event for the Menu key only.

class QKeyEvent;
class QWidget;

namespace studio {

// Return or Enter pressed alone and not held.
bool isReturnPress(const QKeyEvent& event);

// Shift+F10: sends `widget` the context menu event the Menu key would, and
// says whether it did.
bool openContextMenuOnShiftF10(QWidget* widget, const QKeyEvent& event);

} // namespace studio
