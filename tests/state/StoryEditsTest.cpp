// The Story operations and rules: the charge cycle and its thresholds, the
// pulse line's points, the structure switch, the act and beat operations by
// id, the beat assist's landing and the noun of the structure alert.

#include "model/ModelFixtures.h"

#include "state/edits/StoryEdits.h"
#include "state/rules/StoryRules.h"

#include <QtTest>
#include <limits>

using namespace studio;
using namespace studio::rules;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(studio::rules::ChargeState)
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

class StoryEditsTest : public QObject {
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
        QVERIFY(rules::pulsePoints({}, frame).isEmpty());
        QVERIFY(rules::pulsePoints({1.0}, frame).isEmpty());

        // Spread from 0 to the full width; +1 three points below the top, -1
        // three above the bottom, a charge beyond the range beyond the edge.
        const QList<PulsePoint> points = rules::pulsePoints({1.0, 0.0, -1.0, 2.0, 0.5, -0.51}, frame);
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
        const QList<PulsePoint> sparse = rules::pulsePoints(
            {0.0, std::numeric_limits<double>::max(), inf, std::numeric_limits<double>::quiet_NaN(), 1.0},
            QSizeF(100, 24));
        QCOMPARE(sparse.size(), 2);
        QCOMPARE(sparse[1].position, QPointF(100, 3));
    }

    void structureSwitchReplacesOnlyTheStructure()
    {
        Project project = fixtures::richProject();
        const Episode before = project.episodes[0];
        const Episode other = project.episodes[1];
        const QList<Act> earlier = structureTemplate(StructureKind::heroJourney);

        QVERIFY(edits::switchStructure(project, before.id, StructureKind::heroJourney));
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
        QVERIFY(!edits::switchStructure(project, QUuid::createUuid(), StructureKind::threeAct));
        QCOMPARE(project, kept);
    }

    void actsAndBeats()
    {
        Project project;
        const QUuid episode = project.episodes[0].id;
        const QUuid first = edits::addAct(project, episode);
        const QUuid second = edits::addAct(project, episode);
        const QUuid third = edits::addAct(project, episode);
        QCOMPARE(countsText(project.episodes[0]), u"3 acts · 3 beats"_s);
        QCOMPARE(titles(project.episodes[0].structure.acts.last()), QStringList{u"First Beat"_s});
        QVERIFY(edits::deleteAct(project, episode, second));
        QCOMPARE(project.episodes[0].structure.acts.size(), 2);
        QCOMPARE(project.episodes[0].structure.acts.first().id, first);
        QCOMPARE(project.episodes[0].structure.acts.last().id, third);
        QVERIFY(!edits::deleteAct(project, episode, second));
        QVERIFY(edits::addAct(project, QUuid::createUuid()).isNull());

        Act& act = project.episodes[0].structure.acts.last();
        act.beats.clear();
        for (const QString& title : {u"One"_s, u"Two"_s, u"Three"_s})
            act.beats << Beat{.title = title};
        const QUuid one = act.beats[0].id;
        QVERIFY(edits::moveBeat(project, episode, third, one, +1));
        QVERIFY(edits::moveBeat(project, episode, third, one, +1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));
        // Nothing wraps at either end, and a gone beat, act or episode moves nothing.
        QVERIFY(!edits::moveBeat(project, episode, third, one, +1));
        QVERIFY(!edits::moveBeat(project, episode, third, act.beats[0].id, -1));
        QVERIFY(!edits::moveBeat(project, episode, third, QUuid::createUuid(), -1));
        QVERIFY(!edits::moveBeat(project, episode, second, one, -1));
        QVERIFY(!edits::moveBeat(project, QUuid::createUuid(), third, one, -1));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"Three"_s, u"One"_s}));

        QVERIFY(!edits::addBeat(project, episode, third).isNull());
        QVERIFY(edits::addBeat(project, episode, second).isNull());
        QVERIFY(edits::deleteBeat(project, episode, third, act.beats[1].id));
        QCOMPARE(titles(act), (QStringList{u"Two"_s, u"One"_s, u"New Beat"_s}));
        QCOMPARE(summaryPlaceholder(act.beats.last()), u"What happens here?"_s);
        QVERIFY(summaryPlaceholder(Beat{.hint = QString(1'000'000, u'x')}).size() < 100'000);

        // The charge button cycles the beat it names, and only that one.
        const QUuid last = act.beats.last().id;
        QVERIFY(edits::cycleBeatCharge(project, episode, third, last));
        QCOMPARE(act.beats.last().charge, 1.0);
        QCOMPARE(act.beats.first().charge, 0.0);
        QVERIFY(!edits::cycleBeatCharge(project, episode, first, last));

        while (!act.beats.isEmpty())
            QVERIFY(edits::deleteBeat(project, episode, third, act.beats.first().id));
        QVERIFY(!edits::deleteBeat(project, episode, third, one));
        QCOMPARE(project.episodes[0].structure.acts.size(), 2);
    }

    void beatFillsKeepWhatTheUserWrote()
    {
        Project project = fixtures::richProject();
        Episode& episode = project.episodes[0];
        Act& act = episode.structure.acts[0];
        act.beats << Beat{.title = u"Second"_s};
        act.beats[0].summary = QString();
        act.beats[1].summary = u"Typed meanwhile"_s;
        const QList<edits::BeatSummaryFill> fills = {
            {act.id, act.beats[0].id, QString(), u"Filled"_s},
            {act.id, act.beats[1].id, QString(), u"Lost"_s},
            {act.id, QUuid::createUuid(), QString(), u"Gone"_s},
        };
        const Project other = project;
        QVERIFY(!edits::fillBeatSummaries(project, project.episodes[1].id, fills));
        QCOMPARE(project, other);
        QVERIFY(edits::fillBeatSummaries(project, other.episodes[0].id, fills));
        const Act& filled = project.episodes[0].structure.acts[0];
        QCOMPARE(filled.beats[0].summary, u"Filled"_s);
        QCOMPARE(filled.beats[1].summary, u"Typed meanwhile"_s);
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
        QCOMPARE(structureAlertMessage(format, StructureKind::heroJourney),
                 u"“Hero's Journey” will replace the current acts and beats for "_s + ending);
    }
};

QTEST_GUILESS_MAIN(StoryEditsTest)
#include "StoryEditsTest.moc"
