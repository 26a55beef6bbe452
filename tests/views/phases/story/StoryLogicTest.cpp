// The Story screen's rules without widgets: the charge cycle and its
// thresholds, the pulse line's points, the engine switch, the act and beat
// edits, and the noun of the engine alert.

#include "model/ModelFixtures.h"

#include "views/phases/story/StoryLogic.h"

#include <QtTest>
#include <limits>

using namespace studio;
using namespace studio::story;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(studio::story::ChargeState)
Q_DECLARE_METATYPE(studio::ProjectFormat)

namespace {

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

    void pulsePoints()
    {
        const QSizeF frame(150, 24);
        QVERIFY(story::pulsePoints({}, frame).isEmpty());
        QVERIFY(story::pulsePoints({1.0}, frame).isEmpty());

        // Spread from 0 to the full width; +1 three points below the top, -1
        // three above the bottom, a charge beyond the range beyond the edge.
        const QList<PulsePoint> points = story::pulsePoints({1.0, 0.0, -1.0, 2.0, 0.5, -0.51}, frame);
        QCOMPARE(points.size(), 6);
        QCOMPARE(points[0].position, QPointF(0, 3));
        QCOMPARE(points[1].position, QPointF(30, 12));
        QCOMPARE(points[2].position.y(), 21.0);
        QCOMPARE(points[3].position.y(), -6.0);
        QCOMPARE(points[5].position, QPointF(150, 12 + 9 * 0.51));
        QCOMPARE(points[4].state, ChargeState::flat);
        QCOMPARE(points[5].state, ChargeState::drop);

        // A charge too large to place leaves its point out; the others stay
        // where they belong.
        const double inf = std::numeric_limits<double>::infinity();
        const QList<PulsePoint> sparse = story::pulsePoints(
            {0.0, std::numeric_limits<double>::max(), inf, std::numeric_limits<double>::quiet_NaN(), 1.0},
            QSizeF(100, 24));
        QCOMPARE(sparse.size(), 2);
        QCOMPARE(sparse[1].position, QPointF(100, 3));
    }

    void engineSwitchReplacesOnlyTheStructure()
    {
        Project project = fixtures::richProject();
        const Episode before = project.episodes[0];
        const Episode other = project.episodes[1];
        const QList<Act> earlier = structureTemplate(StructureKind::heroJourney);

        QVERIFY(switchEngine(project, before.id, StructureKind::heroJourney));
        const Episode& after = project.episodes[0];
        QCOMPARE(after.structure.kind, StructureKind::heroJourney);
        QCOMPARE(after.structure.acts.size(), earlier.size());
        for (qsizetype i = 0; i < earlier.size(); ++i)
            QCOMPARE(titles(after.structure.acts[i]), titles(earlier[i]));
        // Built at the switch: no id from an earlier template or the old acts.
        QVERIFY(!idsIn(after.structure.acts).intersects(idsIn(earlier)));
        QVERIFY(!idsIn(after.structure.acts).intersects(idsIn(before.structure.acts)));
        Episode rest = after;
        rest.structure = before.structure;
        QCOMPARE(rest, before);
        QCOMPARE(project.episodes[1], other);

        const Project kept = project;
        QVERIFY(!switchEngine(project, QUuid::createUuid(), StructureKind::threeAct));
        QCOMPARE(project, kept);
    }

    void actsAndBeats()
    {
        Project project;
        const QUuid episode = project.episodes[0].id;
        const QUuid first = addAct(project, episode);
        const QUuid second = addAct(project, episode);
        const QUuid third = addAct(project, episode);
        QCOMPARE(countsText(project.episodes[0]), u"3 acts · 3 beats"_s);
        QCOMPARE(titles(project.episodes[0].structure.acts.last()), QStringList{u"First Beat"_s});
        QVERIFY(deleteAct(project, episode, second));
        QCOMPARE(project.episodes[0].structure.acts.size(), 2);
        QCOMPARE(project.episodes[0].structure.acts.first().id, first);
        QCOMPARE(project.episodes[0].structure.acts.last().id, third);
        QVERIFY(!deleteAct(project, episode, second));
        QVERIFY(addAct(project, QUuid::createUuid()).isNull());

        Act act;
        for (const QString& title : {u"One"_s, u"Two"_s, u"Three"_s})
            act.beats << Beat{.title = title};
        const QUuid one = act.beats[0].id;
        QVERIFY(moveBeat(act, one, +1));
        QVERIFY(moveBeat(act, one, +1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));
        // Nothing wraps at either end, and a gone beat moves nothing.
        QVERIFY(!moveBeat(act, one, +1));
        QVERIFY(!moveBeat(act, act.beats[0].id, -1));
        QVERIFY(!moveBeat(act, QUuid::createUuid(), -1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));

        addBeat(act);
        QVERIFY(deleteBeat(act, act.beats[1].id));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"One"_s, u"New Beat"_s}));
        QCOMPARE(summaryPlaceholder(act.beats.last()), u"What happens here?"_s);
        QVERIFY(summaryPlaceholder(Beat{.hint = QString(1'000'000, u'x')}).size() < 100'000);
        while (!act.beats.isEmpty())
            QVERIFY(deleteBeat(act, act.beats.first().id));
        QVERIFY(!deleteBeat(act, one));
    }

    void alertNoun_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<QString>("ending");
        QTest::newRow("short film") << ProjectFormat::shortFilm << u"this story."_s;
        QTest::newRow("custom") << ProjectFormat::custom << u"this story."_s;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << u"this episode."_s;
        QTest::newRow("anthology") << ProjectFormat::anthology << u"this segment."_s;
    }

    void alertNoun()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(QString, ending);
        QCOMPARE(engineAlertMessage(format, StructureKind::heroJourney),
                 u"“Hero's Journey” will replace the current acts and beats for "_s + ending);
    }
};

QTEST_GUILESS_MAIN(StoryLogicTest)
#include "StoryLogicTest.moc"
