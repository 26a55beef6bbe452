#pragma once

// Which interface assistive technology reads for a widget, decided in one
// place for the whole program. Qt makes a widget's interface the first time
// anything asks for it and keeps it, so the factory is installed once at
// start-up (DesignSystem::install), before any widget is built.
//
// A widget that reads other than Qt would read it is an AccessibleSource: it
// makes its own interface, and may make those of its direct children
// (AccessibleSource.h). The program's own controls read through interfaces
// made here (ControlAccessible.h), Qt's own text inputs and containers
// through interfaces of the program's (TextAccessible, ContainerAccessible),
// and plain widgets and frames through one that reads them focused only
// while they hold the keyboard (WidgetAccessible). Whatever else, Qt makes.

namespace studio {

struct AccessibleFactory {
    static void install();
};

} // namespace studio
