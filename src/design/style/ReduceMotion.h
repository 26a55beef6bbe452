#pragma once

// Whether the user asked the desktop for less motion: the environment
// variable PALISADEMOTION_REDUCE_MOTION (1/true: reduce, 0/false: don't),
// else GNOME's "enable-animations" when it is stored in the GLib key file
// (~/.config/glib-2.0/settings/keyfile), else no.

#include <QString>

namespace studio {

struct ReduceMotion {
    static bool systemPrefersReducedMotion();
    // The key-file rule alone, for a given file content (tests).
    static bool keyFileDisablesAnimations(const QString& keyFileText);
};

} // namespace studio
