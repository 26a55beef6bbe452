#pragma once

// One element of the Script page as assistive technology reads it: a
// paragraph (ScriptPageAccessible says what it reads) whose text is the
// element's text, read only. While the element is being written it holds the
// live editor as its one child.

#include "design/PaintedItemAccessible.h"

namespace studio {

class ScriptPage;

class ScriptElementAccessible : public PaintedItemAccessible, public QAccessibleTextInterface {
public:
    using PaintedItemAccessible::PaintedItemAccessible;

    // QAccessibleInterface
    QAccessibleInterface* child(int index) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    using PaintedItemAccessible::text;

    // QAccessibleTextInterface: the element's whole text, read only.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    ScriptPage* page() const;
    bool isLive() const;
};

} // namespace studio
