#pragma once

// One element of the Script page as assistive technology reads it: a
// paragraph (ScriptPageAccessible says what it reads) whose text is the
// element's text, read only, answered as every text of the program is
// (AccessibleText); its name is the start of that text, short enough to be
// spoken. While the element is being written it holds the live editor as its
// one child.

#include "design/access/AccessibleText.h"
#include "design/access/PaintedItemAccessible.h"

namespace studio {

class ScriptPage;

class ScriptElementAccessible : public PaintedItemAccessible, public AccessibleText {
public:
    using PaintedItemAccessible::PaintedItemAccessible;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* child(int index) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface: the element's whole text, read only.
    QString text(int startOffset, int endOffset) const override { return AccessibleText::text(startOffset, endOffset); }

protected:
    QString wholeText() const override;

private:
    ScriptPage* page() const;
    bool isLive() const;
};

} // namespace studio
