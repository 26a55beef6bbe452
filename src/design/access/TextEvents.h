#pragma once

// What Qt's own text inputs tell assistive technology of their text, as the
// program means it. Qt raises its text events itself, from inside its line
// edits; one update handler of the program's, in front of whatever else
// listens, rewrites them:
//
// - a password field tells that characters came or went, never which: the
//   text of its events is masked as the field masks it on the screen;
// - a one-line field showing a window of a longer text (LineWindow) tells
//   its edits, caret and selection in the whole text itself; what its line
//   edit tells of the window (a stretch replaced as the window moves, offsets
//   within the window) is not passed on;
// - an editor standing in an item a widget paints (the Script page's live
//   editor, in the element being written: PaintedItemsAccessible's
//   editedItem()) tells its edits, caret and selection as the item's, the
//   one object a reader knows for that text.
//
// Everything else passes unchanged, to the handler that was there before or,
// when there was none, to the platform. Installed once (AccessibleFactory).

namespace studio {

struct TextEvents {
    static void install();
};

} // namespace studio
