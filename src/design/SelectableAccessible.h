#pragma once

// What assistive technology reads of a control that stands for one of a set
// the user picks from (a page tab, a row of a list): its role, selectable,
// selected while the control says so, and, where the control has a press,
// pressed as a click presses it.

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

private:
    std::function<bool()> m_selected;
    std::function<void()> m_press;
};

} // namespace studio
