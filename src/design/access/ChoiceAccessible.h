#pragma once

// What assistive technology reads of a control that shows it is chosen: a
// pill of a one-of group, a chip, a card picked from a gallery, a studio tab,
// a Settings section, a row of a list, the current row of the phase rail, a
// done mark. Each kind reads with the role and the state a reader expects of
// it, asked of the control whenever a reader asks:
//
//   oneOf  a radio button, checked while chosen (a pill, a tile, a chip of a
//          group that holds one value, a card of a set of which one is
//          chosen: a style, a lens, a character)
//   anyOf  a check box, checked while on (a chip of a group that holds any
//          number, a done mark)
//   item   a list item, selected while chosen (a row of a list)
//   page   a page tab, selected while current (a studio tab, a Settings
//          section, a row of the phase rail)
//
// A control may show a done mark besides (a phase that is ready): read as
// checked. A button is pressed by its click; a control that is no button may
// say what a press does.
//
// The control calls tellChoiceChanged() (AccessibleSource.h) whenever what it
// shows may have changed (and has what it shows set before anything names it,
// so before its interface is made); a reader hears the states that really
// changed since it could last know them, and nothing else (nothing of a
// control not on screen). A painted
// item (a card of a painted list) has an interface of its list's; its list
// calls itemChanged() when the item is chosen or let go. Both tell a reader
// alike: a state event for what changed, and, for "selected", the selection
// event that alone carries it to a reader on Linux.
//
// A one-of choice also holds its state as a value, told as it becomes
// chosen: Orca speaks a radio button's new state after Space alone, but a
// value's change after any key, so a choice made with Return is heard too.
// The value is 0 while not chosen, and while chosen -1 or -2, the other of
// the two from the choice told before it: Orca speaks no value equal to the
// last value it spoke, and no other control's value is below 0. Only a
// choice that holds the keyboard tells it, as only its value is spoken.
//
// A page tab says nothing to Orca as it becomes selected, by any key: one
// chosen from the keyboard where it stands is heard again as it reads now.

#include "design/widgets/AccessibleSource.h"
#include "design/access/ButtonAccessible.h"

#include <QAccessibleValueInterface>

#include <functional>

namespace studio {

class ChoiceAccessible : public ButtonAccessible, public QAccessibleValueInterface, public ChoiceAnnouncer {
public:
    enum class Kind { oneOf, anyOf, item, page };

    ChoiceAccessible(QWidget* control, Kind kind, std::function<bool()> chosen,
                     std::function<bool()> done = {});
    // A control that learns its kind after it is made (a chip told it is
    // one of a group).
    ChoiceAccessible(QWidget* control, std::function<Kind()> kind, std::function<bool()> chosen);

    // What a reader's press does, for a control that is no button.
    void setPress(std::function<void()> press);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // The value of a one-of choice; a reader that sets any value below 0
    // chooses it.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override { return 0; }
    QVariant minimumValue() const override { return -2; }
    QVariant minimumStepSize() const override { return 1; }

    void announce() override;
    // Item `item` of a painted list was chosen or let go: a reader hears how
    // it reads now.
    static void itemChanged(QWidget* list, int item);

private:
    bool isChosen() const { return m_chosen && m_chosen(); }
    bool isDone() const { return m_done && m_done(); }
    bool readsAsChecked() const;

    std::function<Kind()> m_kind;
    std::function<bool()> m_chosen;
    std::function<bool()> m_done;
    std::function<void()> m_press;
    // What a reader could last know.
    bool m_heardChosen;
    bool m_heardDone;
    // The value while chosen: -1 or -2.
    int m_chosenValue = -1;
};

// A control (a card, a swatch) that reads as one choice of `kind`, chosen
// while its isSelected() says so, derives from this besides its widget class:
//
//   class LensCard : public QAbstractButton,
//                    public SelectableChoice<LensCard, ChoiceAccessible::Kind::oneOf> { ... };
//
// It calls tellChoiceChanged(this) when its selection changes.
template <class Control, ChoiceAccessible::Kind kind>
class SelectableChoice : public AccessibleSource {
public:
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        auto* control = static_cast<Control*>(this);
        if (object != control)
            return nullptr;
        return new ChoiceAccessible(control, kind, [control] { return control->isSelected(); });
    }
};

} // namespace studio
