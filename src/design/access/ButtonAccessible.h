#pragma once

// What assistive technology reads of one of the program's own buttons: what
// Qt reads of a button, named by its words or its accessible name (short:
// design/widgets/SpokenName.h), pressed by its click, and without a description that
// only repeats its name (Qt offers the tool tip as the description, and an
// icon button is named by its tool tip). A button that drops a menu
// (a MenuButton) holds it as its last child.

#include <QAccessibleWidget>

namespace studio {

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QWidget* control);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;
};

} // namespace studio
