#pragma once

// What assistive technology reads of the Script page, which paints its rows
// itself: every element of the script is a child of the page, in script
// order (ScriptElementAccessible: its text as its name and text, its kind as
// its description), made the first time it is asked for and kept until its
// element goes, so a reader walking the whole page pays once per element.
// The element being written holds the live editor as its child. The row
// controls, the chips and the empty state follow the elements, shown or not.
//
// The page tells its interface what changed (rows that came and went, the
// editor moving, a row's text or kind), and the interface tells assistive
// technology row by row, only about the rows concerned.
//
// The page's interface, and that of its editor, come from the factory
// install() registers, the first time a page is built.

#include "model/Script.h"
#include "state/rules/ScriptRules.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QUuid>

#include <utility>

namespace studio {

class ScriptPage;

class ScriptPageAccessible : public QAccessibleWidget {
public:
    explicit ScriptPageAccessible(ScriptPage* page);
    ~ScriptPageAccessible() override;

    static void install();
    // The page's interface, when one has been made.
    static ScriptPageAccessible* existing(const ScriptPage* page);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The interface of the element in this row, made the first time.
    QAccessibleInterface* element(int row) const;

    // What the page tells as its rows change. Before rows are spliced (in
    // the page's rows as they still are), then after.
    struct Splice {
        QList<QUuid> leaving;
        QList<QUuid> arriving;
        bool reindex = false; // twins moved: every interface made afresh
    };
    Splice rowsChanging(const QList<ScriptElement>& elements, const rules::ScriptChange& change);
    void rowsChanged(const Splice& splice);
    // The editor is about to leave the element it stands in; it stands in
    // another now.
    void editorLeaving();
    void editorArrived();
    // A row's text (or its kind) changed where the editor is not.
    void rowChanged(int row, bool kindChanged);

private:
    using Key = std::pair<QUuid, int>; // an element's id, and which twin
    ScriptPage* page() const;
    Key key(int row) const;
    QAccessibleInterface* made(int row) const;
    void forget(const QUuid& id);
    void forgetAll();

    mutable QHash<Key, QAccessible::Id> m_elements;
};

} // namespace studio
