#pragma once

// The keys that act on whatever holds the keyboard, the same for every
// control of the program:
//
// - Return (or Enter) presses a focused button as Space and a click do; Qt's
//   own buttons answer Space only.
// - Shift+F10 asks the focused control for its context menu as the Menu key
//   does (Qt turns the Menu key alone into a context menu request), at the
//   same place: the control's middle, or a text input's caret.
// - A menu opened from the keyboard (a menu button pressed by Space or
//   Return, the Menu key) opens with its first entry highlighted, so Return
//   takes it at once, and a reader says that entry; one opened by the pointer
//   opens with none, as before.
//
// - The focus ring shows while the keyboard is in use and not after a
//   click (FocusRing): this watch tells it which was used last.
//
// Controls that are no buttons (a chip, a row, a painted lane) take Return
// themselves; isReturnPress() tells them the key.
//
// Installed once for the whole application (DesignSystem::install).

#include <QObject>

class QApplication;
class QKeyEvent;

namespace studio {

class KeyboardActivation : public QObject {
    Q_OBJECT
public:
    static void install(QApplication& app);

    // Return or Enter pressed alone, not held.
    static bool isReturnPress(const QKeyEvent& event);
    // Space, Select, Return or Enter pressed alone, not held: what presses a
    // control that is no button (a chip, a row, a painted clip).
    static bool isActivationPress(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // Whether the last press came from the keyboard rather than the pointer.
    bool m_keyboard = false;
};

} // namespace studio
