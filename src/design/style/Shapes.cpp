#include "design/style/Shapes.h"

#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"

#include <QBrush>
#include <QPainter>
#include <QPaintEngine>
#include <QPen>
#include <QThread>
#include <QCache>
#include <QCoreApplication>
#include <QImage>
#include <QVarLengthArray>

#include <memory>

#include <algorithm>
#include <bit>
#include <cmath>

namespace studio::shapes {

namespace {
// Continuous corners reach 1.52866483 radii along each edge; the curve is
// three cubic segments per corner (the commonly used approximation of the
// smooth-corner shape).
constexpr qreal reach = 1.52866483;

void addCircularRounded(QPainterPath& path, const QRectF& r, qreal radius)
{
    radius = std::min({radius, r.width() / 2.0, r.height() / 2.0});
    path.addRoundedRect(r, radius, radius);
}
} // namespace

QPainterPath roundedRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    if (r.isEmpty())
        return path;
    if (!(radius > 0)) {
        path.addRect(r);
        return path;
    }
    const qreal limit = std::min(r.width(), r.height()) / 2.0;
    if (radius * reach > limit) {
        addCircularRounded(path, r, radius);
        return path;
    }
    const qreal x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
    const qreal k = radius;
    path.moveTo(x0 + reach * k, y0);
    // top edge, top-right corner
    path.lineTo(x1 - reach * k, y0);
    path.cubicTo(x1 - 1.08849323 * k, y0, x1 - 0.86840694 * k, y0, x1 - 0.63149399 * k, y0 + 0.07491100 * k);
    path.cubicTo(x1 - 0.37282392 * k, y0 + 0.16905806 * k, x1 - 0.16905806 * k, y0 + 0.37282392 * k,
                 x1 - 0.07491100 * k, y0 + 0.63149399 * k);
    path.cubicTo(x1, y0 + 0.86840694 * k, x1, y0 + 1.08849323 * k, x1, y0 + reach * k);
    // right edge, bottom-right corner
    path.lineTo(x1, y1 - reach * k);
    path.cubicTo(x1, y1 - 1.08849323 * k, x1, y1 - 0.86840694 * k, x1 - 0.07491100 * k, y1 - 0.63149399 * k);
    path.cubicTo(x1 - 0.16905806 * k, y1 - 0.37282392 * k, x1 - 0.37282392 * k, y1 - 0.16905806 * k,
                 x1 - 0.63149399 * k, y1 - 0.07491100 * k);
    path.cubicTo(x1 - 0.86840694 * k, y1, x1 - 1.08849323 * k, y1, x1 - reach * k, y1);
    // bottom edge, bottom-left corner
    path.lineTo(x0 + reach * k, y1);
    path.cubicTo(x0 + 1.08849323 * k, y1, x0 + 0.86840694 * k, y1, x0 + 0.63149399 * k, y1 - 0.07491100 * k);
    path.cubicTo(x0 + 0.37282392 * k, y1 - 0.16905806 * k, x0 + 0.16905806 * k, y1 - 0.37282392 * k,
                 x0 + 0.07491100 * k, y1 - 0.63149399 * k);
    path.cubicTo(x0, y1 - 0.86840694 * k, x0, y1 - 1.08849323 * k, x0, y1 - reach * k);
    // left edge, top-left corner
    path.lineTo(x0, y0 + reach * k);
    path.cubicTo(x0, y0 + 1.08849323 * k, x0, y0 + 0.86840694 * k, x0 + 0.07491100 * k, y0 + 0.63149399 * k);
    path.cubicTo(x0 + 0.16905806 * k, y0 + 0.37282392 * k, x0 + 0.37282392 * k, y0 + 0.16905806 * k,
                 x0 + 0.63149399 * k, y0 + 0.07491100 * k);
    path.cubicTo(x0 + 0.86840694 * k, y0, x0 + 1.08849323 * k, y0, x0 + reach * k, y0);
    path.closeSubpath();
    return path;
}

