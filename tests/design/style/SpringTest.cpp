#include "design/style/Spring.h"

#include <QSignalSpy>
#include <QtTest>

using namespace studio;

class SpringTest : public QObject {
    Q_OBJECT

private slots:
    void closedForm_data()
    {
        QTest::addColumn<double>("damping");
        QTest::addColumn<bool>("overshoots");
        QTest::newRow("bouncy") << 0.5 << true;
        QTest::newRow("press") << 0.7 << true;
        QTest::newRow("critical") << 1.0 << false;
        QTest::newRow("overdamped") << 1.6 << false;
    }
    void closedForm()
    {
        QFETCH(double, damping);
        QFETCH(bool, overshoots);
        const double response = 0.25;
        const auto start = Spring::evolve(response, damping, -1.0, 0.3, 0.0);
        QVERIFY(std::abs(start.offset + 1.0) < 1e-12);
        QVERIFY(std::abs(start.velocity - 0.3) < 1e-9);
        bool crossed = false;
        for (double t = 0; t < 2.0; t += 0.002) {
            const auto s = Spring::evolve(response, damping, -1.0, 0.0, t);
            crossed = crossed || s.offset > 1e-4;
            // The velocity is the derivative of the offset.
            const double h = 1e-6;
            const auto later = Spring::evolve(response, damping, -1.0, 0.0, t + h);
            QVERIFY(std::abs((later.offset - s.offset) / h - s.velocity) < 1e-3 * std::max(1.0, std::abs(s.velocity)));
        }
        QCOMPARE(crossed, overshoots);
        QVERIFY(std::abs(Spring::evolve(response, damping, -1.0, 0.0, 5.0).offset) < 1e-4);
    }

    void settlesOnTheTarget()
    {
        Spring spring(0.25, 0.7);
        QSignalSpy settled(&spring, &Spring::settled);
        QSignalSpy changed(&spring, &Spring::valueChanged);
        spring.setTarget(1.0);
        QVERIFY(spring.isMoving());
        QVERIFY(settled.wait(2000));
        QCOMPARE(spring.value(), 1.0);
        QVERIFY(!spring.isMoving());
        QVERIFY(changed.count() > 3);
    }

    void retargetingKeepsTheMotionContinuous()
    {
        Spring spring(0.5, 0.8);
        spring.setTarget(1.0);
        QTRY_VERIFY(spring.value() > 0.05);
        const double before = spring.value();
        QVERIFY(before < 0.99);
        QSignalSpy moved(&spring, &Spring::valueChanged);
        spring.setTarget(0.0);
        // Right after the change of target the value is where the motion was.
        QVERIFY(moved.wait());
        QVERIFY(std::abs(spring.value() - before) < 0.2);
        QTRY_COMPARE_WITH_TIMEOUT(spring.value(), 0.0, 3000);
    }

    void jumpStopsAtOnce()
    {
        QObject holder;
        holder.setProperty("amount", 0.0);
        Spring spring(&holder, "amount", 0.3, 0.8);
        spring.setTarget(1.0);
        spring.jumpTo(0.4);
        QVERIFY(!spring.isMoving());
        QCOMPARE(spring.value(), 0.4);
        QCOMPARE(holder.property("amount").toDouble(), 0.4);
        spring.setTarget(std::numeric_limits<double>::quiet_NaN());
        QVERIFY(!spring.isMoving());
    }
};

QTEST_MAIN(SpringTest)
#include "SpringTest.moc"
