#pragma once

// What assistive technology reads of the Script page, which paints its rows
// itself: every element of the script is a child of the page, in script
// order (ScriptElementAccessible: its text as its name and text, its kind as
// its description), made the first time it is asked for and kept until its
// element goes. The element being written holds the live editor as its child. The row
// controls, the chips and the empty state follow the elements, shown or not,
// and so does the editor while it stands in no element.
//
// The page tells its interface what changed (rows that came and went, the
// editor moving, a row's text or kind), and the interface tells assistive
// technology row by row, only about the rows concerned, as every painted
// widget does (PaintedItemsAccessible).
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

    // Each element: its text as its name, its kind as its description, read
    // only; a reader's "focus" gives it the keyboard as a click does.
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
    // The row whose element the live editor stands in, or -1 while it
    // stands in none (hidden, or on no row).
    static int liveRow(const ScriptPage* page);

    // What the page tells as its rows change (as every painted widget tells
    // its items). Before rows are spliced (in the page's rows as they still
    // are), then after.
    Splice rowsChanging(const QList<ScriptElement>& elements, const rules::ScriptChange& change);
    void rowsChanged(const Splice& splice);
    // The editor is about to leave the element it stands in (whose name,
    // changed by typing, is told then); it stands in another now.
    void editorLeaving();
    void editorArrived();
    // A row's text (or its kind) changed: its name and description are told
    // where they read otherwise now.
    void rowChanged(int row, bool kindChanged);

protected:
    PaintedItemAccessible* makeItem(const QUuid& id, int twin) override;

private:
    ScriptPage* page() const { return static_cast<ScriptPage*>(widget()); }
};

} // namespace studio
