#include "design/widgets/ArtThumb.h"
#include "design/style/PictureBudget.h"
#include "design/style/PlaceholderArt.h"
#include "support/ResidentMemory.h"
#include "design/style/Shapes.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace studio;

class PlaceholderArtTest : public QObject {
    Q_OBJECT

private:
    static double luminance(const QImage& img, const QRect& area)
    {
        double sum = 0;
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x, ++n)
                sum += qGray(img.pixel(x, y));
        return n ? sum / n : 0;
    }

private slots:
    void cleanup()
    {
        PlaceholderArt::clearCache();
        ArtThumb::clearCache();
    }

    void stableHash_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint64>("hash");
        QTest::newRow("empty is the offset basis") << QString() << quint64(0xcbf29ce484222325ULL);
        QTest::newRow("abc") << QStringLiteral("abc") << quint64(0xe71fa2190541574bULL);
        QTest::newRow("a") << QStringLiteral("a") << quint64(0xaf63dc4c8601ec8cULL);
        QTest::newRow("foobar") << QStringLiteral("foobar") << quint64(0x85944171f73967e8ULL);
        // Hashes the UTF-8 bytes, not UTF-16 code units.
        QTest::newRow("non-ASCII") << QString::fromUtf8("\xC3\xA9") << quint64(0x0ac21707b7181e01ULL);
    }
    void stableHash()
    {
        QFETCH(QString, text);
        QFETCH(quint64, hash);
        QCOMPARE(PlaceholderArt::stableHash(text), hash);
    }

    void drawStreamIsSplitMix64()
    {
        // The published first outputs of SplitMix64 seeded with 0.
        QCOMPARE(PlaceholderArt::draw(0, 1), quint64(0xe220a8397b1dcdafULL));
        QCOMPARE(PlaceholderArt::draw(0, 2), quint64(0x6e789e6aa1b965f4ULL));
        QCOMPARE(PlaceholderArt::draw(0, 3), quint64(0x06c45d188009454fULL));
    }

    void parameters_data()
    {
        QTest::addColumn<QString>("seed");
        QTest::addColumn<int>("palette");
        QTest::addColumn<int>("angle");
        QTest::addColumn<double>("glowX");
        QTest::addColumn<double>("glowY");
        QTest::addColumn<int>("beams");
        QTest::addColumn<double>("beamX");
        QTest::addColumn<double>("beamTilt");
        QTest::addColumn<int>("beamWidth");
        QTest::addColumn<double>("lastSpeckX");
        QTest::addColumn<bool>("lastSpeckWhite");
        QTest::newRow("abc") << "abc" << 4 << 213 << 0.536 << 0.604 << 1 << 0.634 << 7.4 << 79 << 0.612 << false;
        QTest::newRow("empty") << "" << 8 << 142 << 0.435 << 0.452 << 2 << 0.151 << -10.8 << 111 << 0.888 << true;
        QTest::newRow("title") << "The Last Lighthouse" << 2 << 156 << 0.92 << 0.453 << 2 << 0.051 << 5.0 << 39
                               << 0.257 << false;
        QTest::newRow("uuid") << "E621E1F8-C36C-495A-93FC-0C247A3E6E5F" << 7 << 140 << 0.157 << 0.467 << 2 << 0.82
                              << -18.3 << 57 << 0.382 << false;
    }
    void parameters()
    {
        QFETCH(QString, seed);
        const ArtParameters a = PlaceholderArt::parameters(seed);
        QTEST(a.paletteIndex, "palette");
        QTEST(a.angle, "angle");
        QFETCH(double, glowX);
        QFETCH(double, glowY);
        QVERIFY(qFuzzyCompare(a.glowX, glowX));
        QVERIFY(qFuzzyCompare(a.glowY, glowY));
        QTEST(int(a.beams.size()), "beams");
        QFETCH(double, beamX);
        QFETCH(double, beamTilt);
        QVERIFY(qFuzzyCompare(a.beams[0].x, beamX));
        QVERIFY(std::abs(a.beams[0].tilt - beamTilt) < 1e-9);
        QTEST(a.beams[0].width, "beamWidth");
        QCOMPARE(a.specks.size(), 220);
        QFETCH(double, lastSpeckX);
        QVERIFY(qFuzzyCompare(a.specks.last().x, lastSpeckX));
        QTEST(a.specks.last().white, "lastSpeckWhite");
        const auto& colours = PlaceholderArt::palettes()[std::size_t(a.paletteIndex)];
        QCOMPARE(a.colors[0].rgb() & 0xFFFFFF, colours[0]);
        QCOMPARE(a.colors[2].rgb() & 0xFFFFFF, colours[2]);
    }

    void parametersStayInTheirRanges()
    {
        for (int i = 0; i < 300; ++i) {
            const ArtParameters a = PlaceholderArt::parameters(QStringLiteral("seed-%1").arg(i));
            QVERIFY(a.beams.size() == 1 || a.beams.size() == 2);
            QCOMPARE(a.specks.size(), 220);
            QVERIFY(a.glowY >= 0.45 && a.glowY < 0.95);
            for (const ArtBeam& b : a.beams) {
                QVERIFY(b.tilt >= -30.0 && b.tilt <= 29.9 + 1e-9);
                QVERIFY(b.width >= 30 && b.width <= 119);
                QVERIFY(b.alpha >= 0.05 && b.alpha <= 0.119 + 1e-9);
            }
            for (const ArtSpeck& s : a.specks)
                QVERIFY(s.alpha >= 0.02 && s.alpha <= 0.069 + 1e-9);
        }
    }

    void cacheKey_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("key");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("fractions truncate") << 120.7 << 80.0 << "abc|120x80";
        QTest::newRow("below one point") << 0.5 << 10.0 << "abc|0x10";
        QTest::newRow("nan") << nan << 80.0 << "";
        QTest::newRow("infinite") << 100.0 << inf << "";
        QTest::newRow("negative") << -4.0 << 80.0 << "";
        QTest::newRow("zero") << 0.0 << 80.0 << "";
        QTest::newRow("huge") << 1e12 << 80.0 << "";
    }
    void cacheKey()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QTEST(PlaceholderArt::cacheKey(QStringLiteral("abc"), width, height), "key");
    }

    void sizesSharingAKeyShareOnePicture()
    {
        const QImage first = PlaceholderArt::image(QStringLiteral("abc"), 120.2, 80);
        const QImage second = PlaceholderArt::image(QStringLiteral("abc"), 120.9, 80);
        QVERIFY(!first.isNull());
        QCOMPARE(second.cacheKey(), first.cacheKey());
        const QImage other = PlaceholderArt::image(QStringLiteral("abc"), 121.0, 80);
        QVERIFY(other.cacheKey() != first.cacheKey());
    }

    // New art asked for without end (a long scroll through a large
    // production) keeps no more compositions than their share of the
    // process's pictures.
    void keptCompositionsStayWithinTheirShare()
    {
        if (!test::residentMemoryTellsWhatIsKept())
            QSKIP("freed memory stays resident under AddressSanitizer");
        const double before = test::residentMegabytes();
        QVERIFY(before > 0);
        // Four megabytes each, far more of them than the share holds.
        for (int i = 0; i < 48; ++i)
            QVERIFY(!PlaceholderArt::image(QString::number(i), 1024, 1024).isNull());
        QCOMPARE_LT(test::residentMegabytes() - before, pictureBudget::placeholderArt / 1024.0 + 16);
    }

    void samePictureEveryTime()
    {
        const QImage a = PlaceholderArt::image(QStringLiteral("The Last Lighthouse"), 160, 90, 2.0);
        PlaceholderArt::clearCache();
        const QImage b = PlaceholderArt::image(QStringLiteral("The Last Lighthouse"), 160, 90, 2.0);
        QVERIFY(a.cacheKey() != b.cacheKey());
        QCOMPARE(a.size(), QSize(320, 180));
        QCOMPARE(a, b);
        const QImage c = PlaceholderArt::image(QStringLiteral("The Last Lighthouse!"), 160, 90, 2.0);
        QVERIFY(c != a);
    }

    void emptySeedGivesACompletePicture()
    {
        const QImage img = PlaceholderArt::image(QString(), 64, 64);
        QCOMPARE(img.size(), QSize(64, 64));
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4) {
                QCOMPARE(qAlpha(img.pixel(x, y)), 255);
                colours.insert(img.pixel(x, y));
            }
        QVERIFY(colours.size() > 20);
    }

    void gradientRunsCounterClockwiseFromTheXAxis_data()
    {
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QRect>("darker");
        QTest::addColumn<QRect>("lighter");
        // angle 0: dark at the left; 90: dark at the bottom; 270: dark at the top.
        QTest::newRow("0") << "seed-123" << QRect(2, 40, 10, 20) << QRect(88, 40, 10, 20);
        QTest::newRow("90") << "seed-64" << QRect(40, 88, 20, 10) << QRect(40, 2, 20, 10);
        QTest::newRow("270") << "seed-404" << QRect(40, 2, 20, 10) << QRect(40, 88, 20, 10);
    }
    void gradientRunsCounterClockwiseFromTheXAxis()
    {
        QFETCH(QString, seed);
        QFETCH(QRect, darker);
        QFETCH(QRect, lighter);
        const QImage img = PlaceholderArt::image(seed, 100, 100);
        QVERIFY(luminance(img, darker) + 20 < luminance(img, lighter));
    }

    void pictureIsComposedWithYUp()
    {
        // The picture's own coordinates run upwards from the bottom left: a
        // beam tilted by a positive angle turns counter-clockwise (its top
        // end leans left), a glow with a high glowY sits in the upper half
        // and a speck at y = 0 lies on the bottom row.
        ArtParameters a;
        a.colors = {QColor(Qt::black), QColor(Qt::black), QColor(Qt::black)};
        a.glowX = 0.5;
        a.glowY = 0.9;
        a.beams = {ArtBeam{0.5, 20.0, 10, 1.0}};
        a.specks = {ArtSpeck{0.1, 0.0, 1.0, true}};
        QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            PlaceholderArt::paint(p, QSizeF(100, 100), a);
        }
        // 50 - 50 * tan(20 degrees) is about 32 near the top, 68 near the bottom.
        QVERIFY(qGray(img.pixel(32, 3)) > 100);
        QVERIFY(qGray(img.pixel(68, 3)) < 40);
        QVERIFY(qGray(img.pixel(68, 96)) > 100);
        QVERIFY(qGray(img.pixel(32, 96)) < 40);
        QVERIFY(luminance(img, QRect(0, 20, 20, 10)) > luminance(img, QRect(0, 70, 20, 10)));
        QVERIFY(qGray(img.pixel(10, 99)) > 100);
        QVERIFY(qGray(img.pixel(10, 0)) < 40);
    }

    void absurdSizesGiveNoPicture_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("ratio");
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 10.0 << 1.0;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 10.0 << 1.0;
        QTest::newRow("negative") << 10.0 << -10.0 << 1.0;
        QTest::newRow("huge") << 1e9 << 1e9 << 1.0;
        QTest::newRow("too many pixels") << 8000.0 << 8000.0 << 4.0;
    }
    void absurdSizesGiveNoPicture()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, ratio);
        QVERIFY(PlaceholderArt::image(QStringLiteral("abc"), width, height, ratio).isNull());
    }

    void thumbFillsItsFrameKeepingProportions()
    {
        ArtThumb thumb(QStringLiteral("abc"), 200, 100);
        QCOMPARE(thumb.sizeHint(), QSize(200, 100));
        thumb.resize(100, 100);
        QImage shot(100, 100, QImage::Format_ARGB32_Premultiplied);
        shot.fill(Qt::transparent);
        thumb.render(&shot);
        // Aspect fill: every pixel is covered (the sides are cropped).
        QCOMPARE(qAlpha(shot.pixel(0, 0)), 255);
        QCOMPARE(qAlpha(shot.pixel(99, 99)), 255);
        QCOMPARE(qAlpha(shot.pixel(0, 99)), 255);
    }

    // Framed pictures are shared by every card that shows one: each frame
    // (size, rounding, place within a pixel, pixel ratio) gets its own, and
    // it lands exactly where the picture clipped and drawn directly would.
    void framedPictureIsTheDirectDrawing()
    {
        struct Frame {
            QRectF target;
            qreal radius;
            qreal dpr;
        };
        const QList<Frame> frames = {{QRectF(0, 0, 90, 50), 0, 1},     {QRectF(0, 0, 90, 50), 8, 1},
                                     {QRectF(0.5, 0.25, 90, 50), 8, 1}, {QRectF(3, 2, 91, 50), 8, 1},
                                     {QRectF(1.5, 1, 90, 50), 8, 2}};
        const QString seed = QStringLiteral("abc");
        const auto canvas = [](qreal dpr) {
            QImage img(QSize(100, 60) * dpr, QImage::Format_ARGB32_Premultiplied);
            img.setDevicePixelRatio(dpr);
            img.fill(Qt::transparent);
            return img;
        };
        const auto framed = [&](const Frame& f) {
            QImage img = canvas(f.dpr);
            QPainter p(&img);
            ArtThumb::paint(p, f.target, seed, 160, 90, f.radius);
            return img;
        };
        const auto direct = [&](const Frame& f) {
            QImage img = canvas(f.dpr);
            QPainter p(&img);
            p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            if (f.radius > 0)
                p.setClipPath(shapes::roundedRect(f.target, f.radius));
            else
                p.setClipRect(f.target);
            // Filled keeping the proportions, cropped around the middle.
            const qreal scale = std::max(f.target.width() / 160.0, f.target.height() / 90.0);
            const QSizeF shown(160.0 * scale, 90.0 * scale);
            p.drawImage(QRectF(f.target.center() - QPointF(shown.width(), shown.height()) / 2.0, shown),
                        PlaceholderArt::image(seed, 160, 90, f.dpr));
            return img;
        };

        QList<QImage> first;
        for (const Frame& f : frames) {
            first << framed(f);
            const QImage expected = direct(f);
            int worst = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb a = first.last().pixel(x, y);
                    const QRgb b = expected.pixel(x, y);
                    worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
                }
            // Edges blended in two steps may round one level apart.
            QVERIFY2(worst <= 2, qPrintable(QStringLiteral("frame %1 is off by %2").arg(first.size() - 1).arg(worst)));
        }
        // Drawn again, in another order, from the shared pictures.
        for (qsizetype i = frames.size() - 1; i >= 0; --i)
            QCOMPARE(framed(frames.at(i)), first.at(i));
    }
};

QTEST_MAIN(PlaceholderArtTest)
#include "PlaceholderArtTest.moc"
