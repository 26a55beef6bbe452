#pragma once

// Whether the program may reach into Qt's private state. A few of its ways
// read what Qt keeps to itself: where a line edit lays out a character (told
// to readers), the accessibility cache's entries of one object (an object made
// new for readers), whether a widget around a tag field is being destroyed,
// and what the guard in front of the accessibility bridge knows of the
// bridge. Qt lays out and handles that state alike only within one version,
// so those ways are taken only when the running Qt is the one the program
// was built with; where it is another, each falls back to what Qt does
// without it, and one warning on standard error says so.

#include <QStringView>

namespace studio {

class QtPrivateState {
public:
    // Whether the running Qt is the one the program was built with. Checked
    // at the first call (at start-up), which warns where it is not.
    static bool runningQtIsBuildQt();
    // Whether a program built with Qt `built` may reach the private state of
    // Qt `running`: the same version, to the patch.
    static bool sameQt(QStringView running, QStringView built);
    // Takes the private ways (`same`) or leaves them, whatever Qt runs
    // (tests).
    static void assumeRunningQtIsBuildQt(bool same);
};

} // namespace studio
