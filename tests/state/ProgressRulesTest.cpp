// The one progress text: whole percent cut toward zero, held within 0…100.

#include "state/rules/ProgressRules.h"

#include <QTest>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

class ProgressRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void percentText_data()
    {
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0.0 << u"0%"_s;
        QTest::newRow("one render step") << 1.0 / 22.0 << u"4%"_s;
        QTest::newRow("cut, not rounded") << 21.0 / 22.0 << u"95%"_s;
        QTest::newRow("export step 29") << 29.0 / 30.0 << u"96%"_s;
        QTest::newRow("done") << 1.0 << u"100%"_s;
        QTest::newRow("beyond") << 7.5 << u"100%"_s;
        QTest::newRow("below") << -0.25 << u"0%"_s;
        QTest::newRow("huge") << 1e300 << u"100%"_s;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << u"0%"_s;
    }

    void percentText()
    {
        QFETCH(double, progress);
        QFETCH(QString, text);
        QCOMPARE(rules::percentText(progress), text);
    }
};

QTEST_GUILESS_MAIN(ProgressRulesTest)
#include "ProgressRulesTest.moc"
