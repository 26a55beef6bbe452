#pragma once

// A walk with Tab through a window, as a keyboard user makes it, and what it
// tells: which controls a click reaches that no stop does, which stops take
// the focus out of sight, which are read out by no name, and which show no
// ring.
//
// A widget that stands for a group walked by the arrow keys (a row of pills,
// a lane of painted clips) sets the property "studioArrowGroup" to true: the
// controls inside it count as reached when it is a stop.

#include <QList>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace studio::test {

struct KeyboardWalk {
    // Every stop, as Tab reaches them from the window's first.
    QList<QPointer<QWidget>> stops;
    // Stops that had the focus while some of them lay outside the view: out
    // of the window, or outside a page's viewport.
    QStringList outOfView;
};

// Walks the active window (or a sheet in it) with Tab from its first stop
// until the focus comes back round (or leaves it). An editor that takes Tab as text is
// passed over as Ctrl+Tab would.
KeyboardWalk walkWithTab(QWidget* window);

// Visible, enabled controls a click acts on (buttons, cards, chips, rows,
// tiles, fields and sliders) that no stop reaches, itself or through the
// widget it hands its focus to.
QStringList unreachedControls(QWidget* window, const KeyboardWalk& walk);

// Stops that assistive technology reads no name for.
QStringList unnamedStops(const KeyboardWalk& walk);

// Stops whose focus shows no ring.
QStringList stopsShowingNoRing(const KeyboardWalk& walk);

// "ClassName#objectName "name" in ParentClass", to name a control in a failure.
QString describe(const QWidget* control);

} // namespace studio::test
