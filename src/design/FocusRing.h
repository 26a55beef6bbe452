#pragma once

// The one mark of the keyboard focus, drawn by every control that takes it:
// a light line along the control's edge with a dark line just inside it. The
// light line stands out from the dark ground around a control, the dark one
// from a light fill (the ivory of a primary button, a chosen chip, an on
// switch), so the ring reads whatever it surrounds. It is drawn inside the
// edge, over the control's own fill and border, so a focused control keeps
// its size and place.
//
//   if (hasFocus())
//       FocusRing::paintCapsule(p, rect());

#include <QtGlobal>

class QPainter;
class QRectF;

namespace studio {

struct FocusRing {
    // How far the ring reaches in from the edge.
    static constexpr qreal width = 3;

    static void paintRounded(QPainter& painter, const QRectF& rect, qreal radius);
    static void paintCapsule(QPainter& painter, const QRectF& rect);
    // A ring around a round control (the symbol of a symbol button).
    static void paintCircle(QPainter& painter, const QRectF& rect);
};

} // namespace studio
