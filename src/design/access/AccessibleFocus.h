#pragma once

// The focus as assistive technology hears it: the last focus event names
// what holds the keyboard.
//
// Qt announces a widget's focus once the widget has taken it, after all the
// widget did on taking it. A widget that passed the keyboard on (a page to
// the editor of its first element) would be heard after the control it
// passed it to, and a widget that paints its items would be heard after, and
// instead of, the item its keyboard stands on. One watch over everything the
// program tells, installed once at start-up with the other watches
// (DesignSystem::install), puts the focus right:
// - a focus event for a widget that no longer holds the keyboard is not sent
//   (the control that holds it now has been heard);
// - a focus event for a widget whose keyboard stands on one of its painted
//   items is sent as the item's (PaintedItemsAccessible), unless the widget
//   has just told that item itself;
// - Qt's focus event for what was heard focused last, the keyboard having
//   been nowhere since, is not sent again (a widget that tells its own focus
//   as it takes the keyboard is heard once);
// - a text input taking the keyboard is heard focused before anything of
//   its text (the selection of all of it, on Tab, is read by the focus), and
//   nothing is told of the selection it lets go as the keyboard leaves it;
// - a window is told active only when it becomes so: Qt tells it again as a
//   menu of it closes, and a reader would take that for the keyboard gone
//   from the sheet the menu opened to the bare window.
//
// A reader hears a focus event only when it names another object than the
// one it has: a widget that keeps the keyboard while it comes to stand for
// something else (the Script page's one editor, moved to another element)
// is made a new object for readers with standsAnew().
//
// A widget that takes the keyboard, or keeps it, while it comes to stand
// for something else (the Script page's editor, moved to another element:
// its text loaded, its caret placed) is held meanwhile: nothing it tells
// reaches a reader, and once released its focus is told once, if it holds
// the keyboard then. A reader hears where the keyboard went first, then
// only what changes there; never a text that merely moved in.

class QObject;

namespace studio {

struct AccessibleFocus {
    static void install();
    // Drops the interface readers know `object` by, if one was made: the
    // next question or event about it makes a new one. Nothing where Qt's
    // private state is out of reach (QtPrivateState).
    static void standsAnew(QObject* object);
    // Holds back everything `object` tells until as many release() calls.
    static void hold(QObject* object);
    static void release(QObject* object);
};

} // namespace studio
