#pragma once

// What assistive technology reads of a text the program shows and the user
// does not edit (a label, a capsule): static text, named by the text cut
// short (a name is spoken whenever a reader lands on it: design/widgets/SpokenName.h),
// with the whole text in a text interface to read, not to edit, where a
// reader reads a logline or a synopsis to its end. Asked of the widget at
// every question, never copied: a text of a megabyte costs a reader what it
// asks for.

#include "design/access/AccessibleText.h"

#include <QAccessibleWidget>

#include <functional>

namespace studio {

class StaticTextAccessible : public QAccessibleWidget, public AccessibleText {
public:
    // `text` gives the whole text the widget shows.
    StaticTextAccessible(QWidget* widget, std::function<QString()> text);

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType t) override;

    // A tool tip that only shows the text whole (where the label cuts it
    // short) is no description: the text is not said again.
    QString text(QAccessible::Text t) const override;

    // QAccessibleTextInterface (the rest as AccessibleText answers it)
    QString text(int startOffset, int endOffset) const override { return AccessibleText::text(startOffset, endOffset); }

protected:
    QString wholeText() const override { return m_text(); }

private:
    std::function<QString()> m_text;
};

} // namespace studio
