#pragma once

// One element of the Script page as assistive technology reads it: a
// paragraph (ScriptPageAccessible says what it reads) whose text is the
// element's text, answered as every text of the program is (AccessibleText),
// and which flows into the next element, as a document's paragraphs do, so
// a reader's Say All reads on through the script. Where the page shows it
// laid out, its characters and lines are where the page paints them. While
// the element is being written, its text, caret, selection and edits are the
// live editor's.

#include "design/access/AccessibleFlow.h"
#include "design/access/AccessibleText.h"
#include "design/access/PaintedItemAccessible.h"

class QTextDocument;

namespace studio {

class ScriptPage;

class ScriptElementAccessible : public PaintedItemAccessible, public AccessibleText, public AccessibleFlow {
public:
    using PaintedItemAccessible::PaintedItemAccessible;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    // A reader's new text for the element being written, as its edits are.
    void setText(QAccessible::Text t, const QString& text) override;

    // QAccessibleTextInterface: the element's whole text.
    QString text(int startOffset, int endOffset) const override { return AccessibleText::text(startOffset, endOffset); }
    using PaintedItemAccessible::text;

    // AccessibleFlow: the elements before and after it.
    QAccessibleInterface* flowsTo() const override { return neighbour(1); }
    QAccessibleInterface* flowsFrom() const override { return neighbour(-1); }

protected:
    // AccessibleText: where the page shows the text, while it is laid out.
    QString wholeText() const override;
    QRect characterBox(qsizetype offset) const override;
    qsizetype offsetAtScreenPoint(const QPoint& point) const override;
    TextRange shownLine(qsizetype offset) const override;
    bool hasShownLines() const override { return true; }

private:
    ScriptPage* page() const;
    // The live editor's interface, while it stands in this element.
    QAccessibleInterface* editor() const;
    QAccessibleInterface* neighbour(int step) const;
    // The row's layout (null while it holds none) and where its origin is
    // on the screen.
    const QTextDocument* layout(QPoint* origin = nullptr) const;
};

} // namespace studio
