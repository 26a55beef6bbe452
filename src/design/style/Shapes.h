#pragma once

// Outlines and fills shared by every custom-painted control: rounded
// rectangles with continuous (smooth) corners, capsules, and the card look
// (fill plus a hairline drawn inside the edge).

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;
class QBrush;
class QImage;

namespace studio::shapes {

// A rounded rectangle whose corners ease into the straight edges instead of
// meeting them with a circular arc. A radius too large for the rectangle
// falls back to the largest circular rounding that fits.
QPainterPath roundedRect(const QRectF& rect, qreal radius);
// A capsule: the ends are half circles of half the shorter side.
QPainterPath capsule(const QRectF& rect);

// Fills the shape and strokes its outline inside the edge (the stroke is
// inset by half its width, so the shape never grows by its border).
void fillRounded(QPainter& painter, const QRectF& rect, qreal radius, const QBrush& fill);
void strokeRoundedInside(QPainter& painter, const QRectF& rect, qreal radius, const QColor& color,
                         qreal lineWidth);
void fillCapsule(QPainter& painter, const QRectF& rect, const QBrush& fill);
void strokeCapsuleInside(QPainter& painter, const QRectF& rect, const QColor& color, qreal lineWidth);
// A dashed outline of the rounded rectangle, inside the edge like the solid
// one: dashes and gaps are lengths in points along the outline, starting at
// the top edge.
void strokeDashedRoundedInside(QPainter& painter, const QRectF& rect, qreal radius, const QColor& color,
                               qreal lineWidth, qreal dash, qreal gap);

// Draws the image (at its own pixel ratio) in bands of rows: Qt hands the
// blending of a tall image under a clip that is not a rectangle to its thread
// pool and waits for it, which costs more than the pixels.
void drawImageInBands(QPainter& painter, const QPointF& at, const QImage& image);

// The card surface: a continuous rounded rectangle filled with fill, with a
// 1-point hairline inside its edge.
void paintCard(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill);

} // namespace studio::shapes
