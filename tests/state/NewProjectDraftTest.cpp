// What the new-production sheet holds, without the sheet: the runtime range
// each format card shows, and the whole numbers every text and the created
// production use.

#include "state/rules/NewProjectDraft.h"

#include <QtTest>

#include <limits>

using namespace studio;
using namespace studio::rules;
using namespace Qt::StringLiterals;

class NewProjectDraftTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runtimeHints_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<QString>("hint");
        QTest::newRow("short film") << ProjectFormat::shortFilm << u"3–40 min"_s;
        QTest::newRow("feature") << ProjectFormat::feature << u"40–240 min"_s;
        QTest::newRow("series") << ProjectFormat::series << u"20–60 min / ep"_s;
        QTest::newRow("anthology") << ProjectFormat::anthology << u"10–60 min / ep"_s;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << u"11–30 min / ep"_s;
        QTest::newRow("custom") << ProjectFormat::custom << u"3–240 min"_s;
    }
    void runtimeHints()
    {
        QFETCH(ProjectFormat, format);
        QTEST(NewProjectDraft::runtimeHint(format), "hint");
    }

    // Every number shown or handed on is the integer part of the runtime.
    void integerParts()
    {
        NewProjectDraft d;
        d.pickFormat(ProjectFormat::series);
        d.setRuntime(42.7);
        QCOMPARE(d.runtimeText(), u"42 min"_s);
        QCOMPARE(d.seasonTotal(), u"Season total ≈ 252 minutes"_s);
        d.setRuntime(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(d.runtime, 42.7);
        d.setRuntime(500);
        QCOMPARE(d.runtime, 60.0);
    }
};

QTEST_GUILESS_MAIN(NewProjectDraftTest)
#include "NewProjectDraftTest.moc"
