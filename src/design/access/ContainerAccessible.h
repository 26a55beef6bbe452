#pragma once

// What assistive technology reads of Qt's own containers (scroll areas,
// menus, the menu bar and the main window) wherever the program shows one.
//
// They read as Qt reads them, with one difference: a question about a child
// that is not there (an index below 0 or past the last child, the index of
// no child or of a stranger) answers nothing. Qt's own interfaces of these
// containers index their child lists unchecked, and a reader whose count of
// children went stale as a list shrank asks for exactly such a child.
//
// And a pull-down menu that drops from a control of the program's (a window of
// its own, no child of any widget) reads as that control's last child, and
// the control as its parent, as each menu of the menu bar reads as the child
// of its item: a reader finds it in the window's tree, open or not.

class QAccessibleInterface;
class QMenu;
class QWidget;

namespace studio {

// The interface of a Qt container, or null for any other widget.
QAccessibleInterface* makeContainerAccessible(QWidget* widget);

} // namespace studio
