#pragma once

// The whole design system installed on the application, once, before any
// widget is built: the look (Theme), the keyboard's application-wide watches
// (focus in view, activation, hand-over, the ring) and what a screen reader
// hears (the interface factory, the focus and name watches). It sits above
// every folder of the design library, as the one place that knows them all.

class QApplication;

namespace studio {

struct DesignSystem {
    static void install(QApplication& app);
};

} // namespace studio
