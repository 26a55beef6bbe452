#pragma once

// Whether a window cut to a rounded rectangle shows only its card and what
// lies behind it, at the screen scales the program runs at: its shape drops
// the pixels outside the rounded outline, and every pixel it keeps is
// painted opaque (a screen without a compositing window manager shows a clear
// pixel black).

#include <QStringList>

class QWidget;

namespace studio::test {

// Describes each fault of the window (its mask and what it paints): a pixel
// the shape keeps outside the outline of the given corner radius, or a pixel
// it keeps that is painted less than opaque at scale 1, 1.25 or 2.
QStringList roundedWindowFaults(QWidget* window, qreal radius);

} // namespace studio::test