QPainterPath capsule(const QRectF& r)
{
    QPainterPath path;
    if (r.isEmpty())
        return path;
    const qreal radius = std::min(r.width(), r.height()) / 2.0;
    path.addRoundedRect(r, radius, radius);
    return path;
}

namespace {
QRectF inset(const QRectF& r, qreal by)
{
    return r.adjusted(by, by, -by, -by);
}
} // namespace

namespace {

enum class Outline : quint8 { rounded, capsule };

// The radius the outline's corners are drawn with, and how far the curve of
// each corner reaches along its edges, for a rectangle in device pixels.
struct Corners {
    qreal radius = 0;
    qreal reach = 0;
};

Corners cornersFor(Outline outline, const QRectF& r, qreal radius)
{
    if (outline == Outline::capsule) {
        const qreal half = std::min(r.width(), r.height()) / 2.0;
        return {half, half};
    }
    if (!(radius > 0))
        return {0, 0};
    const qreal limit = std::min(r.width(), r.height()) / 2.0;
    if (radius * shapes::reach > limit) {
        const qreal circular = std::min({radius, r.width() / 2.0, r.height() / 2.0});
        return {circular, circular};
    }
    return {radius, radius * shapes::reach};
}

QPainterPath pathFor(Outline outline, const QRectF& r, const Corners& corners)
{
    if (outline == Outline::rounded)
        return roundedRect(r, corners.radius);
    QPainterPath path;
    if (!r.isEmpty())
        path.addRoundedRect(r, corners.radius, corners.radius);
    return path;
}

// Rounded shapes are drawn from small pictures cut in nine: the corners as
// they are, the straight stretches repeated. Besides sparing the path
// rasterizer, this keeps every piece under the height at which Qt's raster
// engine hands a fill to its thread pool and waits for it — for a card's
// hairline or a chip that wait costs far more than the pixels.
constexpr int stretch = 64;
// Larger pictures than this are not worth keeping: the shape is drawn as a
// path instead.
constexpr qsizetype largestPicture = 1024 * 1024;

QCache<QByteArray, QImage>& pictures()
{
    static QCache<QByteArray, QImage> cache(pictureBudget::shapes);
    return cache;
}

// One axis of the cut: `cells` whole pixels in the destination, of which the
// picture keeps `corner` at each end and `middle` between them, repeated.
struct Cut {
    int cells = 0;
    int corner = 0;
    int middle = 0;
    bool sliced() const { return middle > 0; }
    int pictureCells() const { return sliced() ? 2 * corner + middle : cells; }
};

Cut cutFor(qreal offset, qreal length, qreal reach)
{
    Cut cut;
    cut.cells = int(std::ceil(offset + length - 1e-9));
    cut.corner = int(std::ceil(offset + reach)) + 2;
    if (cut.cells <= 2 * cut.corner + stretch)
        return Cut{cut.cells, 0, 0};
    cut.middle = stretch;
    return cut;
}

// Draws the shape (filled when lineWidth is 0, else stroked inside its edge)
// from its cached picture. Returns false where the painter's state leaves the
// picture unfit, so the caller draws the path itself.
bool drawCut(QPainter& p, Outline outline, const QRectF& rect, qreal radius, const QColor& color, qreal lineWidth,
             qreal dash = 0, qreal gap = 0)
{
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || !(t.m11() > 0))
        return false;
    if (p.compositionMode() != QPainter::CompositionMode_SourceOver || !p.paintEngine()
        || p.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    if (!qApp || QThread::currentThread() != qApp->thread())
        return false;
    const qreal scale = t.m11();
    const QRectF device = t.mapRect(rect);
    if (device.isEmpty() || device.width() > 16384 || device.height() > 16384)
        return false;

    const qreal line = lineWidth * scale;
    const QPointF origin(std::floor(device.x()), std::floor(device.y()));
    const QPointF offset = device.topLeft() - origin;
    // The outline as the path would draw it: a stroke runs half its width
    // inside the edge.
    const QRectF drawn = line > 0 ? inset(QRectF(offset, device.size()), line / 2.0) : QRectF(offset, device.size());
    const Corners corners = cornersFor(outline, drawn, radius * scale - (line > 0 ? line / 2.0 : 0));
    const qreal reachIn = corners.reach + line;
    // Dashes run along the whole outline, so a dashed shape is kept whole.
    const bool dashed = dash > 0;
    const Cut across = dashed ? Cut{int(std::ceil(offset.x() + device.width() - 1e-9)), 0, 0}
                              : cutFor(offset.x(), device.width(), reachIn);
    const Cut down = dashed ? Cut{int(std::ceil(offset.y() + device.height() - 1e-9)), 0, 0}
                            : cutFor(offset.y(), device.height(), reachIn);
    const QSize pictureSize(across.pictureCells(), down.pictureCells());
    if (qsizetype(pictureSize.width()) * pictureSize.height() * 4 > largestPicture)
        return false;

    // The picture's shape has the real one's corners and fractional edges,
    // with the whole pixels the repeats stand for taken out of its middle.
    const QSizeF pictureShape(device.width() - (across.cells - pictureSize.width()),
                              device.height() - (down.cells - pictureSize.height()));
    // Everything the picture's pixels depend on. The scale is one of them:
    // the picture carries it as its pixel ratio, and the same device sizes
    // reached at another scale would be drawn from it at the wrong size.
    QByteArray key;
    {
        const auto q = [](qreal v) { return qint64(std::llround(v * 256)); };
        const qint64 parts[] = {std::bit_cast<qint64>(scale),
                                qint64(outline),
                                line > 0,
                                qint64(color.rgba64()),
                                pictureSize.width(),
                                pictureSize.height(),
                                q(offset.x()),
                                q(offset.y()),
                                q(pictureShape.width()),
                                q(pictureShape.height()),
                                q(radius * scale),
                                q(line),
                                q(dash / std::max<qreal>(lineWidth, 1e-9)),
                                q(gap / std::max<qreal>(lineWidth, 1e-9))};
        key = QByteArray(reinterpret_cast<const char*>(parts), sizeof parts);
    }
    QImage* picture = pictures().object(key);
    if (!picture) {
        auto made = std::make_unique<QImage>(pictureSize, QImage::Format_ARGB32_Premultiplied);
        made->fill(Qt::transparent);
        {
            QPainter painter(made.get());
            painter.setRenderHint(QPainter::Antialiasing, true);
            const QRectF shape(offset, pictureShape);
            if (line > 0) {
                QPen pen(color, line);
                if (dashed) {
                    // Qt measures a dash pattern in line widths.
                    pen = QPen(color, line, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
                    pen.setDashPattern({dash / lineWidth, gap / lineWidth});
                    pen.setMiterLimit(10);
                }
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                const QRectF inner = inset(shape, line / 2.0);
                painter.drawPath(pathFor(outline, inner, cornersFor(outline, inner, radius * scale - line / 2.0)));
            } else {
                painter.setPen(Qt::NoPen);
                painter.setBrush(color);
                painter.drawPath(pathFor(outline, shape, cornersFor(outline, shape, radius * scale)));
            }
        }
        made->setDevicePixelRatio(scale);
        picture = made.get();
        const auto cost = pictureBudget::cost(picture->sizeInBytes());
        pictures().insert(key, made.release(), cost);
    }

    // Every destination cell along one axis comes from a picture cell: the
    // corners from the ends, the middle from the repeated stretch.
    struct Piece {
        int at;     // destination cell
        int from;   // picture cell
        int length; // cells
    };
    const auto pieces = [](const Cut& cut) {
        QVarLengthArray<Piece, 8> out;
        if (!cut.sliced()) {
            for (int at = 0; at < cut.cells; at += stretch)
                out.append({at, at, std::min(stretch, cut.cells - at)});
            return out;
        }
        out.append({0, 0, cut.corner});
        const int end = cut.cells - cut.corner;
        for (int at = cut.corner; at < end; at += cut.middle)
            out.append({at, cut.corner, std::min(cut.middle, end - at)});
        out.append({end, cut.corner + cut.middle, cut.corner});
        return out;
    };
    const auto columns = pieces(across);
    const auto rows = pieces(down);
    const bool hollow = line > 0;
    const QTransform back = t.inverted();
    p.save();
    for (const Piece& row : rows) {
        const bool innerRow = down.sliced() && row.from == down.corner;
        for (const Piece& column : columns) {
            const bool innerColumn = across.sliced() && column.from == across.corner;
            // A stroke's middle is empty; skip drawing nothing.
            if (hollow && innerRow && innerColumn)
                continue;
            const QPointF at = back.map(origin + QPointF(column.at, row.at));
            p.drawImage(at, *picture, QRectF(column.from, row.from, column.length, row.length));
        }
    }
    p.restore();
    return true;
}

void drawPath(QPainter& p, const QPainterPath& path, const QPen& pen, const QBrush& brush)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(pen);
    p.setBrush(brush);
    p.drawPath(path);
    p.restore();
}

bool solid(const QBrush& brush)
{
    return brush.style() == Qt::SolidPattern && brush.transform().isIdentity();
}

} // namespace

