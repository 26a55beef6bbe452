#pragma once

// What assistive technology reads of the Script page, which paints its rows
// itself: a document whose children are the elements of the script, in
// script order, each a paragraph (ScriptElementAccessible) named by its kind
// and read through its text, flowing into the next, made the first time it
// is asked for and kept until its element goes. The row controls, the chips,
// the empty state and the live editor follow the elements, shown or not.
//
// The element being written is the one object a reader knows for its text:
// it reads its text, caret and selection through the live editor standing in
// it, takes its edits, holds the keyboard while the editor does, and tells
// what the editor tells of its text (TextEvents) and of its focus
// (AccessibleFocus). So moving the editor from element to element moves a
// reader's focus from one paragraph to the next, as in any document, and the
// editor itself is only a part of the page, with nothing of its own to read.
//
// The page tells its interface what changed (rows that came and went, a
// row's kind), and the interface tells assistive technology row by row, only
// about the rows concerned, as every painted widget does
// (PaintedItemsAccessible).
//
// The page makes its interface, and that of its editor, with make().

#include "design/access/PaintedItemsAccessible.h"
#include "model/Script.h"
#include "state/rules/ScriptRules.h"
#include "views/phases/script/ScriptPage.h"

#include <QList>
#include <QUuid>

namespace studio {

class ScriptPageAccessible : public PaintedItemsAccessible {
public:
    explicit ScriptPageAccessible(ScriptPage* page);

    // The interface of the page or of its live editor (null for any other).
    static QAccessibleInterface* make(ScriptPage* page, QObject* object);
    // The page's interface, when one has been made.
    static ScriptPageAccessible* existing(const ScriptPage* page);

    // Named as the script it is (the page holds the keyboard itself once the
    // element being written goes).
    QString text(QAccessible::Text t) const override;

    // Each element: its kind as its name, its text through its text
    // interface, editable; a reader's "focus" gives it the keyboard as a
    // click does.
    int itemCount() const override { return page()->rowCount(); }
    QUuid itemID(int index) const override { return page()->rows().row(index).id(); }
    int itemIndex(const QUuid& id) const override { return page()->rows().indexOf(id); }
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override { return page()->textRect(itemID(index)); }
    QAccessible::State itemState(int index) const override;
    int itemAt(const QPoint& point) const override;
    QStringList itemActions(int) const override { return {setFocusAction()}; }
    void doItemAction(int index, const QString& action) override;
    QList<QWidget*> widgetsAfterItems() const override;
    // The element the live editor stands in: while the editor holds the
    // keyboard, the focused one; whenever, the one whose text it edits.
    int focusedItem() const override;
    int editedItem() const override { return liveRow(page()); }
    // The row whose element the live editor stands in, or -1 while it
    // stands in none (hidden, or on no row).
    static int liveRow(const ScriptPage* page);

    // What the page tells as its rows change (as every painted widget tells
    // its items). Before rows are spliced (in the page's rows as they still
    // are), then after.
    Splice rowsChanging(const QList<ScriptElement>& elements, const rules::ScriptChange& change);
    void rowsChanged(const Splice& splice);
    // A row's kind changed: its name is told.
    void kindChanged(int row);

protected:
    PaintedItemAccessible* makeItem(const QUuid& id, int twin) override;

private:
    ScriptPage* page() const { return static_cast<ScriptPage*>(widget()); }
};

} // namespace studio
