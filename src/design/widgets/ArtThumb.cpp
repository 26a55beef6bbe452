#include "design/widgets/ArtThumb.h"

#include "design/style/PictureBudget.h"
#include "design/style/PlaceholderArt.h"
#include "design/style/Shapes.h"

#include <QCache>
#include <QMutex>
#include <QMutexLocker>
#include <QPaintDevice>
#include <QPainter>

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

namespace {

// Draws the picture straight into the painter: the composition at the
// resolution it will be shown at, scaled to fill target and clipped to it.
void paintScaled(QPainter& p, const QRectF& target, const QString& seed, qreal width, qreal height, qreal radius)
{
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

// Framed pictures (scaled, cropped and rounded for one frame) shared by
// every card and thumbnail: a screen opened again, or a list scrolled back,
// copies them instead of scaling the composition afresh. Bounded by their
// share of the process's pictures (design/style/PictureBudget.h).
struct FramedArt {
    QMutex mutex;
    QCache<QString, QImage> images{pictureBudget::framedArt};
};

FramedArt& framed()
{
    static FramedArt cache;
    return cache;
}

} // namespace

void ArtThumb::paint(QPainter& p, const QRectF& target, const QString& seed, qreal width, qreal height,
                     qreal radius)
{
    if (target.isEmpty())
        return;
    // A frame drawn rotated or scaled is drawn directly: its pixels depend on
    // the whole transform.
    if (!PlaceholderArt::isUsableSize(width, height) || p.combinedTransform().type() > QTransform::TxTranslate || !p.device()) {
        paintScaled(p, target, seed, width, height, radius);
        return;
    }
    // The frame lands on whole device pixels plus a fraction; the framed
    // picture is drawn with that same fraction, so copying it at the whole
    // pixels gives the picture drawing it directly would.
    const qreal dpr = p.device()->devicePixelRatioF();
    const QTransform device = p.deviceTransform();
    const QPointF origin = device.map(target.topLeft());
    const QPointF whole(std::floor(origin.x()), std::floor(origin.y()));
    const QPointF fraction = origin - whole;
    const QSize pixels(int(std::ceil(fraction.x() + target.width() * dpr)),
                       int(std::ceil(fraction.y() + target.height() * dpr)));
    if (double(pixels.width()) * double(pixels.height()) > PlaceholderArt::maximumPixels)
        return;
    const auto number = [](qreal v) { return QString::number(v, 'g', 17); };
    // Everything the framed picture depends on; the seed comes first, so no
    // two keys read alike.
    const QString key = seed + u'|' + number(width) + u'x' + number(height) + u'|' + number(target.width()) + u'x'
        + number(target.height()) + u'|' + number(radius) + u'@' + number(dpr) + u'+' + number(fraction.x()) + u','
        + number(fraction.y());

    FramedArt& cache = framed();
    QImage picture;
    {
        QMutexLocker lock(&cache.mutex);
        if (const QImage* found = cache.images.object(key))
            picture = *found;
    }
    if (picture.isNull()) {
        picture = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull())
            return;
        picture.setDevicePixelRatio(dpr);
        picture.fill(Qt::transparent);
        {
            QPainter q(&picture);
            q.translate(fraction / dpr - target.topLeft());
            paintScaled(q, target, seed, width, height, radius);
        }
        QMutexLocker lock(&cache.mutex);
        cache.images.insert(key, new QImage(picture), pictureBudget::cost(picture.sizeInBytes()));
    }
    shapes::drawImageInBands(p, device.inverted().map(whole), picture);
}

void ArtThumb::clearCache()
{
    FramedArt& cache = framed();
    QMutexLocker lock(&cache.mutex);
    cache.images.clear();
}

void ArtThumb::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, QRectF(rect()), m_seed, m_size.width(), m_size.height(), m_radius);
}

} // namespace studio
