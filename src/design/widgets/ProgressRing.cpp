#include "design/widgets/ProgressRing.h"

#include "design/style/Palette.h"
#include "design/style/Spring.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace studio {

ProgressRing::ProgressRing(qreal size, qreal lineWidth, QWidget* parent)
    : QWidget(parent)
    , m_lineWidth(std::max<qreal>(0.5, lineWidth))
    , m_spring(new Spring(0.5, 0.8, this))
{
    const int side = std::max(1, int(std::ceil(size)));
    setFixedSize(side, side);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_spring, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
}

double ProgressRing::clampedFraction(double value)
{
    if (!std::isfinite(value))
        return value > 0 ? 1.0 : 0.0;
    return std::clamp(value, 0.0, 1.0);
}

void ProgressRing::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    const double target = clampedFraction(value);
    if (isVisible())
        m_spring->setTarget(target);
    else
        m_spring->jumpTo(target);
}

double ProgressRing::shownFraction() const
{
    return std::clamp(m_spring->value(), 0.0, 1.0);
}

void ProgressRing::paint(QPainter& p, const QRectF& square, double fraction, qreal lineWidth)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // The stroke stays inside the frame: a widget cannot paint past its edge.
    const qreal inset = lineWidth / 2.0;
    const QRectF circle = square.adjusted(inset, inset, -inset, -inset);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Palette::hairlineStrong(), lineWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(circle);
    const double f = clampedFraction(fraction);
    if (f > 0) {
        p.setPen(QPen(Palette::gold(), lineWidth, Qt::SolidLine, Qt::RoundCap));
        if (f >= 1.0)
            p.drawEllipse(circle);
        else // Qt angles run counter-clockwise from 3 o'clock in 1/16 degrees.
            p.drawArc(circle, 90 * 16, -int(std::lround(f * 360.0 * 16)));
    }
    p.restore();
}

void ProgressRing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, QRectF(rect()), shownFraction(), m_lineWidth);
}

} // namespace studio
