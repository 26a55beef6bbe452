// The blurred shadow the poster cards cast: full under the card, fading
// evenly to nothing within its reach, and painted at the colour's opacity.

#include "design/style/SoftShadow.h"

#include <QPainter>
#include <QtTest>

using namespace studio;

class SoftShadowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fadesEvenlyToNothing()
    {
        const QSizeF card(200, 120);
        const qreal blur = 18;
        const QImage img = SoftShadow::image(card, 18, Qt::black, blur, 1.0);
        const int reach = int(SoftShadow::reach(blur));
        QCOMPARE(img.size(), QSize(200 + 2 * reach, 120 + 2 * reach));
        const auto alpha = [&](int x, int y) { return qAlpha(img.pixel(x, y)); };
        const int midY = img.height() / 2;
        QCOMPARE(alpha(img.width() / 2, midY), 255);
        QCOMPARE(alpha(0, 0), 0);
        QCOMPARE(alpha(0, midY), 0);
        // Half way at the card's edge, falling off without steps back up.
        QVERIFY(qAbs(alpha(reach, midY) - 128) < 20);
        for (int x = 1; x <= img.width() / 2; ++x)
            QVERIFY2(alpha(x, midY) >= alpha(x - 1, midY), qPrintable(QString::number(x)));
        // Left and right, top and bottom alike.
        for (int x = 0; x < img.width(); x += 7)
            QVERIFY(qAbs(alpha(x, midY) - alpha(img.width() - 1 - x, midY)) <= 1);
        for (int y = 0; y < img.height(); y += 7)
            QVERIFY(qAbs(alpha(img.width() / 2, y) - alpha(img.width() / 2, img.height() - 1 - y)) <= 1);
    }

    void paintsAtTheColoursOpacityAndOffset()
    {
        QImage canvas(300, 200, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::white);
        {
            QPainter p(&canvas);
            SoftShadow::paint(p, QRectF(50, 40, 200, 120), 18, QColor(0, 0, 0, 128), 8, QPointF(0, 6));
        }
        // Under the middle of the card: white darkened by half.
        QVERIFY(qAbs(qRed(canvas.pixel(150, 100)) - 127) <= 2);
        // The offset moves it down: more shadow under the bottom edge than over the top.
        QVERIFY(qRed(canvas.pixel(150, 162)) < qRed(canvas.pixel(150, 38)));
        QCOMPARE(qRed(canvas.pixel(2, 2)), 255);
    }

    void unusableSizesGiveNothing()
    {
        QVERIFY(SoftShadow::image(QSizeF(0, 10), 4, Qt::black, 8, 1).isNull());
        QVERIFY(SoftShadow::image(QSizeF(-5, 10), 4, Qt::black, 8, 1).isNull());
        QVERIFY(SoftShadow::image(QSizeF(1e9, 10), 4, Qt::black, 8, 1).isNull());
    }
};

QTEST_MAIN(SoftShadowTest)
#include "SoftShadowTest.moc"
