#include "design/style/PlaceholderArt.h"

#include "design/style/PictureBudget.h"

#include <QCache>
#include <QHash>
#include <QLinearGradient>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace studio {

std::uint64_t PlaceholderArt::stableHash(const QString& s)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const QByteArray bytes = s.toUtf8();
    for (const char c : bytes) {
        h ^= std::uint64_t(std::uint8_t(c));
        h *= 0x100000001b3ULL;
    }
    return h;
}

std::uint64_t PlaceholderArt::draw(std::uint64_t h, std::uint64_t k)
{
    std::uint64_t z = h + k * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

const std::array<std::array<std::uint32_t, 3>, 10>& PlaceholderArt::palettes()
{
    static const std::array<std::array<std::uint32_t, 3>, 10> list = {{
        {0x1B2430, 0x46586A, 0x9A8F7F},
        {0x231F1B, 0x6A5B49, 0xC9B79C},
        {0x10151C, 0x37506A, 0x6E8898},
        {0x241F26, 0x6A4A44, 0xA76D5B},
        {0x1A2026, 0x4F5E58, 0xD3C4A3},
        {0x141418, 0x3E3A45, 0x8E86A3},
        {0x1D2321, 0x3F5A4C, 0x96B49A},
        {0x26201A, 0x7A5A36, 0xD8B36C},
        {0x171C24, 0x2E4159, 0x7FA0BF},
        {0x221A1E, 0x5C3A4A, 0xB07A8C},
    }};
    return list;
}

ArtParameters PlaceholderArt::parameters(const QString& seed)
{
    const std::uint64_t h = stableHash(seed);
    std::uint64_t k = 0;
    const auto next = [&] { return draw(h, ++k); };
    ArtParameters a;
    a.paletteIndex = int(next() % 10);
    const auto& colours = palettes()[std::size_t(a.paletteIndex)];
    for (std::size_t i = 0; i < 3; ++i)
        a.colors[i] = QColor::fromRgb(QRgb(0xFF000000u | colours[i]));
    a.angle = int(next() % 360);
    a.glowX = double(next() % 1000) / 1000.0;
    a.glowY = double(next() % 500) / 1000.0 + 0.45;
    const int beams = (next() % 2 == 1) ? 2 : 1;
    for (int b = 0; b < beams; ++b) {
        ArtBeam beam;
        beam.x = double(next() % 1000) / 1000.0;
        beam.tilt = double(next() % 600) / 10.0 - 30.0;
        beam.width = int(next() % 90) + 30;
        beam.alpha = double(next() % 70) / 1000.0 + 0.05;
        a.beams.append(beam);
    }
    a.specks.reserve(speckCount);
    for (int s = 0; s < speckCount; ++s) {
        ArtSpeck speck;
        speck.x = double(next() % 1000) / 1000.0;
        speck.y = double(next() % 1000) / 1000.0;
        speck.alpha = double(next() % 50) / 1000.0 + 0.02;
        speck.white = next() % 2 == 0;
        a.specks.append(speck);
    }
    return a;
}

bool PlaceholderArt::isUsableSize(double width, double height)
{
    return std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0
        && width <= maximumSide && height <= maximumSide;
}

QString PlaceholderArt::cacheKey(const QString& seed, double width, double height)
{
    if (!isUsableSize(width, height))
        return QString();
    return seed + QLatin1Char('|') + QString::number(qint64(std::trunc(width))) + QLatin1Char('x')
        + QString::number(qint64(std::trunc(height)));
}

namespace {
QColor withAlpha(const QColor& c, double alpha)
{
    QColor out = c;
    out.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return out;
}

// A radial fill of the whole rectangle about a centre given in relative
// coordinates (-1..1 across each axis, 0 at the middle), reaching the end
// colour at the rectangle's farthest corner.
void radialFill(QPainter& p, const QRectF& r, QPointF relativeCentre, const QColor& from, const QColor& to)
{
    const QPointF c(r.center().x() + relativeCentre.x() * r.width() / 2.0,
                    r.center().y() + relativeCentre.y() * r.height() / 2.0);
    qreal radius = 0;
    for (const QPointF& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        radius = std::max(radius, std::hypot(corner.x() - c.x(), corner.y() - c.y()));
    if (radius <= 0)
        return;
    QRadialGradient g(c, radius);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(r, g);
}
} // namespace

void PlaceholderArt::paint(QPainter& p, const QSizeF& size, const ArtParameters& a)
{
    const double W = size.width();
    const double H = size.height();
    if (!(W > 0) || !(H > 0))
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // The picture is composed with the origin at the bottom left and y up.
    p.translate(0, H);
    p.scale(1, -1);
    const QRectF rect(0, 0, W, H);

    // Base: dark, mid, light across the rectangle in the direction of angle.
    const double rad = a.angle * std::numbers::pi / 180.0;
    const QPointF dir(std::cos(rad), std::sin(rad));
    const double length = std::abs(W * dir.x()) + std::abs(H * dir.y());
    const QPointF centre = rect.center();
    QLinearGradient base(centre - dir * (length / 2.0), centre + dir * (length / 2.0));
    base.setColorAt(0.0, a.colors[0]);
    base.setColorAt(0.5, a.colors[1]);
    base.setColorAt(1.0, a.colors[2]);
    p.fillRect(rect, base);

    // Beams: bands through the vertical middle, long enough for any tilt.
    for (const ArtBeam& beam : a.beams) {
        p.save();
        p.translate(beam.x * W, H * 0.5);
        p.rotate(beam.tilt);
        p.fillRect(QRectF(-beam.width / 2.0, -H, beam.width, 2 * H), withAlpha(Qt::white, beam.alpha));
        p.restore();
    }

    // Glow and vignette.
    radialFill(p, rect, QPointF(2 * a.glowX - 1, 2 * a.glowY - 1), withAlpha(Qt::white, 0.16),
               withAlpha(Qt::white, 0.0));
    radialFill(p, rect, QPointF(0, 0), withAlpha(Qt::black, 0.0), withAlpha(Qt::black, 0.42));

    // Grain.
    p.setPen(Qt::NoPen);
    for (const ArtSpeck& s : a.specks)
        p.fillRect(QRectF(s.x * W, s.y * H, 1.2, 1.2), withAlpha(s.white ? Qt::white : Qt::black, s.alpha));
    p.restore();
}

namespace {
struct ArtCache {
    QMutex mutex;
    // Composed size per key: the first size asked for wins.
    QHash<QString, QSizeF> sizes;
    // Rendered pictures per key and pixel ratio, within their share of the
    // process's pictures (design/style/PictureBudget.h).
    QCache<QString, QImage> images{pictureBudget::placeholderArt};
};

ArtCache& cache()
{
    static ArtCache c;
    return c;
}
} // namespace

QImage PlaceholderArt::image(const QString& seed, double width, double height, double devicePixelRatio)
{
    const QString key = cacheKey(seed, width, height);
    if (key.isEmpty())
        return QImage();
    if (!std::isfinite(devicePixelRatio) || devicePixelRatio <= 0)
        devicePixelRatio = 1.0;
    devicePixelRatio = std::clamp(devicePixelRatio, 0.25, 4.0);
    ArtCache& c = cache();
    QSizeF size;
    const QString imageKey = key + QLatin1Char('@') + QString::number(devicePixelRatio, 'f', 2);
    {
        QMutexLocker lock(&c.mutex);
        if (const QImage* found = c.images.object(imageKey))
            return *found;
        size = c.sizes.value(key);
        if (size.isEmpty()) {
            size = QSizeF(width, height);
            c.sizes.insert(key, size);
        }
    }
    const QSize pixels(std::max(1, int(std::ceil(size.width() * devicePixelRatio - 1e-9))),
                       std::max(1, int(std::ceil(size.height() * devicePixelRatio - 1e-9))));
    if (double(pixels.width()) * double(pixels.height()) > maximumPixels)
        return QImage();
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return QImage();
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.scale(pixels.width() / size.width(), pixels.height() / size.height());
        paint(p, size, parameters(seed));
    }
    img.setDevicePixelRatio(devicePixelRatio);
    QMutexLocker lock(&c.mutex);
    c.images.insert(imageKey, new QImage(img), pictureBudget::cost(img.sizeInBytes()));
    return img;
}

void PlaceholderArt::clearCache()
{
    ArtCache& c = cache();
    QMutexLocker lock(&c.mutex);
    c.images.clear();
    c.sizes.clear();
}

} // namespace studio
