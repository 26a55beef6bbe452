#include "design/ArtThumb.h"

#include "design/PlaceholderArt.h"
#include "design/Shapes.h"

#include <QPainter>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace studio {

ArtThumb::ArtThumb(const QString& seed, qreal width, qreal height, QWidget* parent)
    : QWidget(parent)
    , m_seed(seed)
    , m_size(width, height)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void ArtThumb::setSeed(const QString& seed)
{
    if (seed == m_seed)
        return;
    m_seed = seed;
    update();
}

void ArtThumb::setArtSize(qreal width, qreal height)
{
    const QSizeF size(width, height);
    if (size == m_size)
        return;
    m_size = size;
    updateGeometry();
    update();
}

void ArtThumb::setCornerRadius(qreal radius)
{
    m_radius = radius;
    update();
}

QSize ArtThumb::sizeHint() const
{
    if (!PlaceholderArt::isUsableSize(m_size.width(), m_size.height()))
        return QSize(0, 0);
    return QSize(int(std::ceil(m_size.width())), int(std::ceil(m_size.height())));
}

void ArtThumb::paint(QPainter& p, const QRectF& target, const QString& seed, qreal width, qreal height,
                     qreal radius)
{
    if (target.isEmpty())
        return;
    // Render at the resolution the picture will be shown at, so scaling up to
    // fill a larger frame stays sharp.
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const qreal fill = (width > 0 && height > 0)
        ? std::max(target.width() / width, target.height() / height)
        : 1.0;
    // Pixel ratios in half steps, so resizing does not fill the cache with
    // near-identical renderings.
    const qreal ratio = std::clamp(std::ceil(dpr * std::max<qreal>(1.0, fill) * 2.0 - 1e-6) / 2.0, 1.0, 4.0);
    const QImage img = PlaceholderArt::image(seed, width, height, ratio);
    if (img.isNull())
        return;
    const QSizeF logical = QSizeF(img.size()) / img.devicePixelRatio();
    const qreal scale = std::max(target.width() / logical.width(), target.height() / logical.height());
    const QSizeF shown = logical * scale;
    const QRectF dest(target.center().x() - shown.width() / 2.0, target.center().y() - shown.height() / 2.0,
                      shown.width(), shown.height());
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (radius > 0)
        p.setClipPath(shapes::roundedRect(target, radius), Qt::IntersectClip);
    else
        p.setClipRect(target, Qt::IntersectClip);
    p.drawImage(dest, img);
    p.restore();
}

void ArtThumb::paintEvent(QPaintEvent*)
{
    // Screens repaint often (hover, the backdrop, scrolling); the scaled and
    // clipped picture is kept so a repaint is a plain copy.
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (m_rendered.size() != pixels || m_rendered.devicePixelRatio() != dpr || m_renderedSeed != m_seed
        || m_renderedArt != m_size || m_renderedRadius != m_radius) {
        m_rendered = QPixmap(pixels);
        m_rendered.setDevicePixelRatio(dpr);
        m_rendered.fill(Qt::transparent);
        QPainter cache(&m_rendered);
        paint(cache, QRectF(rect()), m_seed, m_size.width(), m_size.height(), m_radius);
        m_renderedSeed = m_seed;
        m_renderedArt = m_size;
        m_renderedRadius = m_radius;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_rendered);
}

} // namespace studio
