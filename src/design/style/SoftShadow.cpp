#include "design/style/SoftShadow.h"

#include "design/style/PictureBudget.h"
#include "design/style/Shapes.h"

#include <QCache>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace studio {

namespace {

QCache<QString, QImage>& cache()
{
    // A card's shadow is a few hundred kilobytes; bounded by the shadows'
    // share of the process's pictures (design/style/PictureBudget.h).
    static QCache<QString, QImage> images(pictureBudget::softShadows);
    return images;
}

// One pass of a running-sum box blur of width 2r+1 along rows (or columns)
// of the alpha bytes.
void boxBlur(std::vector<int>& alpha, int width, int height, int r, bool horizontal)
{
    if (r <= 0)
        return;
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int step = horizontal ? 1 : width;
    const int window = 2 * r + 1;
    std::vector<int> line(std::size_t(length), 0);
    for (int l = 0; l < lines; ++l) {
        const int start = horizontal ? l * width : l;
        for (int i = 0; i < length; ++i)
            line[std::size_t(i)] = alpha[std::size_t(start + i * step)];
        int sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += (i >= 0 && i < length) ? line[std::size_t(i)] : 0;
        for (int i = 0; i < length; ++i) {
            alpha[std::size_t(start + i * step)] = (sum + window / 2) / window;
            const int out = i - r;
            const int in = i + r + 1;
            if (out >= 0)
                sum -= line[std::size_t(out)];
            if (in < length)
                sum += line[std::size_t(in)];
        }
    }
}

} // namespace

qreal SoftShadow::reach(qreal blur)
{
    return std::ceil(std::max<qreal>(0, blur) * 1.5);
}

QImage SoftShadow::image(const QSizeF& size, qreal radius, const QColor& opaqueColor, qreal blur,
                         qreal devicePixelRatio)
{
    if (!(size.width() > 0 && size.height() > 0) || size.width() > 8192 || size.height() > 8192)
        return QImage();
    const qreal dpr = std::clamp<qreal>(devicePixelRatio, 1.0, 4.0);
    const QString key = QStringLiteral("%1x%2|%3|%4|%5@%6")
                            .arg(size.width(), 0, 'f', 1)
                            .arg(size.height(), 0, 'f', 1)
                            .arg(radius, 0, 'f', 1)
                            .arg(blur, 0, 'f', 1)
                            .arg(opaqueColor.rgb(), 0, 16)
                            .arg(dpr, 0, 'f', 2);
    if (const QImage* found = cache().object(key))
        return *found;

    const qreal margin = reach(blur);
    const QSize pixels = (QSizeF(size.width() + 2 * margin, size.height() + 2 * margin) * dpr).toSize();
    QImage shape(pixels, QImage::Format_Alpha8);
    shape.fill(0);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(dpr, dpr);
        p.fillPath(shapes::roundedRect(QRectF(QPointF(margin, margin), size), radius), Qt::black);
    }

    // Three box passes approximate a Gaussian of deviation blur / 2.
    const int w = pixels.width(), h = pixels.height();
    std::vector<int> alpha(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const uchar* row = shape.constScanLine(y);
        for (int x = 0; x < w; ++x)
            alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)] = row[x];
    }
    const qreal sigma = blur / 2.0 * dpr;
    const int r = int(std::lround(std::sqrt(4.0 * sigma * sigma + 1.0) / 2.0));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(alpha, w, h, r, true);
        boxBlur(alpha, w, h, r, false);
    }

    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    const QRgb c = opaqueColor.rgb();
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = std::clamp(alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)], 0, 255);
            row[x] = qPremultiply(qRgba(qRed(c), qGreen(c), qBlue(c), a));
        }
    }
    out.setDevicePixelRatio(dpr);
    cache().insert(key, new QImage(out), pictureBudget::cost(out.sizeInBytes()));
    return out;
}

void SoftShadow::paint(QPainter& painter, const QRectF& shape, qreal radius, const QColor& color, qreal blur,
                       const QPointF& offset)
{
    if (color.alpha() == 0 || shape.isEmpty())
        return;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QColor opaque = color;
    opaque.setAlpha(255);
    const QImage img = image(shape.size(), radius, opaque, blur, dpr);
    if (img.isNull())
        return;
    const qreal margin = reach(blur);
    painter.save();
    painter.setOpacity(painter.opacity() * color.alphaF());
    painter.drawImage(shape.translated(offset).adjusted(-margin, -margin, margin, margin), img);
    painter.restore();
}

void SoftShadow::clearCache()
{
    cache().clear();
}

} // namespace studio
