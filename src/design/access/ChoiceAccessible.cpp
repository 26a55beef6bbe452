#include "design/access/ChoiceAccessible.h"

#include "design/access/AccessibleFocus.h"
#include "design/focus/FocusRing.h"

#include <QAbstractButton>
#include <QTimer>

namespace studio {

namespace {

// Tells a reader that the `changed` states of `object` (or of its painted
// item `child`) changed. The Linux bridge passes a state event on for
// "checked" alone; "selected" reaches a reader only as a selection event.
void tell(QObject* object, int child, QAccessible::State changed, bool selected)
{
    QAccessibleStateChangeEvent event(object, changed);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
    if (changed.selected) {
        QAccessibleEvent moved(object, selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
        moved.setChild(child);
        QAccessible::updateAccessibility(&moved);
    }
}

} // namespace

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

void ChoiceAccessible::setPress(std::function<void()> press)
{
    m_press = std::move(press);
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
        // A button that checks itself to show its section is a tab
        // selected, not a box ticked.
        s.checkable = false;
        s.checked = false;
        s.selectable = true;
        s.selected = isChosen();
    }
    if (m_done) {
        s.checkable = true;
        s.checked = isDone();
    }
    return s;
}

QStringList ChoiceAccessible::actionNames() const
{
    const QStringList own = ButtonAccessible::actionNames();
    return m_press && widget()->isEnabled() ? QStringList{pressAction()} + own : own;
}

void ChoiceAccessible::doAction(const QString& name)
{
    if (m_press && name == pressAction() && widget()->isEnabled())
        m_press();
    else
        ButtonAccessible::doAction(name);
}

void* ChoiceAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface && m_kind() == Kind::oneOf)
        return static_cast<QAccessibleValueInterface*>(this);
    return ButtonAccessible::interface_cast(type);
}

QVariant ChoiceAccessible::currentValue() const
{
    return isChosen() ? m_chosenValue : 0;
}

void ChoiceAccessible::setCurrentValue(const QVariant& value)
{
    // A one-of choice is let go only by choosing another.
    bool ok = false;
    if (!(value.toDouble(&ok) < 0) || !ok || isChosen() || !widget()->isEnabled())
        return;
    if (m_press)
        m_press();
    else
        ButtonAccessible::doAction(pressAction());
}

void ChoiceAccessible::itemChanged(QWidget* list, int item)
{
    if (!list || item < 0 || !QAccessible::isActive())
        return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    QAccessibleInterface* child = iface && item < iface->childCount() ? iface->child(item) : nullptr;
    if (!child || !child->isValid())
        return;
    QAccessible::State states;
    states.selected = true;
    tell(list, item, states, child->state().selected);
}

void ChoiceAccessible::announce()
{
    const bool chosen = isChosen();
    const bool done = isDone();
    QAccessible::State states;
    if (chosen != m_heardChosen) {
        if (readsAsChecked())
            states.checked = true;
        else
            states.selected = true;
    }
    if (done != m_heardDone)
        states.checked = true;
    m_heardChosen = chosen;
    m_heardDone = done;
    // A control not on screen (being built, on a hidden page) is heard as it
    // is once it shows.
    if ((!states.checked && !states.selected) || !widget()->isVisible())
        return;
    // The value first, for the choice that holds the keyboard (a reader
    // speaks no other's): a reader that speaks both hears the state event's
    // words over it. Each takes the other value from the one told before.
    if (states.checked && chosen && m_kind() == Kind::oneOf && widget()->hasFocus()) {
        static int lastTold = -1;
        lastTold = lastTold == -1 ? -2 : -1;
        m_chosenValue = lastTold;
        QAccessibleValueChangeEvent value(object(), currentValue());
        QAccessible::updateAccessibility(&value);
    }
    tell(object(), -1, states, chosen);
    // A page tab chosen by the keyboard where it stands (a phase of the
    // rail, a studio tab, a Settings section): a reader says nothing of a
    // page tab that became selected, nor of its new description, so the tab
    // is heard again as it reads now, once the change is all made. It is
    // made anew for the reader, which hears no focus told twice, and so is
    // all it holds (a reader would ask them for the tab they left).
    if (states.selected && chosen && m_kind() == Kind::page && widget()->hasFocus() && FocusRing::showing()) {
        QTimer::singleShot(0, widget(), [tab = widget()] {
            if (!tab->hasFocus() || !QAccessible::isActive())
                return;
            AccessibleFocus::standsAnew(tab);
            const QList<QWidget*> held = tab->findChildren<QWidget*>();
            for (QWidget* part : held)
                AccessibleFocus::standsAnew(part);
            QAccessibleEvent focus(tab, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        });
    }
}

} // namespace studio