void fillRounded(QPainter& p, const QRectF& rect, qreal radius, const QBrush& fill)
{
    if (solid(fill) && drawCut(p, Outline::rounded, rect, radius, fill.color(), 0))
        return;
    drawPath(p, roundedRect(rect, radius), Qt::NoPen, fill);
}

void strokeRoundedInside(QPainter& p, const QRectF& rect, qreal radius, const QColor& color,
                         qreal lineWidth)
{
    if (lineWidth <= 0 || color.alpha() == 0)
        return;
    if (drawCut(p, Outline::rounded, rect, radius, color, lineWidth))
        return;
    drawPath(p, roundedRect(inset(rect, lineWidth / 2.0), std::max<qreal>(0, radius - lineWidth / 2.0)),
             QPen(color, lineWidth), Qt::NoBrush);
}

void fillCapsule(QPainter& p, const QRectF& rect, const QBrush& fill)
{
    if (solid(fill) && drawCut(p, Outline::capsule, rect, 0, fill.color(), 0))
        return;
    drawPath(p, capsule(rect), Qt::NoPen, fill);
}

void strokeCapsuleInside(QPainter& p, const QRectF& rect, const QColor& color, qreal lineWidth)
{
    if (lineWidth <= 0 || color.alpha() == 0)
        return;
    if (drawCut(p, Outline::capsule, rect, 0, color, lineWidth))
        return;
    drawPath(p, capsule(inset(rect, lineWidth / 2.0)), QPen(color, lineWidth), Qt::NoBrush);
}

