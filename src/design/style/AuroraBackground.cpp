#include "design/style/AuroraBackground.h"

#include "design/style/ReduceMotion.h"

#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
// 2001-01-01 00:00:00 UTC in seconds since the Unix epoch.
constexpr double referenceEpoch = 978307200.0;
} // namespace

AuroraBackground::AuroraBackground(QWidget* parent)
    : QWidget(parent)
    , m_reduceMotion(ReduceMotion::systemPrefersReducedMotion())
    , m_clock(&AuroraBackground::referenceTime)
    , m_timer(new QTimer(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_timer->setInterval(intervalMs);
    m_timer->setTimerType(Qt::CoarseTimer);
    connect(m_timer, &QTimer::timeout, this, &AuroraBackground::tick);
}

double AuroraBackground::referenceTime()
{
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - referenceEpoch;
}

void AuroraBackground::setClock(std::function<double()> clock)
{
    m_clock = clock ? std::move(clock) : std::function<double()>(&AuroraBackground::referenceTime);
    if (isRunning())
        renderAt(m_clock(), false);
}

std::array<MeshPoint, 9> AuroraBackground::meshPoints(double t)
{
    const float a = float(std::sin(0.13 * t));
    const float b = float(std::cos(0.09 * t));
    const float c = float(std::sin(0.07 * t + 1.3));
    return {{
        {0.0f, 0.0f},
        {0.5f + 0.06f * a, 0.0f},
        {1.0f, 0.0f},
        {0.0f, 0.5f + 0.05f * b},
        {0.48f + 0.1f * a, 0.46f + 0.09f * b},
        {1.0f, 0.5f + 0.06f * c},
        {0.0f, 1.0f},
        {0.5f + 0.05f * b, 1.0f},
        {1.0f, 1.0f},
    }};
}

const std::array<QColor, 9>& AuroraBackground::meshColors()
{
    static const std::array<QColor, 9> colors = {{
        QColor(0x0B, 0x0B, 0x0D),
        QColor(0x10, 0x10, 0x13),
        QColor(0x0D, 0x0E, 0x11),
        QColor(0x11, 0x11, 0x14),
        QColor(0x17, 0x16, 0x1A),
        QColor(0x12, 0x14, 0x17),
        QColor(0x0E, 0x0D, 0x10),
        QColor(0x13, 0x12, 0x10),
        QColor(0x0C, 0x0C, 0x0E),
    }};
    return colors;
}

MeshGradient AuroraBackground::mesh(double t)
{
    return MeshGradient{meshPoints(t), meshColors()};
}

QImage AuroraBackground::renderMesh(const QSize& size, double t)
{
    if (size.isEmpty())
        return QImage();
    QImage img(size, QImage::Format_RGB32);
    img.fill(meshColors()[4]);
    mesh(t).render(img);
    return img;
}

void AuroraBackground::setAnimated(bool animated)
{
    if (animated == m_animated)
        return;
    m_animated = animated;
    syncTimer();
}

void AuroraBackground::setReduceMotion(bool reduce)
{
    if (reduce == m_reduceMotion)
        return;
    m_reduceMotion = reduce;
    syncTimer();
}

void AuroraBackground::syncTimer()
{
    if (isRunning() && isVisible()) {
        if (!m_timer->isActive())
            m_timer->start();
        renderAt(m_clock(), false);
    } else {
        m_timer->stop();
        // Stopped, the picture is exactly the one at time 0, even when the
        // moving picture was within the repaint threshold of it.
        if (isRunning())
            renderAt(m_clock(), false);
        else
            renderAt(0.0, m_time != 0.0);
    }
}

QSize AuroraBackground::smallSize() const
{
    return QSize(std::max(4, (width() + scaleDown - 1) / scaleDown), std::max(4, (height() + scaleDown - 1) / scaleDown));
}

void AuroraBackground::tick()
{
    if (!isRunning() || !isVisible())
        return;
    renderAt(m_clock(), false);
}

void AuroraBackground::renderAt(double t, bool force)
{
    if (width() <= 0 || height() <= 0)
        return;
    const QImage next = renderMesh(smallSize(), t);
    const bool sizeChanged = m_small.size() != next.size() || m_scaled.size() != size();
    QRect dirty(QPoint(0, 0), next.size());
    if (!force && !sizeChanged) {
        // The mesh drifts by a fraction of a colour level per tick, a few
        // scattered pixels at a time, and repainting for that would repaint
        // every card in front of the backdrop ten times a second. The picture
        // on screen is replaced once some pixel is off by changeThreshold
        // levels; it then catches up everywhere at once.
        int x0 = next.width(), y0 = next.height(), x1 = -1, y1 = -1;
        int largest = 0;
        for (int y = 0; y < next.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(next.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(m_small.constScanLine(y));
            for (int x = 0; x < next.width(); ++x) {
                if (a[x] == b[x])
                    continue;
                largest = std::max({largest, std::abs(qRed(a[x]) - qRed(b[x])),
                                    std::abs(qGreen(a[x]) - qGreen(b[x])), std::abs(qBlue(a[x]) - qBlue(b[x]))});
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
        if (largest < changeThreshold)
            return;
        // Smooth scaling blends each pixel with its neighbours.
        dirty = QRect(QPoint(x0, y0), QPoint(x1, y1)).adjusted(-1, -1, 1, 1).intersected(next.rect());
    }
    m_small = next;
    m_time = t;
    if (m_scaled.size() != size()) {
        m_scaled = QImage(size(), QImage::Format_RGB32);
        dirty = QRect(QPoint(0, 0), next.size());
    }
    const double sx = double(width()) / next.width();
    const double sy = double(height()) / next.height();
    const QRect target = QRect(int(std::floor(dirty.left() * sx)), int(std::floor(dirty.top() * sy)),
                               int(std::ceil(dirty.width() * sx)) + 1, int(std::ceil(dirty.height() * sy)) + 1)
                             .intersected(rect());
    {
        QPainter p(&m_scaled);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setClipRect(target);
        p.drawImage(QRectF(m_scaled.rect()), m_small);
    }
    update(target);
}

void AuroraBackground::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    if (m_scaled.size() != size()) {
        p.fillRect(event->rect(), meshColors()[4]);
        return;
    }
    for (const QRect& r : event->region())
        p.drawImage(r.topLeft(), m_scaled, r);
}

void AuroraBackground::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    renderAt(isRunning() ? m_clock() : 0.0, true);
}

void AuroraBackground::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    syncTimer();
}

void AuroraBackground::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer->stop();
}

} // namespace studio
