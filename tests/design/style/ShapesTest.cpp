// Rounded fills and outlines are drawn from cached pictures cut in nine; what
// lands on the page must be what drawing the path itself gives, at any size,
// sub-pixel position, scale and clip.

#include "design/style/Shapes.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTest>

#include <cmath>
#include <functional>

using namespace studio;

namespace {

enum class Kind { fillRounded, strokeRounded, fillCapsule, strokeCapsule, dashedRounded };

// A background with colour and alpha in it, so blending faults show.
QImage background(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor((x * 7) % 256, (y * 5) % 256, 120, 128 + (x + y) % 128));
    return image;
}

void drawExpected(QPainter& p, Kind kind, const QRectF& r, qreal radius, const QColor& color, qreal line)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF in = r.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    switch (kind) {
    case Kind::fillRounded:
        p.fillPath(shapes::roundedRect(r, radius), color);
        break;
    case Kind::strokeRounded:
        p.strokePath(shapes::roundedRect(in, std::max<qreal>(0, radius - line / 2)), QPen(color, line));
        break;
    case Kind::fillCapsule:
        p.fillPath(shapes::capsule(r), color);
        break;
    case Kind::strokeCapsule:
        p.strokePath(shapes::capsule(in), QPen(color, line));
        break;
    case Kind::dashedRounded: {
        QPen pen(color, line, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setDashPattern({6 / line, 4 / line});
        pen.setMiterLimit(10);
        p.strokePath(shapes::roundedRect(in, std::max<qreal>(0, radius - line / 2)), pen);
        break;
    }
    }
}

void drawShape(QPainter& p, Kind kind, const QRectF& r, qreal radius, const QColor& color, qreal line)
{
    switch (kind) {
    case Kind::fillRounded:
        shapes::fillRounded(p, r, radius, color);
        break;
    case Kind::strokeRounded:
        shapes::strokeRoundedInside(p, r, radius, color, line);
        break;
    case Kind::fillCapsule:
        shapes::fillCapsule(p, r, color);
        break;
    case Kind::strokeCapsule:
        shapes::strokeCapsuleInside(p, r, color, line);
        break;
    case Kind::dashedRounded:
        shapes::strokeDashedRoundedInside(p, r, radius, color, line, 6, 4);
        break;
    }
}

int largestDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(pa[x]) - qRed(pb[x])), std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                              std::abs(qBlue(pa[x]) - qBlue(pb[x])), std::abs(qAlpha(pa[x]) - qAlpha(pb[x]))});
        }
    }
    return worst;
}

} // namespace

class ShapesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawsWhatThePathDraws_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<qreal>("radius");
        QTest::addColumn<qreal>("line");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("clipped");
        // Tall and wide cards (cut on both axes), chips (cut along one), a
        // circle (not cut), fractional edges, thick lines, a radius too big
        // for its rectangle, scale 2 and a clip that is not a rectangle.
        const struct {
            const char* name;
            Kind kind;
            QRectF rect;
            qreal radius;
            qreal line;
            qreal ratio;
            bool clipped;
        } cases[] = {
            {"card outline", Kind::strokeRounded, {10, 10, 230, 420}, 16, 1, 1, false},
            {"card outline, masked", Kind::strokeRounded, {10, 10, 230, 420}, 16, 1, 1, true},
            {"card fill, fractional", Kind::fillRounded, {10.3, 7.6, 611.5, 301.25}, 12, 0, 1, false},
            {"card fill, scale 2", Kind::fillRounded, {4.5, 3.25, 300, 200}, 20, 0, 2, false},
            {"thick outline, scale 2, masked", Kind::strokeRounded, {6, 6, 280.5, 240}, 24, 3, 2, true},
            {"radius past the limit", Kind::fillRounded, {3, 3, 500, 30}, 40, 0, 1, false},
            {"chip", Kind::fillCapsule, {2.5, 4, 180, 28}, 0, 0, 1, false},
            {"chip outline", Kind::strokeCapsule, {2, 4.5, 300, 28}, 0, 1, 1, true},
            {"tall capsule", Kind::fillCapsule, {5, 5, 40, 500}, 0, 0, 1, false},
            {"circle", Kind::strokeCapsule, {8.2, 8.7, 60, 60}, 0, 1.5, 1, false},
            {"square corners", Kind::strokeRounded, {5, 5, 300, 300}, 0, 1, 1, false},
            {"dashed tile, masked", Kind::dashedRounded, {4.5, 6, 220, 160}, 14, 1.5, 1, true},
            {"dashed tile, scale 2", Kind::dashedRounded, {4, 6.25, 180, 140}, 14, 1, 2, false},
        };
        for (const auto& c : cases)
            QTest::newRow(c.name) << int(c.kind) << c.rect << c.radius << c.line << c.ratio << c.clipped;
    }

    void drawsWhatThePathDraws()
    {
        QFETCH(int, kind);
        QFETCH(QRectF, rect);
        QFETCH(qreal, radius);
        QFETCH(qreal, line);
        QFETCH(qreal, ratio);
        QFETCH(bool, clipped);
        const QSize size(std::ceil(rect.right()) + 12, std::ceil(rect.bottom()) + 12);
        const QColor color(250, 240, 220, 40);
        QImage expected = background(size, ratio);
        QImage drawn = expected.copy();
        const auto paint = [&](QImage& image, const std::function<void(QPainter&)>& draw) {
            QPainter p(&image);
            if (clipped)
                p.setClipRegion(QRegion(QRect(QPoint(), size)) - QRegion(QRect(QPoint(40, 40), size - QSize(80, 80))));
            // Twice, to draw once from a fresh picture and once from the cache.
            draw(p);
            draw(p);
        };
        paint(expected, [&](QPainter& p) { drawExpected(p, Kind(kind), rect, radius, color, line); });
        paint(drawn, [&](QPainter& p) { drawShape(p, Kind(kind), rect, radius, color, line); });
        QVERIFY(expected != background(size, ratio));
        // Within the rounding of a premultiplied colour, drawn twice.
        QCOMPARE_LE(largestDifference(expected, drawn), 3);
    }

    // The kept pictures are cut in device pixels: the same shape in device
    // pixels reached at two scales (a screen of another ratio, a pressed or
    // hovered control's painter scale) must draw at the scale asked for.
    void oneDeviceSizeAtTwoScales_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qreal>("first");
        QTest::addColumn<qreal>("second");
        QTest::addColumn<bool>("painterScale");
        QTest::newRow("capsule, ratio 2 then 1") << int(Kind::fillCapsule) << 2.0 << 1.0 << false;
        QTest::newRow("capsule outline, ratio 1 then 2") << int(Kind::strokeCapsule) << 1.0 << 2.0 << false;
        QTest::newRow("card, pressed then at rest") << int(Kind::fillRounded) << 0.97 << 1.0 << true;
        QTest::newRow("card outline, hovered then at rest") << int(Kind::strokeRounded) << 1.015 << 1.0 << true;
    }
    void oneDeviceSizeAtTwoScales()
    {
        QFETCH(int, kind);
        QFETCH(qreal, first);
        QFETCH(qreal, second);
        QFETCH(bool, painterScale);
        // In device pixels; a colour of its own, so no other test has kept
        // these pictures.
        const QRectF device(6, 6, 160, 80);
        const qreal radius = 16, line = 2;
        const QColor color(200, 230, 250, 90 + kind);
        const auto draw = [&](qreal scale, bool direct) {
            const QSize canvas(180, 100);
            QImage image = painterScale ? background(canvas, 1) : background((QSizeF(canvas) / scale).toSize(), scale);
            QPainter p(&image);
            if (painterScale)
                p.scale(scale, scale);
            const QRectF rect(device.topLeft() / scale, device.size() / scale);
            if (direct)
                drawExpected(p, Kind(kind), rect, radius / scale, color, line / scale);
            else
                drawShape(p, Kind(kind), rect, radius / scale, color, line / scale);
            return image;
        };
        draw(first, false);
        QCOMPARE_LE(largestDifference(draw(second, true), draw(second, false)), 3);
    }
};

QTEST_MAIN(ShapesTest)
#include "ShapesTest.moc"
