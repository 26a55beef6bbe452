#include "design/style/AuroraBackground.h"
#include "design/style/ReduceMotion.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>

using namespace studio;

class AuroraTest : public QObject {
    Q_OBJECT

private:
    static bool near(float a, double b) { return std::abs(double(a) - b) < 1e-5; }
    static int channelDistance(QRgb a, const QColor& b)
    {
        return std::max({std::abs(qRed(a) - b.red()), std::abs(qGreen(a) - b.green()),
                         std::abs(qBlue(a) - b.blue())});
    }

private slots:
    void pointsAtTimeZero()
    {
        const auto p = AuroraBackground::meshPoints(0);
        QVERIFY(near(p[1].x, 0.5) && near(p[1].y, 0));
        QVERIFY(near(p[3].x, 0) && near(p[3].y, 0.55));
        QVERIFY(near(p[4].x, 0.48) && near(p[4].y, 0.55));
        QVERIFY(near(p[5].x, 1) && near(p[5].y, 0.5 + 0.06 * std::sin(1.3)));
        QVERIFY(std::abs(p[5].y - 0.5578) < 1e-4);
        QVERIFY(near(p[7].x, 0.55) && near(p[7].y, 1));
    }

    void pointsKeepToTheirEdges_data()
    {
        QTest::addColumn<double>("t");
        for (double t : {0.0, 1.0, 12.5, 600.0, 7.8e8, 7.8e8 + 0.1, -3.0})
            QTest::newRow(qPrintable(QString::number(t, 'g', 12))) << t;
    }
    void pointsKeepToTheirEdges()
    {
        QFETCH(double, t);
        const auto p = AuroraBackground::meshPoints(t);
        QCOMPARE(p[0].x, 0.f);
        QCOMPARE(p[0].y, 0.f);
        QCOMPARE(p[2].x, 1.f);
        QCOMPARE(p[2].y, 0.f);
        QCOMPARE(p[6].x, 0.f);
        QCOMPARE(p[6].y, 1.f);
        QCOMPARE(p[8].x, 1.f);
        QCOMPARE(p[8].y, 1.f);
        QCOMPARE(p[1].y, 0.f);
        QCOMPARE(p[7].y, 1.f);
        QCOMPARE(p[3].x, 0.f);
        QCOMPARE(p[5].x, 1.f);
        for (const MeshPoint& m : p)
            QVERIFY(m.x >= 0 && m.x <= 1 && m.y >= 0 && m.y <= 1);
    }

