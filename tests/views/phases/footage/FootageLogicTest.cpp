// The job row's percentage.

#include "views/phases/footage/FootageLogic.h"

#include <QtTest>
#include <limits>

using namespace studio;
using namespace studio::footage;
using namespace Qt::StringLiterals;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

} // namespace

class FootageLogicTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void percentage_data()
    {
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0.0 << u"0%"_s;
        QTest::newRow("one step") << 1.0 / 22.0 << u"4%"_s;
        QTest::newRow("half") << 0.5 << u"50%"_s;
        QTest::newRow("cut, not rounded") << 21.0 / 22.0 << u"95%"_s;
        QTest::newRow("done") << 1.0 << u"100%"_s;
        QTest::newRow("not a number") << notANumber << u"0%"_s;
    }

    void percentage()
    {
        QFETCH(double, progress);
        QFETCH(QString, text);
        QCOMPARE(percentText(progress), text);
    }
};

QTEST_GUILESS_MAIN(FootageLogicTest)
#include "FootageLogicTest.moc"
