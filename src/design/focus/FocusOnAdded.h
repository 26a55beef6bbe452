#pragma once

// Where the keyboard goes after a control that adds or makes a record (an
// "Add", "New", "Duplicate" or "+", a menu entry that makes one, a button
// that builds many): into the new record, on its first text field, scrolled
// into view, so what the user types next names or describes what was made.
// Left on the control, the keyboard would press it again with every Space or
// Return typed among those words, each press another empty record; left on a
// menu's button, Space would open the menu again; left on a button that
// hides once it has done its work, it would rest on the page, out of sight.
// By mouse as by keyboard: a click on "Add shot" and the words typed next
// describe the shot.
//
// The screen makes the record through its edit, which shows it before it
// returns, then hands over the widget that shows the record (a card, a row,
// the pane that shows it). A long list builds only the rows in view: the
// screen brings the record's place into view first, so its row is built.
//
//   QUuid added;
//   editActiveEpisode([&](Project& p, const QUuid& e) { added = edits::addBeat(p, e, actID); });
//   FocusOnAdded::give(column->beatCard(added));

class QWidget;

namespace studio {

struct FocusOnAdded {
    // The control of `record` that takes the keyboard for it: its first
    // text field in Tab order (shown, enabled, editable), else the record
    // itself when it takes the keyboard, else its first control that removes
    // nothing. Null when there is none (or no record).
    static QWidget* entryOf(QWidget* record);

    // What the keys typed next do to the text the record was made with.
    enum class Typing {
        // Replace it: a name the program made up ("New Beat") is selected
        // whole, as Tab selects a field's text.
        replaces,
        // Go on from it: the caret after it (the question an answer follows,
        // the heading a built scene took from the script).
        follows,
    };

    // Gives entryOf(record) the keyboard, its text ready for `typing`, and
    // scrolls every page around it so it shows. Returns whether it has the
    // keyboard now (false, changing nothing, when there is no such control).
    static bool give(QWidget* record, Typing typing = Typing::replaces);
};

} // namespace studio