    void meshCoversEveryPixel_data()
    {
        QTest::addColumn<double>("t");
        QTest::addColumn<QSize>("size");
        QTest::newRow("t0 small") << 0.0 << QSize(135, 88);
        QTest::newRow("moving") << 7.8e8 << QSize(135, 88);
        QTest::newRow("tiny") << 33.0 << QSize(4, 4);
        QTest::newRow("wide") << 20.0 << QSize(300, 40);
    }
    void meshCoversEveryPixel()
    {
        QFETCH(double, t);
        QFETCH(QSize, size);
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::red);
        AuroraBackground::mesh(t).render(img);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QVERIFY2(img.pixel(x, y) != QColor(Qt::red).rgb(), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    void meshShowsTheColoursAtThePoints()
    {
        const QSize size(200, 200);
        const QImage img = AuroraBackground::renderMesh(size, 0);
        const auto& colors = AuroraBackground::meshColors();
        const auto points = AuroraBackground::meshPoints(0);
        for (int i = 0; i < 9; ++i) {
            const int x = std::clamp(int(points[i].x * size.width()), 0, size.width() - 1);
            const int y = std::clamp(int(points[i].y * size.height()), 0, size.height() - 1);
            QVERIFY2(channelDistance(img.pixel(x, y), colors[i]) <= 1, qPrintable(QString::number(i)));
        }
        // The centre is the lightest part of the picture.
        const int centre = qGray(img.pixel(int(points[4].x * 200), int(points[4].y * 200)));
        QVERIFY(centre > qGray(img.pixel(0, 0)));
        QVERIFY(centre > qGray(img.pixel(199, 199)));
    }

    void frozenShowsTimeZeroAndNeverChanges()
    {
        AuroraBackground backdrop;
        double now = 5000;
        backdrop.setClock([&now] { return now; });
        backdrop.setReduceMotion(false);
        backdrop.setAnimated(false);
        backdrop.resize(320, 200);
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        QCOMPARE(backdrop.shownTime(), 0.0);
        const QImage before = backdrop.grab().toImage();
        // A running backdrop on the same clock shows when frames have come due.
        AuroraBackground running;
        running.setClock([&now] { return now; });
        running.setReduceMotion(false);
        running.resize(320, 200);
        running.show();
        now = 9000;
        QTRY_COMPARE(running.shownTime(), 9000.0);
        QCOMPARE(backdrop.shownTime(), 0.0);
        QCOMPARE(backdrop.grab().toImage(), before);
    }

    void animatedFollowsTheClock()
    {
        AuroraBackground backdrop;
        QVERIFY(backdrop.isAnimated()); // on unless told otherwise
        double now = 100;
        backdrop.setClock([&now] { return now; });
        backdrop.setReduceMotion(false);
        backdrop.resize(320, 200);
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        QVERIFY(backdrop.isRunning());
        now = 130;
        QTRY_COMPARE(backdrop.shownTime(), 130.0);
        // Reduced motion stops it at time 0.
        backdrop.setReduceMotion(true);
        QVERIFY(!backdrop.isRunning());
        QCOMPARE(backdrop.shownTime(), 0.0);
        AuroraBackground running;
        running.setClock([&now] { return now; });
        running.setReduceMotion(false);
        running.resize(320, 200);
        running.show();
        now = 160;
        QTRY_COMPARE(running.shownTime(), 160.0);
        QCOMPARE(backdrop.shownTime(), 0.0);
    }

    void stoppingShowsExactlyTimeZero()
    {
        // Half a second in, the moving picture is within the repaint
        // threshold of the picture at time 0; stopping must still show time 0.
        AuroraBackground backdrop;
        double now = 0.5;
        backdrop.setClock([&now] { return now; });
        backdrop.setReduceMotion(false);
        backdrop.resize(320, 200);
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        QCOMPARE(backdrop.shownTime(), 0.5);
        backdrop.setAnimated(false);
        QCOMPARE(backdrop.shownTime(), 0.0);
        AuroraBackground frozen;
        frozen.setAnimated(false);
        frozen.resize(320, 200);
        QCOMPARE(backdrop.grab().toImage(), frozen.grab().toImage());
    }

    void takesNoMouseInput()
    {
        QWidget window;
        window.resize(200, 100);
        auto* button = new QPushButton(QStringLiteral("Behind"), &window);
        button->setGeometry(0, 0, 200, 100);
        auto* backdrop = new AuroraBackground(&window);
        backdrop->setGeometry(0, 0, 200, 100);
        backdrop->raise();
        QCOMPARE(window.childAt(50, 50), button);
    }

    void keyFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reduce");
        QTest::newRow("off") << "[org/gnome/desktop/interface]\nenable-animations=false\n" << true;
        QTest::newRow("on") << "[org/gnome/desktop/interface]\nenable-animations=true\n" << false;
        QTest::newRow("other group") << "[org/gnome/desktop/sound]\nenable-animations=false\n" << false;
        QTest::newRow("spaces") << "[org/gnome/desktop/interface]\n  enable-animations = false \n" << true;
        QTest::newRow("absent") << "[org/gnome/desktop/interface]\nfont-name='Inter 11'\n" << false;
        QTest::newRow("empty") << "" << false;
    }
    void keyFile()
    {
        QFETCH(QString, text);
        QTEST(ReduceMotion::keyFileDisablesAnimations(text), "reduce");
    }

    void environmentComesFirst()
    {
        const QByteArray saved = qgetenv("PALISADEMOTION_REDUCE_MOTION");
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/glib-2.0/settings");
        QVERIFY(QDir().mkpath(dir));
        QFile file(dir + QStringLiteral("/keyfile"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[org/gnome/desktop/interface]\nenable-animations=false\n");
        file.close();

        qputenv("PALISADEMOTION_REDUCE_MOTION", "1");
        QVERIFY(ReduceMotion::systemPrefersReducedMotion());
        qputenv("PALISADEMOTION_REDUCE_MOTION", "0");
        QVERIFY(!ReduceMotion::systemPrefersReducedMotion());
        qunsetenv("PALISADEMOTION_REDUCE_MOTION");
        QVERIFY(ReduceMotion::systemPrefersReducedMotion());
        QVERIFY(file.remove());
        QVERIFY(!ReduceMotion::systemPrefersReducedMotion());
        qputenv("PALISADEMOTION_REDUCE_MOTION", saved);
    }
};

QTEST_MAIN(AuroraTest)
#include "AuroraTest.moc"
