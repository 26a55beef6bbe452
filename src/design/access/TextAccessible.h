#pragma once

// What assistive technology reads of Qt's own text inputs (line edits and
// text edits) wherever the program shows one.

class QAccessibleInterface;
class QWidget;

namespace studio {

// The interface of a Qt text input, or null for any other widget.
QAccessibleInterface* makeTextAccessible(QWidget* widget);

} // namespace studio
