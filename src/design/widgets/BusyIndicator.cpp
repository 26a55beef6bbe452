#include "design/widgets/BusyIndicator.h"

#include "design/style/Palette.h"
#include "design/style/ReduceMotion.h"

#include <QPainter>
#include <QTimer>

#include <cmath>

namespace studio {

namespace {
constexpr int frameMs = 33;
constexpr qreal degreesPerFrame = 360.0 * frameMs / 1000.0;
} // namespace

BusyIndicator::BusyIndicator(qreal size, QWidget* parent)
    : QWidget(parent)
    , m_size(size)
    , m_reduceMotion(ReduceMotion::systemPrefersReducedMotion())
    , m_timer(new QTimer(this))
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TranslucentBackground);
    m_timer->setInterval(frameMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_angle = std::fmod(m_angle + degreesPerFrame, 360.0);
        update();
    });
}

QSize BusyIndicator::sizeHint() const
{
    const int s = int(std::ceil(m_size));
    return QSize(s, s);
}

void BusyIndicator::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_reduceMotion)
        m_timer->start();
}

void BusyIndicator::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer->stop();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal line = std::max<qreal>(1.5, m_size / 8.0);
    const QRectF r = QRectF(rect()).adjusted(line / 2 + 0.5, line / 2 + 0.5, -line / 2 - 0.5, -line / 2 - 0.5);
    QPen track(Palette::hairlineStrong(), line);
    p.setPen(track);
    p.drawEllipse(r);
    QPen arc(Palette::textSecondary(), line, Qt::SolidLine, Qt::RoundCap);
    p.setPen(arc);
    // Qt counts angles counter-clockwise in 1/16 degree; the arc turns clockwise.
    const int start = int((90.0 - m_angle) * 16);
    p.drawArc(r, start, -100 * 16);
}

} // namespace studio
