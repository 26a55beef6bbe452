#pragma once

// The keyboard on the Script page's editor, the one text being written:
//
// - Tab goes on to the next element and Shift+Tab back to the one before,
//   each written after its text; past either end the focus leaves the page
//   as usual, and Shift+Tab from after the page comes in at its last element.
// - The element's menu (the Menu key or Shift+F10 at the caret, a right
//   click at the pointer) holds, after the text's own entries, its chips,
//   the kinds (the current one checked) and its removal: what the row's
//   controls and chips offer the pointer, by the element's id. Removed from
//   there, the focus goes on to the element now in its place.
//
// It changes nothing itself: what is picked goes out as requests, which the
// page passes on.

#include "model/Script.h"
#include "state/rules/ScriptRules.h"

#include <QObject>
#include <QUuid>

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
    void kindPicked(const QUuid& id, ScriptElementKind kind);
    void chipPicked(const QUuid& id, const rules::ScriptChip& chip);
    void removeRequested(const QUuid& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* menu(const QUuid& id, const QPoint& globalPos);
    void removeAndFocusNext(const QUuid& id);

    ScriptPage* m_page;
};

} // namespace studio
