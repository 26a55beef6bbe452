#pragma once

// How a fraction of work done reads on screen: one text for every progress
// figure of the program (render jobs, export runs).

#include <QString>

namespace studio::rules {

// The integer part of progress × 100 and "%", within 0…100; a value that is
// not a number reads as 0%.
QString percentText(double progress);

} // namespace studio::rules
