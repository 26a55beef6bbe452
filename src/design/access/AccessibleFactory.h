#pragma once

// Which interface assistive technology reads for a widget, decided in one
// place for the whole program. Qt makes a widget's interface the first time
// anything asks for it and keeps it, so the factory is installed once at
// start-up (Theme::install), before any widget is built.
//
// A widget that reads other than Qt would read it is an AccessibleSource: it
// makes its own interface, and may make those of its direct children (a
// painted page's live editor, a scroll area's viewport). Qt's own text inputs
// and containers read through interfaces of the program's (TextAccessible,
// ContainerAccessible), and plain widgets and frames through one that reads
// them focused only while they hold the keyboard (WidgetAccessible).
// Whatever else, Qt makes.

class QAccessibleInterface;
class QObject;

namespace studio {

class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    // The interface of `object`: this widget or one of its direct children;
    // null leaves it to Qt.
    virtual QAccessibleInterface* accessibleFor(QObject* object) = 0;
};

struct AccessibleFactory {
    static void install();
};

} // namespace studio
