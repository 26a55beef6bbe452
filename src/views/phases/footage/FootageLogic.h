#pragma once

// The job row's percentage.

#include <QString>

namespace studio::footage {

// A rendering job's progress as a whole percentage, cut toward zero ("95%"
// at 21 of 22 steps, never rounded up).
QString percentText(double progress);

} // namespace studio::footage
