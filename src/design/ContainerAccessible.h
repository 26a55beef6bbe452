#pragma once

// What assistive technology reads of Qt's own containers (scroll areas and
// the like) wherever the program shows one.

class QAccessibleInterface;
class QWidget;

namespace studio {

// The interface of a Qt container, or null for any other widget.
QAccessibleInterface* makeContainerAccessible(QWidget* widget);

} // namespace studio
