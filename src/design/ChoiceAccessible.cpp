#include "design/ChoiceAccessible.h"

#include <QAbstractButton>

namespace studio {

ChoiceAccessible::ChoiceAccessible(QWidget* control, Kind kind, std::function<bool()> chosen,
                                   std::function<bool()> done)
    : ButtonAccessible(control)
    , m_kind([kind] { return kind; })
    , m_chosen(std::move(chosen))
    , m_done(std::move(done))
    , m_heardChosen(isChosen())
    , m_heardDone(isDone())
{
}

ChoiceAccessible::ChoiceAccessible(QWidget* control, std::function<Kind()> kind, std::function<bool()> chosen)
    : ButtonAccessible(control)
    , m_kind(std::move(kind))
    , m_chosen(std::move(chosen))
    , m_heardChosen(isChosen())
    , m_heardDone(false)
{
}

bool ChoiceAccessible::readsAsChecked() const
{
    const Kind kind = m_kind();
    return kind == Kind::oneOf || kind == Kind::anyOf;
}

QAccessible::Role ChoiceAccessible::role() const
{
    switch (m_kind()) {
    case Kind::oneOf: return QAccessible::RadioButton;
    case Kind::anyOf: return QAccessible::CheckBox;
    case Kind::item: return QAccessible::ListItem;
    case Kind::page: return QAccessible::PageTab;
    }
    return QAccessible::Button;
}

QAccessible::State ChoiceAccessible::state() const
{
    QAccessible::State s = ButtonAccessible::state();
    if (readsAsChecked()) {
        s.checkable = true;
        s.checked = isChosen();
    } else {
        s.selectable = true;
        s.selected = isChosen();
    }
    if (m_done) {
        s.checkable = true;
        s.checked = isDone();
    }
    return s;
}

void ChoiceAccessible::changed(QWidget* control)
{
    if (!control || !QAccessible::isActive())
        return;
    if (auto* choice = dynamic_cast<ChoiceAccessible*>(QAccessible::queryAccessibleInterface(control)))
        choice->announce();
}

void ChoiceAccessible::announce()
{
    const bool chosen = isChosen();
    const bool done = isDone();
    QAccessible::State states;
    bool any = false;
    if (chosen != m_heardChosen) {
        if (readsAsChecked())
            states.checked = true;
        else
            states.selected = true;
        any = true;
    }
    if (done != m_heardDone) {
        states.checked = true;
        any = true;
    }
    const bool selection = !readsAsChecked() && chosen != m_heardChosen;
    m_heardChosen = chosen;
    m_heardDone = done;
    // A control not on screen (being built, on a hidden page) is heard as it
    // is once it shows.
    if (!any || !widget()->isVisible())
        return;
    QAccessibleStateChangeEvent event(object(), states);
    QAccessible::updateAccessibility(&event);
    if (selection) {
        // The Linux bridge says "selected" changed only on a selection event
        // (it passes a state event on for checked alone).
        QAccessibleEvent moved(object(), chosen ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
        QAccessible::updateAccessibility(&moved);
    }
}

} // namespace studio
