#pragma once

// What assistive technology reads of the Script page, which paints its rows
// itself: each element near the view is a text child of the page, in script
// order, named by its kind with its text as its value. The element being
// written is the live editor in its place (named by its kind too); the row
// controls, the chips and the empty state follow the elements.
//
// The page's interface comes from the factory install() registers, the first
// time a page is built.

#include <QAccessibleWidget>
#include <QHash>
#include <QUuid>

namespace studio {

class ScriptPage;

class ScriptPageAccessible : public QAccessibleWidget {
public:
    explicit ScriptPageAccessible(ScriptPage* page);
    ~ScriptPageAccessible() override;

    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    ScriptPage* page() const;
    QList<QAccessibleInterface*> children() const;
    QAccessibleInterface* element(const QUuid& id) const;

    // The interfaces made for elements, by element id; dropped with the
    // element, or with the page.
    mutable QHash<QUuid, QAccessible::Id> m_elements;
};

} // namespace studio
