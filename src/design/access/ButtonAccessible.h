#pragma once

// What assistive technology reads of one of the program's own buttons: what
// Qt reads of a button, named by its words or its accessible name (short:
// design/widgets/SpokenName.h), pressed by its click, and without a description that
// only repeats its name or its start (Qt offers the tool tip as the description, and an
// icon button is named by its tool tip). A button that drops a menu
// (a MenuButton) reads as a menu button: it says it has a pop-up, whether
// that is down, and holds the menu as its last child.
//
// A button that steps a value through a fixed round of words, one step a
// press (a beat's charge: Neutral, Lift, Drop), reads as a spin button
// (SteppedButtonAccessible): its value is the word it shows, in the value's
// text, told whenever it changes (the control calls tellChoiceChanged()).

#include "design/widgets/AccessibleSource.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QStringList>

#include <functional>

class QAbstractButton;

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

class SteppedButtonAccessible : public ButtonAccessible, public QAccessibleValueInterface, public ChoiceAnnouncer {
public:
    // `step` is the index in `words` of what the button shows now.
    SteppedButtonAccessible(QAbstractButton* button, QStringList words, std::function<int()> step);

    QAccessible::Role role() const override { return QAccessible::SpinBox; }
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override { return current(); }
    // Presses the button until it shows the step asked for.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override { return int(m_words.size()) - 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    void announce() override;

private:
    int current() const;

    QStringList m_words;
    std::function<int()> m_step;
    int m_heard;
};

} // namespace studio
