#pragma once

// Return (or Enter on the keypad) pressed alone and not held: what presses a
// focused card, chip or button of the program as Space does. Qt's buttons
// answer Space only.

class QKeyEvent;

namespace studio {

bool isReturnPress(const QKeyEvent& event);

} // namespace studio
