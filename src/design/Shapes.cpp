#include "design/Shapes.h"

#include "design/Palette.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace studio::shapes {

namespace {
// Continuous corners reach 1.52866483 radii along each edge; the curve is
// three cubic segments per corner (the commonly used approximation of the
// smooth-corner shape).
constexpr qreal reach = 1.52866483;

void addCircularRounded(QPainterPath& path, const QRectF& r, qreal radius)
{
    radius = std::min({radius, r.width() / 2.0, r.height() / 2.0});
    path.addRoundedRect(r, radius, radius);
}
} // namespace

QPainterPath roundedRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    if (r.isEmpty())
        return path;
    if (!(radius > 0)) {
        path.addRect(r);
        return path;
    }
    const qreal limit = std::min(r.width(), r.height()) / 2.0;
    if (radius * reach > limit) {
        addCircularRounded(path, r, radius);
        return path;
    }
    const qreal x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
    const qreal k = radius;
    path.moveTo(x0 + reach * k, y0);
    // top edge, top-right corner
    path.lineTo(x1 - reach * k, y0);
    path.cubicTo(x1 - 1.08849323 * k, y0, x1 - 0.86840694 * k, y0, x1 - 0.63149399 * k, y0 + 0.07491100 * k);
    path.cubicTo(x1 - 0.37282392 * k, y0 + 0.16905806 * k, x1 - 0.16905806 * k, y0 + 0.37282392 * k,
                 x1 - 0.07491100 * k, y0 + 0.63149399 * k);
    path.cubicTo(x1, y0 + 0.86840694 * k, x1, y0 + 1.08849323 * k, x1, y0 + reach * k);
    // right edge, bottom-right corner
    path.lineTo(x1, y1 - reach * k);
    path.cubicTo(x1, y1 - 1.08849323 * k, x1, y1 - 0.86840694 * k, x1 - 0.07491100 * k, y1 - 0.63149399 * k);
    path.cubicTo(x1 - 0.16905806 * k, y1 - 0.37282392 * k, x1 - 0.37282392 * k, y1 - 0.16905806 * k,
                 x1 - 0.63149399 * k, y1 - 0.07491100 * k);
    path.cubicTo(x1 - 0.86840694 * k, y1, x1 - 1.08849323 * k, y1, x1 - reach * k, y1);
    // bottom edge, bottom-left corner
    path.lineTo(x0 + reach * k, y1);
    path.cubicTo(x0 + 1.08849323 * k, y1, x0 + 0.86840694 * k, y1, x0 + 0.63149399 * k, y1 - 0.07491100 * k);
    path.cubicTo(x0 + 0.37282392 * k, y1 - 0.16905806 * k, x0 + 0.16905806 * k, y1 - 0.37282392 * k,
                 x0 + 0.07491100 * k, y1 - 0.63149399 * k);
    path.cubicTo(x0, y1 - 0.86840694 * k, x0, y1 - 1.08849323 * k, x0, y1 - reach * k);
    // left edge, top-left corner
    path.lineTo(x0, y0 + reach * k);
    path.cubicTo(x0, y0 + 1.08849323 * k, x0, y0 + 0.86840694 * k, x0 + 0.07491100 * k, y0 + 0.63149399 * k);
    path.cubicTo(x0 + 0.16905806 * k, y0 + 0.37282392 * k, x0 + 0.37282392 * k, y0 + 0.16905806 * k,
                 x0 + 0.63149399 * k, y0 + 0.07491100 * k);
    path.cubicTo(x0 + 0.86840694 * k, y0, x0 + 1.08849323 * k, y0, x0 + reach * k, y0);
    path.closeSubpath();
    return path;
}

QPainterPath capsule(const QRectF& r)
{
    QPainterPath path;
    if (r.isEmpty())
        return path;
    const qreal radius = std::min(r.width(), r.height()) / 2.0;
    path.addRoundedRect(r, radius, radius);
    return path;
}

namespace {
QRectF inset(const QRectF& r, qreal by)
{
    return r.adjusted(by, by, -by, -by);
}
} // namespace

void fillRounded(QPainter& p, const QRectF& rect, qreal radius, const QBrush& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(roundedRect(rect, radius));
    p.restore();
}

void strokeRoundedInside(QPainter& p, const QRectF& rect, qreal radius, const QColor& color,
                         qreal lineWidth)
{
    if (lineWidth <= 0 || color.alpha() == 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(color, lineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(inset(rect, lineWidth / 2.0), std::max<qreal>(0, radius - lineWidth / 2.0)));
    p.restore();
}

void fillCapsule(QPainter& p, const QRectF& rect, const QBrush& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(capsule(rect));
    p.restore();
}

void strokeCapsuleInside(QPainter& p, const QRectF& rect, const QColor& color, qreal lineWidth)
{
    if (lineWidth <= 0 || color.alpha() == 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(color, lineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(capsule(inset(rect, lineWidth / 2.0)));
    p.restore();
}

void strokeDashedRoundedInside(QPainter& p, const QRectF& rect, qreal radius, const QColor& color, qreal lineWidth,
                               qreal dash, qreal gap)
{
    if (lineWidth <= 0 || color.alpha() == 0 || dash <= 0)
        return;
    if (!(gap > 0)) {
        strokeRoundedInside(p, rect, radius, color, lineWidth);
        return;
    }
    // Qt measures a dash pattern in line widths.
    QPen pen(color, lineWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({dash / lineWidth, gap / lineWidth});
    pen.setMiterLimit(10);
    pen.setDashOffset(0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(inset(rect, lineWidth / 2.0), std::max<qreal>(0, radius - lineWidth / 2.0)));
    p.restore();
}

void paintCard(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill)
{
    fillRounded(p, rect, radius, fill);
    strokeRoundedInside(p, rect, radius, Palette::hairline(), 1.0);
}

} // namespace studio::shapes
