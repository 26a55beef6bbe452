#include "views/phases/story/PulseLine.h"

#include "design/style/Palette.h"
#include "design/style/Tokens.h"
#include "views/phases/story/ChargeStyle.h"
#include "state/rules/StoryRules.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace studio {

namespace {
// Points far beyond the surface are drawn at this distance instead: the
// visible part of a line running there is the same, and the painter is never
// handed coordinates it would refuse.
constexpr qreal reach = 10000;

QPointF drawable(const QPointF& point, const QSizeF& size)
{
    return QPointF(point.x(), std::clamp(point.y(), -reach, size.height() + reach));
}
} // namespace

PulseLine::PulseLine(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(150, 24);
}

void PulseLine::setCharges(const QList<double>& charges)
{
    if (charges == m_charges)
        return;
    m_charges = charges;
    update();
}

void PulseLine::paintEvent(QPaintEvent*)
{
    if (m_charges.size() < 2)
        return;
    const QSizeF size = this->size();
    const QList<rules::PulsePoint> points = rules::pulsePoints(m_charges, size);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);

    const qreal mid = size.height() * 0.5;
    p.setPen(QPen(Palette::white(level::hairline), 1.0));
    p.drawLine(QPointF(0, mid), QPointF(size.width(), mid));

    if (!points.isEmpty()) {
        QPainterPath line(drawable(points.first().position, size));
        for (qsizetype i = 1; i < points.size(); ++i)
            line.lineTo(drawable(points[i].position, size));
        p.setPen(QPen(Palette::withOpacity(Palette::gold(), 0.75), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(line);
    }

    p.setPen(Qt::NoPen);
    for (const rules::PulsePoint& point : points) {
        if (point.position.y() < -reach || point.position.y() > size.height() + reach)
            continue;
        p.setBrush(story::pulseDotColor(point.state));
        p.drawEllipse(QRectF(point.position.x() - 2, point.position.y() - 2, 4, 4));
    }
}

} // namespace studio