void strokeDashedRoundedInside(QPainter& p, const QRectF& rect, qreal radius, const QColor& color, qreal lineWidth,
                               qreal dash, qreal gap)
{
    if (lineWidth <= 0 || color.alpha() == 0 || dash <= 0)
        return;
    if (!(gap > 0)) {
        strokeRoundedInside(p, rect, radius, color, lineWidth);
        return;
    }
    if (drawCut(p, Outline::rounded, rect, radius, color, lineWidth, dash, gap))
        return;
    QPen pen(color, lineWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({dash / lineWidth, gap / lineWidth});
    pen.setMiterLimit(10);
    drawPath(p, roundedRect(inset(rect, lineWidth / 2.0), std::max<qreal>(0, radius - lineWidth / 2.0)), pen,
             Qt::NoBrush);
}

void drawImageInBands(QPainter& p, const QPointF& at, const QImage& image)
{
    const qreal ratio = image.devicePixelRatio();
    for (int y = 0; y < image.height(); y += stretch) {
        const int rows = std::min(stretch, image.height() - y);
        p.drawImage(at + QPointF(0, y / ratio), image, QRectF(0, y, image.width(), rows));
    }
}

void paintCard(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill)
{
    fillRounded(p, rect, radius, fill);
    strokeRoundedInside(p, rect, radius, Palette::hairline(), 1.0);
}

} // namespace studio::shapes
