#pragma once

// What assistive technology reads of an item of a menu or of the menu bar:
// what Qt reads of it, with the item's shortcut told as the shortcut and
// never as part of its name.
//
// A menu shows a shortcut in two ways: the action's own (QAction::shortcut),
// or after a tab in its text ("Cu&t\tCtrl+X", as the text fields' standard
// menus write it). Qt names an item by its whole text, tab included, and
// tells a reader the shortcut in a form Orca reads as no shortcut at all (a
// key binding without the "mnemonic;path;accelerator" parts a menu item's
// binding has). Here the name is the words before the tab, and the binding
// carries the mnemonic and the shortcut in their places, so "Cut" is read as
// "Cut Ctrl+X", in every menu alike.

class QAccessibleInterface;
class QAction;

namespace studio {

// The interface of an action that is an item of a menu or of the menu bar;
// null for any other action (Qt then reads it as it would).
QAccessibleInterface* makeMenuItemAccessible(QAction* action);

} // namespace studio
