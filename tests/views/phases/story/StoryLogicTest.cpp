// The Story screen's rules without widgets: the charge cycle and its
// thresholds, the pulse line's points, the engine switch and the act and beat
// edits, and the texts whose wording depends on the format.

#include "model/ModelFixtures.h"

#include "model/Lookup.h"
#include "views/phases/story/StoryLogic.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace studio;
using namespace studio::story;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(studio::story::ChargeState)
Q_DECLARE_METATYPE(studio::ProjectFormat)

namespace {

Act threeBeats()
{
    Act act;
    for (const QString& title : {u"One"_s, u"Two"_s, u"Three"_s})
        act.beats << Beat{.title = title};
    return act;
}

QStringList titles(const Act& act)
{
    QStringList list;
    for (const Beat& beat : act.beats)
        list << beat.title;
    return list;
}

QSet<QUuid> idsIn(const QList<Act>& acts)
{
    QSet<QUuid> ids;
    for (const Act& act : acts) {
        ids << act.id;
        for (const Beat& beat : act.beats)
            ids << beat.id;
    }
    return ids;
}

} // namespace

class StoryLogicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chargeCycle_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<ChargeState>("state");
        QTest::addColumn<double>("next");
        QTest::newRow("new beat") << 0.0 << ChargeState::flat << 1.0;
        QTest::newRow("lift") << 1.0 << ChargeState::lift << -1.0;
        QTest::newRow("drop") << -1.0 << ChargeState::drop << 0.0;
        QTest::newRow("exactly 0.5") << 0.5 << ChargeState::flat << 1.0;
        QTest::newRow("exactly -0.5") << -0.5 << ChargeState::flat << 1.0;
        QTest::newRow("just above") << 0.51 << ChargeState::lift << -1.0;
        QTest::newRow("just below") << -0.51 << ChargeState::drop << 0.0;
        QTest::newRow("between") << 0.3 << ChargeState::flat << 1.0;
        QTest::newRow("stored 0.7") << 0.7 << ChargeState::lift << -1.0;
        QTest::newRow("stored -3") << -3.0 << ChargeState::drop << 0.0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << ChargeState::flat << 1.0;
    }

    void chargeCycle()
    {
        QFETCH(double, stored);
        QFETCH(ChargeState, state);
        QFETCH(double, next);
        QCOMPARE(chargeState(stored), state);
        QCOMPARE(nextCharge(stored), next);
    }

    void threeClicksReturnToFlat()
    {
        double charge = 0;
        QList<ChargeState> seen;
        for (int i = 0; i < 3; ++i) {
            charge = nextCharge(charge);
            seen << chargeState(charge);
        }
        QCOMPARE(seen, (QList<ChargeState>{ChargeState::lift, ChargeState::drop, ChargeState::flat}));
        QCOMPARE(charge, 0.0);
    }

    void pulseGeometry()
    {
        const QSizeF frame(150, 24);
        QVERIFY(pulsePoints({}, frame).isEmpty());
        QVERIFY(pulsePoints({1.0}, frame).isEmpty());

        const QList<PulsePoint> two = pulsePoints({0.0, 0.0}, frame);
        QCOMPARE(two.size(), 2);
        QCOMPARE(two[0].position, QPointF(0, 12));
        QCOMPARE(two[1].position, QPointF(150, 12));

        // +1 three points below the top, -1 three above the bottom, and a
        // charge beyond the range beyond the edge.
        const QList<PulsePoint> points = pulsePoints({1.0, 0.0, -1.0, 2.0, 0.5, 0.51, -0.5, -0.51}, frame);
        QList<double> ys;
        QList<ChargeState> states;
        for (const PulsePoint& p : points) {
            ys << p.position.y();
            states << p.state;
        }
        QCOMPARE(ys.mid(0, 4), (QList<double>{3, 12, 21, -6}));
        QCOMPARE(points.last().position.x(), 150.0);
        QCOMPARE(states.mid(4), (QList<ChargeState>{ChargeState::flat, ChargeState::lift, ChargeState::flat,
                                                     ChargeState::drop}));
    }

    void pulseLeavesOutPointsItCannotPlace()
    {
        const double huge = std::numeric_limits<double>::max();
        const QList<PulsePoint> points = pulsePoints({0.0, huge, std::numeric_limits<double>::infinity(),
                                                      std::numeric_limits<double>::quiet_NaN(), 1.0},
                                                     QSizeF(100, 24));
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0].position, QPointF(0, 12));
        QCOMPARE(points[1].position, QPointF(100, 3));
    }

    void engineSwitchReplacesOnlyTheStructure()
    {
        Project project = fixtures::richProject();
        const Episode before = project.episodes[0];
        const Episode other = project.episodes[1];
        const QList<Act> earlierTemplate = structureTemplate(StructureKind::heroJourney);

        QVERIFY(switchEngine(project, before.id, StructureKind::heroJourney));
        const Episode& after = project.episodes[0];
        QCOMPARE(after.structure.kind, StructureKind::heroJourney);
        QCOMPARE(titlesOfActs(after.structure.acts), titlesOfActs(earlierTemplate));
        QVERIFY(!idsIn(after.structure.acts).intersects(idsIn(earlierTemplate)));
        QVERIFY(!idsIn(after.structure.acts).intersects(idsIn(before.structure.acts)));
        for (const Act& act : after.structure.acts) {
            for (const Beat& beat : act.beats) {
                QVERIFY(beat.summary.isEmpty());
                QCOMPARE(beat.charge, 0.0);
            }
        }
        Episode rest = after;
        rest.structure = before.structure;
        QCOMPARE(rest, before);
        QCOMPARE(project.episodes[1], other);

        // An episode that is gone by now changes nothing.
        const Project kept = project;
        QVERIFY(!switchEngine(project, QUuid::createUuid(), StructureKind::threeAct));
        QCOMPARE(project, kept);
    }

    void addAndDeleteActs()
    {
        Project project;
        const QUuid episode = project.episodes[0].id;
        project.episodes[0].structure.acts.clear();
        QCOMPARE(countsText(project.episodes[0]), u"0 acts · 0 beats"_s);

        const QUuid first = addAct(project, episode);
        const QUuid second = addAct(project, episode);
        const QUuid third = addAct(project, episode);
        QCOMPARE(countsText(project.episodes[0]), u"3 acts · 3 beats"_s);
        const Act& added = project.episodes[0].structure.acts.last();
        QCOMPARE(added.id, third);
        QCOMPARE(added.title, u"New Act"_s);
        QCOMPARE(titles(added), QStringList{u"First Beat"_s});
        QCOMPARE(added.beats[0].charge, 0.0);

        QVERIFY(deleteAct(project, episode, second));
        QCOMPARE(project.episodes[0].structure.acts.size(), 2);
        QCOMPARE(project.episodes[0].structure.acts[0].id, first);
        QCOMPARE(project.episodes[0].structure.acts[1].id, third);
        QVERIFY(!deleteAct(project, episode, second));
        QVERIFY(addAct(project, QUuid::createUuid()).isNull());
    }

    void moveBeats()
    {
        Act act = threeBeats();
        const QUuid one = act.beats[0].id;
        QVERIFY(moveBeat(act, one, +1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"One"_s, u"Three"_s}));
        QVERIFY(moveBeat(act, one, +1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));
        // Nothing wraps around at either end, and a gone beat moves nothing.
        QVERIFY(!moveBeat(act, one, +1));
        QVERIFY(!moveBeat(act, act.beats[0].id, -1));
        QVERIFY(!moveBeat(act, QUuid::createUuid(), -1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));
        QVERIFY(moveBeat(act, one, -2));
        QCOMPARE(titles(act), (QStringList{u"One"_s, u"Three"_s, u"Two"_s}));
    }

    void addAndDeleteBeats()
    {
        Act act = threeBeats();
        const QUuid added = addBeat(act);
        QCOMPARE(act.beats.last().id, added);
        QCOMPARE(act.beats.last().title, u"New Beat"_s);
        QCOMPARE(summaryPlaceholder(act.beats.last()), u"What happens here?"_s);

        QVERIFY(deleteBeat(act, act.beats[1].id));
        QCOMPARE(titles(act), (QStringList{u"One"_s, u"Three"_s, u"New Beat"_s}));
        while (!act.beats.isEmpty())
            QVERIFY(deleteBeat(act, act.beats.first().id));
        QVERIFY(!deleteBeat(act, added));
    }

    void formatNouns_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("titlePlaceholder");
        const QString hero = u"“Hero's Journey” will replace the current acts and beats for this "_s;
        QTest::newRow("short film") << ProjectFormat::shortFilm << hero + u"story."_s << QString();
        QTest::newRow("feature") << ProjectFormat::feature << hero + u"story."_s << QString();
        QTest::newRow("custom") << ProjectFormat::custom << hero + u"story."_s << QString();
        QTest::newRow("series") << ProjectFormat::series << hero + u"episode."_s << u"Episode title"_s;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << hero + u"episode."_s << u"Episode title"_s;
        QTest::newRow("anthology") << ProjectFormat::anthology << hero + u"segment."_s << u"Segment title"_s;
    }

    void formatNouns()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(QString, message);
        QFETCH(QString, titlePlaceholder);
        QCOMPARE(engineAlertMessage(format, StructureKind::heroJourney), message);
        if (isEpisodic(format)) {
            QCOMPARE(episodeTitlePlaceholder(format), titlePlaceholder);
            QVERIFY(synopsisPlaceholder(format).contains(u' ' + titlePlaceholder.section(u' ', 0, 0).toLower() + u' '));
        }
    }

private:
    static QStringList titlesOfActs(const QList<Act>& acts)
    {
        QStringList list;
        for (const Act& act : acts)
            list << act.title + u": "_s + titles(act).join(u", "_s);
        return list;
    }
};

QTEST_GUILESS_MAIN(StoryLogicTest)
#include "StoryLogicTest.moc"
