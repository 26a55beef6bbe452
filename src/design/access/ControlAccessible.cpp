#include "design/access/ControlAccessible.h"

#include "design/access/ChoiceAccessible.h"
#include "design/access/StaticTextAccessible.h"
#include "design/access/WidgetAccessible.h"
#include "design/widgets/AccessibleSource.h"
#include "design/widgets/Chip.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TextCapsule.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/ToolbarIconButton.h"

#include <QAbstractButton>

namespace studio {

QAccessibleInterface* makeControlAccessible(QWidget* widget)
{
    if (auto* chip = qobject_cast<Chip*>(widget)) {
        return new ChoiceAccessible(
            chip, [chip] { return chip->isOneOf() ? ChoiceAccessible::Kind::oneOf : ChoiceAccessible::Kind::anyOf; },
            [chip] { return chip->isOn(); });
    }
    // Every button of a picker is one of its pills (asked for while it is
    // made, before the picker lists it).
    auto* picker = qobject_cast<PillPicker*>(widget->parentWidget());
    if (picker && qobject_cast<QAbstractButton*>(widget)) {
        return new ChoiceAccessible(widget, ChoiceAccessible::Kind::oneOf, [picker, widget] {
            return picker->pill(picker->selectedIndex()) == widget;
        });
    }
    if (qobject_cast<SymbolButton*>(widget) || qobject_cast<ToolbarIconButton*>(widget)
        || qobject_cast<MenuButton*>(widget))
        return new ButtonAccessible(widget);
    if (isChoiceGroup(widget))
        return new WidgetAccessible(widget, QAccessible::Grouping);
    if (auto* label = qobject_cast<TextLabel*>(widget))
        return new StaticTextAccessible(label, [label] { return label->text(); });
    if (auto* capsule = dynamic_cast<TextCapsule*>(widget))
        return new StaticTextAccessible(capsule, [capsule] { return capsule->text(); });
    return nullptr;
}

} // namespace studio
