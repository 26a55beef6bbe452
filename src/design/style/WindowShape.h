#pragma once

// A window cut to a rounded outline (a sheet, a tool tip). A translucent
// window's clear pixels show black where no compositing window manager
// blends them with what lies behind, and a window's shape can keep or drop
// whole pixels only. So the window's shape keeps the pixels whose centre lies
// inside the outline, and everything the shape keeps is painted opaque, the
// smoothed edge of the outline included: what the shape drops shows what lies
// behind the window, with a compositor or without one.
//
//   void resizeEvent(QResizeEvent*) override { setMask(WindowShape::of(outline(), size(), radius)); }
//   void paintEvent(QPaintEvent*) override {
//       QPainter p(this);
//       WindowShape::paintGround(p, mask(), fill, border);
//       ... the outline, filled and stroked as before
//   }

#include <QRegion>

class QColor;
class QPainter;
class QPainterPath;
class QSize;

namespace studio {

struct WindowShape {
    // The pixels of a window of `size` whose centres lie inside `outline`,
    // an outline that departs from the window's rectangle only within
    // `cornerReach` pixels of each corner.
    static QRegion of(const QPainterPath& outline, const QSize& size, int cornerReach);

    // Paints what the shape keeps opaque: `fill` (opaque) with `edge` over
    // it, the colour of the outline's border. It reaches a pixel past the
    // shape, so that wherever the window system rounds the shape to the
    // screen's pixels at a fractional scale, none of the pixels it keeps
    // stays clear.
    static void paintGround(QPainter& painter, const QRegion& shape, const QColor& fill, const QColor& edge);
};

} // namespace studio
