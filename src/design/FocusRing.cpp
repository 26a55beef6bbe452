#include "design/FocusRing.h"

#include "design/Palette.h"
#include "design/Shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace studio {

namespace {
// Whole pixels at the base scale, so neither line is smeared across two.
constexpr qreal lightWidth = 2;
constexpr qreal darkWidth = FocusRing::width - lightWidth;

QRectF inset(const QRectF& rect, qreal by)
{
    return rect.adjusted(by, by, -by, -by);
}

const QColor& light()
{
    return Palette::textPrimary();
}

const QColor& dark()
{
    return Palette::buttonInk();
}
} // namespace

void FocusRing::paintRounded(QPainter& p, const QRectF& rect, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeRoundedInside(p, rect, radius, light(), lightWidth);
    shapes::strokeRoundedInside(p, inset(rect, lightWidth), std::max<qreal>(0, radius - lightWidth), dark(),
                                darkWidth);
    p.restore();
}

void FocusRing::paintCapsule(QPainter& p, const QRectF& rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeCapsuleInside(p, rect, light(), lightWidth);
    shapes::strokeCapsuleInside(p, inset(rect, lightWidth), dark(), darkWidth);
    p.restore();
}

void FocusRing::paintCircle(QPainter& p, const QRectF& rect)
{
    const qreal side = std::min(rect.width(), rect.height());
    paintCapsule(p, QRectF(rect.center() - QPointF(side, side) / 2.0, QSizeF(side, side)));
}

} // namespace studio
