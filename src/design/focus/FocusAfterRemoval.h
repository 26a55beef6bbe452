#pragma once

// Where the keyboard goes when the item holding it leaves its list: a card,
// row, tile or chip deleted by its ×, by its menu, by a key, or by a control
// acting for it from elsewhere (a pane's "Remove" button). Left to Qt, the
// keyboard would land on the next control of the window, often the next
// item's × or the list's "Add" control, and the next Return would delete or
// create what the user never chose. So, for every list of the program:
//
// - The keyboard goes to the item now in the deleted one's place (else the
//   one before it), on its safe stop: the item itself when it takes the
//   keyboard, else its first text field, else its first control that is not
//   a remover (markRemover). Never to a remover, never outside the list.
// - With no item left, or none with a safe stop, it rests by the deleted
//   item's place (FocusHandOver): on the nearest named list or pane around
//   it, where Return and Space do nothing and Tab and Shift+Tab go on from
//   the item's place.
//
// The keyed lists (KeyedList, LazyKeyedList) follow this for every item they
// remove. A list that paints its items holds the keyboard itself: it moves
// its current item to the one now in the deleted one's place, and with none
// left keeps the keyboard, named, doing nothing on Return and Space.

#include <QList>

class QWidget;

namespace studio {

struct FocusAfterRemoval {
    // `control` removes the item it stands in or acts for (a ×, "Delete
    // cue", "Remove character").
    static void markRemover(QWidget* control);
    static bool isRemover(const QWidget* control);

    // The stop of `item` the keyboard takes after a removal, or null when it
    // has none.
    static QWidget* safeStop(QWidget* item);

    // Call before the items that leave are hidden. `items`: the list's items
    // in their order as they stand; `leaves[i]`: whether items[i] goes. The
    // keyboard counts as an item's when it is inside it, or inside `actor`
    // when `actedOn` is that item's index. Returns whether the keyboard was
    // an item's that leaves (and has been moved on).
    static bool beforeRemoval(const QList<QWidget*>& items, const QList<bool>& leaves,
                              const QWidget* actor = nullptr, qsizetype actedOn = -1);

    // Moves the keyboard, when it is inside `from`, to `item`'s safe stop;
    // with none, rests it by `place` (Tab going on from there).
    static void moveTo(const QWidget* from, QWidget* item, QWidget* place);
};

} // namespace studio
