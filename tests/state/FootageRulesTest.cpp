// What the footage screen shows, without widgets: clip counts from any length
// a file can hold, the engine's statistics and which scenes anchor their
// prompts, selection by scene and what is left of a selection, the texts and
// states of the render queue; and the takes a finished render lands.

#include "model/PromptComposer.h"
#include "state/edits/FootageEdits.h"
#include "state/rules/FootageRules.h"

#include <QtTest>
#include <limits>

using namespace studio;
using namespace studio::rules;
using namespace Qt::StringLiterals;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

Shot shot(double seconds, ShotSize size = ShotSize::medium)
{
    Shot s;
    s.seconds = seconds;
    s.size = size;
    return s;
}

GenerationJob job(JobState state)
{
    GenerationJob j;
    j.state = state;
    return j;
}

} // namespace

class FootageRulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clipCount_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("maxClip");
        QTest::addColumn<int>("clips");
        QTest::newRow("zero length") << 0.0 << 8.0 << 1;
        QTest::newRow("exact multiple") << 16.0 << 8.0 << 2;
        QTest::newRow("just over") << 8.5 << 8.0 << 2;
        QTest::newRow("twelve under eight") << 12.0 << 8.0 << 2;
        QTest::newRow("twelve under twelve") << 12.0 << 12.0 << 1;
        QTest::newRow("twenty under eight") << 20.0 << 8.0 << 3;
        QTest::newRow("negative") << -30.0 << 8.0 << 1;
        QTest::newRow("not a number") << notANumber << 8.0 << 1;
        QTest::newRow("infinite") << inf << 8.0 << 1;
        QTest::newRow("huge is capped") << 1e300 << 4.0 << PromptComposer::maxClipsPerShot;
        QTest::newRow("zero clip length splits nothing") << 30.0 << 0.0 << 1;
        QTest::newRow("clip length not a number") << 30.0 << notANumber << 1;
    }

    void clipCount()
    {
        QFETCH(double, seconds);
        QFETCH(double, maxClip);
        QFETCH(int, clips);
        QCOMPARE(rules::clipCount(seconds, maxClip), clips);
        // The manifest promises what a queued job will plan.
        GenerationProfile profile;
        profile.maxClipSeconds = maxClip;
        if (clips < 100)
            QCOMPARE(PromptComposer::clips(shot(seconds), SceneCard{}, Project{}, profile).size(), clips);
    }

    void rowAndSceneTexts()
    {
        Shot s = shot(5, ShotSize::mediumClose);
        s.move = CameraMove::pushIn;
        QCOMPARE(shotRowTitle(s, 2, 3), u"Shot 2.3 · MCU · Push In"_s);

        Project p;
        Location kitchen;
        kitchen.name = u"Kitchen"_s;
        p.locations = {kitchen};
        SceneCard scene;
        scene.locationID = kitchen.id;
        scene.timeOfDay = TimeOfDay::night;
        QCOMPARE(manifestSceneTitle(scene, 2, p.locations), u"SCENE 2 — INT. KITCHEN — NIGHT"_s);

        QCOMPARE(shotLengthText(4.5), u"4s"_s); // ties to even, as printf does
        QCOMPARE(shotLengthText(4.8), u"5s"_s);
        QCOMPARE(shotLengthText(notANumber), u"0s"_s);
        QCOMPARE(shotLengthText(-inf), u"0s"_s);
        QCOMPARE(clipChipText(1), u"1 clip"_s);
        QCOMPARE(clipChipText(2), u"2 clips"_s);
    }

    void selectionByScene()
    {
        SceneCard scene, other;
        scene.shots = {Shot{}, Shot{}};
        other.shots = {Shot{}};
        const QUuid a = scene.shots[0].id, b = scene.shots[1].id, elsewhere = other.shots[0].id;
        // Some selected: the rest join, other scenes stay.
        QSet<QUuid> selection = toggledSceneSelection({a, elsewhere}, &scene);
        QCOMPARE(selection, (QSet<QUuid>{a, b, elsewhere}));
        // All selected: the scene's shots leave, other scenes stay.
        selection = toggledSceneSelection(selection, &scene);
        QCOMPARE(selection, QSet<QUuid>{elsewhere});
        // A scene without shots, or one that is gone, changes nothing.
        const SceneCard empty;
        QCOMPARE(toggledSceneSelection({elsewhere}, &empty), QSet<QUuid>{elsewhere});
        QCOMPARE(toggledSceneSelection({elsewhere}, nullptr), QSet<QUuid>{elsewhere});

        // What is left of a selection: only shots of the episode shown.
        Episode episode;
        episode.scenes = {scene};
        const QUuid deleted = QUuid::createUuid();
        QCOMPARE(selectionInEpisode({a, elsewhere, deleted}, &episode), QSet<QUuid>{a});
        QVERIFY(selectionInEpisode({a}, nullptr).isEmpty());
    }

    void engineStatistics()
    {
        Project p;
        CastMember listedWithLook, listedPlain, unlistedWithLook;
        listedWithLook.look = u"Red coat"_s;
        unlistedWithLook.look = u"Scar"_s;
        Location plainSet, lookedSet;
        lookedSet.look = u"Sodium light"_s;
        p.cast = {listedWithLook, listedPlain, unlistedWithLook};
        p.locations = {plainSet, lookedSet};

        SceneCard byCast; // anchored by a listed member's look: counts its 2 shots
        byCast.castIDs = {listedWithLook.id};
        byCast.shots = {shot(2.4), shot(2.4)};
        SceneCard byLocation; // anchored by its location
        byLocation.locationID = lookedSet.id;
        byLocation.shots = {shot(20)};
        SceneCard plain; // listed member without a look, plain set, unlisted member with a look
        plain.castIDs = {listedPlain.id};
        plain.locationID = plainSet.id;
        plain.shots = {shot(0), shot(notANumber)};
        SceneCard removed; // lists a member no longer in the cast and a location that's gone
        removed.castIDs = {QUuid::createUuid()};
        removed.locationID = QUuid::createUuid();
        removed.shots = {shot(1)};
        Episode episode;
        episode.scenes = {byCast, byLocation, plain, removed, SceneCard{}};

        GenerationProfile profile;
        EngineStats stats = engineStats(p, &episode, profile);
        QCOMPARE(stats.shots, 6);
        QCOMPARE(stats.clips, 1 + 1 + 3 + 1 + 1 + 1);
        QCOMPARE(shotLengthText(stats.seconds), u"26s"_s); // 4.8 + 20 + 0 + 1; the unreadable length adds nothing
        QCOMPARE(stats.anchored, 3);

        profile.maxClipSeconds = 20;
        QCOMPARE(engineStats(p, &episode, profile).clips, 6);

        // A look given to the listed member anchors the plain scene's shots too.
        p.cast[1].look = u"Glasses"_s;
        QCOMPARE(engineStats(p, &episode, profile).anchored, 5);

        QCOMPARE(engineStats(p, nullptr, profile), EngineStats{});
    }

    void queueTexts()
    {
        const QList<GenerationJob> jobs = {job(JobState::queued), job(JobState::queued), job(JobState::rendering),
                                           job(JobState::done),   job(JobState::done),   job(JobState::done),
                                           job(JobState::failed)};
        QCOMPARE(queueSubtitle(jobs), u"2 queued · 3 done"_s);
        QCOMPARE(queueSubtitle({}), u"0 queued · 0 done"_s);
        QCOMPARE(queueLabel(0), u"Queue shots"_s);
        QCOMPARE(queueLabel(1), u"Queue 1 shot"_s);
        QCOMPARE(queueLabel(3), u"Queue 3 shots"_s);
    }

    void plannedShots()
    {
        Shot planned = shot(3), rendered = shot(3), approvedWithoutTakes = shot(3), later = shot(3);
        rendered.takes = {Take{}};
        approvedWithoutTakes.approvedTakeID = QUuid::createUuid();
        SceneCard one, two;
        one.shots = {rendered, planned};
        two.shots = {approvedWithoutTakes, later};
        Episode episode;
        episode.scenes = {one, two};
        QCOMPARE(plannedShotIDs(&episode), (QList<QUuid>{planned.id, later.id}));
        QVERIFY(plannedShotIDs(nullptr).isEmpty());
    }

    void renderRow()
    {
        const rules::RenderRow idle = rules::renderRow({job(JobState::queued), job(JobState::done)}, false);
        QCOMPARE(idle.buttonText, u"Render all queued"_s);
        QVERIFY(idle.canRender);
        QVERIFY(idle.canClear);
        const rules::RenderRow running = rules::renderRow({job(JobState::queued), job(JobState::rendering)}, true);
        QCOMPARE(running.buttonText, u"Rendering…"_s);
        QVERIFY(!running.canRender);
        QVERIFY(!running.canClear);
        // Nothing queued: nothing to start; a failed job is finished too.
        const rules::RenderRow finished = rules::renderRow({job(JobState::failed)}, false);
        QVERIFY(!finished.canRender);
        QVERIFY(finished.canClear);
        QVERIFY(!rules::renderRow({}, false).canRender);
    }

    void attachTakesByID()
    {
        Project p;
        SceneCard scene;
        Shot shot;
        shot.takes = {Take{}};
        scene.shots = {shot};
        p.episodes[0].scenes = {scene};
        const QUuid episodeID = p.episodes[0].id;
        QVERIFY(edits::attachTakes(p, episodeID, scene.id, shot.id, 2));
        const QList<Take>& takes = p.episodes[0].scenes[0].shots[0].takes;
        QCOMPARE(takes.size(), 3);
        QCOMPARE(takes.at(1).note, u"Take 2"_s);
        QCOMPARE(takes.at(2).note, u"Take 3"_s);
        QVERIFY(takes.at(1).id != takes.at(2).id);

        const Project before = p;
        QVERIFY(!edits::attachTakes(p, episodeID, scene.id, QUuid::createUuid(), 1));
        QVERIFY(!edits::attachTakes(p, QUuid::createUuid(), scene.id, shot.id, 1)); // another episode's id
        QVERIFY(!edits::attachTakes(p, episodeID, scene.id, shot.id, 0));
        QCOMPARE(p, before);
    }
};

QTEST_GUILESS_MAIN(FootageRulesTest)
#include "FootageRulesTest.moc"
