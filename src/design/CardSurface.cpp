#include "design/CardSurface.h"

#include "design/Palette.h"
#include "design/Shapes.h"

#include <QPainter>

namespace studio {

CardSurface::CardSurface(qreal radius, const QColor& fill, QWidget* parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_fill(fill)
    , m_border(Palette::hairline())
{
}

void CardSurface::setRadius(qreal radius)
{
    m_radius = radius;
    update();
}

void CardSurface::setFill(const QColor& fill)
{
    if (fill == m_fill)
        return;
    m_fill = fill;
    update();
}

void CardSurface::setBorder(const QColor& color, qreal width)
{
    if (color == m_border && width == m_borderWidth)
        return;
    m_border = color;
    m_borderWidth = width;
    update();
}

void CardSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF r = rect();
    shapes::fillRounded(p, r, m_radius, m_fill);
    shapes::strokeRoundedInside(p, r, m_radius, m_border, m_borderWidth);
}

} // namespace studio
