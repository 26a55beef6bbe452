#pragma once

// The interfaces of the program's own controls (design/widgets) that read
// through the reader's classes: a chip and a pill as a check box or a radio
// button (ChoiceAccessible), a symbol button by its name (ButtonAccessible),
// a label and a capsule as static text whose whole text is in its text
// interface (StaticTextAccessible), a widget that holds a set of choices as a
// named group. The controls know nothing of these; the
// factory asks here for every widget no source of its own reads.

class QAccessibleInterface;
class QWidget;

namespace studio {

// Null for a widget that is none of them.
QAccessibleInterface* makeControlAccessible(QWidget* widget);

} // namespace studio
