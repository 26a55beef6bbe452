#pragma once

// What assistive technology reads of a control that stands for one of a set
// the user picks from (a page tab, a row of a list): its role, selectable,
// selected while the control says so, and, where the control has a press,
// pressed as a click presses it.
//
// The control tells when it is chosen or let go (selectionChanged()), and a
// reader hears the change as it hears a list's: the object selected or not.

#include <QAccessibleWidget>

#include <functional>

namespace studio {

class SelectableAccessible : public QAccessibleWidget {
public:
    SelectableAccessible(QWidget* control, QAccessible::Role role, std::function<bool()> selected,
                         std::function<void()> press = {});

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;

    // The control (or its child `child`, a painted item) was chosen or let
    // go: assistive technology hears how it stands now. Told as a selection
    // event, which a reader hears as the selected state changing; Qt's
    // state-change event for that state reaches no reader.
    static void selectionChanged(QObject* object, int child = -1);

private:
    std::function<bool()> m_selected;
    std::function<void()> m_press;
};

} // namespace studio
