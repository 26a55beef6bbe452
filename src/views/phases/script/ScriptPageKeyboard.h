#pragma once

// The keyboard on the Script page's editor, the one text being written:
//
// - Tab goes on to the next element and Shift+Tab back to the one before,
//   each written after its text; past either end the focus leaves the page
//   as usual, and Shift+Tab from after the page comes in at its last element.
//   Ctrl+Tab and Ctrl+Shift+Tab leave the page at once, forward or back, as
//   from an editor that takes Tab: a long script is one stop, not thousands.
// - The caret moves through the script as through one document: Up on an
//   element's first line goes on to the last line of the element before,
//   Down on its last line to the first line of the next, Page Up and Page
//   Down a page's height (scrolling by as much), each as near the caret's x
//   as the text there allows, and that x is kept over presses that follow,
//   through elements whose lines do not reach it, until another key or a
//   click, as a text editor keeps it. Ctrl+Home and Ctrl+End go to the script's
//   start and end. The editor moves to the element the caret reaches
//   (ScriptPage::focusElement), so what is typed next lands there; nothing
//   between is laid out. Shift with these keys selects within the element
//   only: one element is one editor.
// - The element's menu (the Menu key or Shift+F10 at the caret, a right
//   click at the pointer) holds, after the text's own entries, its chips,
//   the kinds (the current one checked) and its removal: what the row's
//   controls and chips offer the pointer, by the element's id. (Removed
//   from there or by its ×, the page gives the keyboard to the element now
//   in its place.)
//
// It changes nothing itself: what is picked goes out as requests, which the
// page passes on.

#include "model/Script.h"
#include "state/rules/ScriptRules.h"

#include <QObject>
#include <QUuid>

#include <optional>

class QKeyEvent;
class QMenu;

namespace studio {

class ScriptPage;

class ScriptPageKeyboard : public QObject {
    Q_OBJECT
public:
    explicit ScriptPageKeyboard(ScriptPage* page);

    // The menu of the element being written, opened at the caret (null when
    // none is). It deletes itself once closed.
    QMenu* openMenu();

Q_SIGNALS:
    // Page Up or Page Down: the page scrolls by `dy` before the caret moves.
    void scrollRequested(int dy);
    // The caret moved by these keys: the page brings this area into view.
    void revealRequested(const QRect& area);
    void kindPicked(const QUuid& id, ScriptElementKind kind);
    void chipPicked(const QUuid& id, const rules::ScriptChip& chip);
    void removeRequested(const QUuid& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent* key, int at);
    // Up or Down (`step` -1 or 1) on the first or last line goes on into
    // the element before or after; false when the caret moves within its
    // text (the editor's own move) or has nowhere to go.
    bool crossLine(int at, int step);
    void movePage(int step);
    void leavePage(bool forward);
    // The x the caret keeps over vertical moves, in the page's coordinates:
    // the x it was last placed at by them while it stays in that element,
    // else where it stands now.
    int goalX() const;
    // Writes in the element at `index` with the caret on its line nearest
    // page y `y` (its first or last line beyond them), as near page x `x` as
    // the line allows, keeping `x` for the moves that follow.
    void placeCaret(int index, int x, int y);
    // The caret of the element being written, in the page's coordinates
    // (empty when none is), and the request to bring it into view.
    QRect caretRect() const;
    void revealCaret();

    QMenu* menu(const QUuid& id, const QPoint& globalPos);

    ScriptPage* m_page;
    // The x kept over vertical moves and the element they left the caret
    // in. The x may lie outside the element's own lines (left of a centred
    // cue), where the editor could not keep it: it is kept here, and let go
    // at any other key or a click.
    std::optional<int> m_goalX;
    QUuid m_goalIn;
};

} // namespace studio
