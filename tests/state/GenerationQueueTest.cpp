// The generation queue of a session and its simulated renderer.

#include "state/ProjectSession.h"

#include "model/PromptComposer.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto fastStep = 1ms;

Shot makeShot(ShotSize size, double seconds = 5.0)
{
    Shot s;
    s.size = size;
    s.seconds = seconds;
    s.what = u"Something happens"_s;
    return s;
}

// Episode 1: scene 1 (WS, MS), scene 2 (CU, ECU, 2S, 20-second EWS). Episode 2: one scene with one shot.
Project board()
{
    Project p;
    SceneCard one;
    one.shots = {makeShot(ShotSize::wide), makeShot(ShotSize::medium)};
    SceneCard two;
    two.shots = {makeShot(ShotSize::closeUp), makeShot(ShotSize::extremeClose), makeShot(ShotSize::twoShot),
                 makeShot(ShotSize::extremeWide, 20.0)};
    p.episodes[0].scenes = {one, two};
    Episode second;
    second.number = 2;
    SceneCard elsewhere;
    elsewhere.shots = {makeShot(ShotSize::insert)};
    second.scenes = {elsewhere};
    p.episodes.append(second);
    return p;
}

QUuid shotID(const ProjectSession& s, int scene, int shot, int episode = 0)
{
    return s.project().episodes.at(episode).scenes.at(scene).shots.at(shot).id;
}

const Shot& shotAt(const ProjectSession& s, int scene, int shot)
{
    return s.project().episodes.at(0).scenes.at(scene).shots.at(shot);
}

// Runs the event loop (not QTest's polling, which sleeps between rounds)
// until the renderer is idle.
bool finishRendering(ProjectSession& session)
{
    if (!session.isRendering())
        return true;
    QSignalSpy spy(&session, &ProjectSession::isRenderingChanged);
    return spy.wait(5000) && !session.isRendering();
}

QStringList titles(const QList<GenerationJob>& jobs)
{
    QStringList out;
    for (const GenerationJob& j : jobs)
        out.append(j.title);
    return out;
}

} // namespace

class GenerationQueueTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enqueueFollowsTheStoryboardOfTheActiveEpisode()
    {
        ProjectSession session(board(), nullptr, fastStep);
        QSignalSpy jobsChanged(&session, &ProjectSession::jobsChanged);
        const QUuid other = shotID(session, 0, 0, 1);
        session.enqueue({shotID(session, 1, 3), shotID(session, 1, 0), other, shotID(session, 0, 1),
                         shotID(session, 1, 0), newId()});
        QCOMPARE(titles(session.jobs()),
                 (QStringList{u"Scene 1 · Shot 2 · MS"_s, u"Scene 2 · Shot 1 · CU"_s, u"Scene 2 · Shot 4 · EWS"_s}));
        QCOMPARE(jobsChanged.count(), 1);

        const GenerationJob& job = session.jobs().at(2);
        const Episode& episode = session.project().episodes.at(0);
        QCOMPARE(job.shotID, shotID(session, 1, 3));
        QCOMPARE(job.sceneID, episode.scenes.at(1).id);
        QCOMPARE(job.episodeID, episode.id);
        QCOMPARE(job.state, JobState::queued);
        QCOMPARE(job.progress, 0.0);
        // 20 seconds under an 8-second limit: three clips, composed at queuing time.
        const QList<ClipPlan> expected =
            PromptComposer::clips(shotAt(session, 1, 3), episode.scenes.at(1), session.project(), session.profile());
        QCOMPARE(job.clips.size(), 3);
        QCOMPARE(job.clips.at(1).prompt, expected.at(1).prompt);
        QCOMPARE(job.clips.at(2).seconds, expected.at(2).seconds);

        session.enqueue({});
        session.enqueue({other});
        QCOMPARE(jobsChanged.count(), 1);

        // Another episode made active queues its own shots.
        session.setActiveEpisodeID(session.project().episodes.at(1).id);
        session.enqueue({other});
        QCOMPARE(session.jobs().last().title, u"Scene 1 · Shot 1 · INS"_s);
    }

    void enqueueSkipsShotsWithAPendingJob()
    {
        ProjectSession session(board(), nullptr, fastStep);
        const QList<QUuid> sceneTwo = {shotID(session, 1, 0), shotID(session, 1, 1), shotID(session, 1, 2)};
        session.enqueue({sceneTwo.at(1)});
        session.renderAll(); // the job is rendering now
        QCOMPARE(session.jobs().at(0).state, JobState::rendering);

        session.enqueue(sceneTwo);
        QCOMPARE(titles(session.jobs()),
                 (QStringList{u"Scene 2 · Shot 2 · ECU"_s, u"Scene 2 · Shot 1 · CU"_s, u"Scene 2 · Shot 3 · 2S"_s}));
        session.enqueue(sceneTwo); // all three pending: nothing new
        QCOMPARE(session.jobs().size(), 3);

        QVERIFY(finishRendering(session));
        session.enqueue({sceneTwo.at(1)}); // its job is done: a second job
        QCOMPARE(session.jobs().size(), 4);
        QCOMPARE(session.jobs().last().state, JobState::queued);
    }

    void titlesAndPlansKeepTheirQueuingTime()
    {
        ProjectSession session(board(), nullptr, fastStep);
        const QUuid id = shotID(session, 0, 1);
        session.enqueue({id});
        const QString prompt = session.jobs().at(0).clips.at(0).prompt;
        session.edit([](Project& p) {
            auto& shots = p.episodes[0].scenes[0].shots;
            shots.move(1, 0);
            shots[0].what = u"Rewritten"_s;
        });
        QCOMPARE(session.jobs().at(0).title, u"Scene 1 · Shot 2 · MS"_s);
        QCOMPARE(session.jobs().at(0).clips.at(0).prompt, prompt);
    }

    void rendererWorksThroughTheQueueOneJobAtATime()
    {
        ProjectSession session(board(), nullptr, fastStep);
        const QUuid a = shotID(session, 0, 0), b = shotID(session, 1, 0);
        session.edit([](Project& p) { p.episodes[0].scenes[1].shots[0].takes = {Take{}, Take{}}; });
        session.enqueue({a, b});

        // Every change of the queue: at most one job rendering, progress only grows.
        QList<double> progressA;
        connect(&session, &ProjectSession::jobsChanged, this, [&] {
            int rendering = 0;
            for (const GenerationJob& j : session.jobs())
                rendering += j.state == JobState::rendering ? 1 : 0;
            QVERIFY(rendering <= 1);
            const GenerationJob& first = session.jobs().at(0);
            if (progressA.isEmpty() || progressA.last() != first.progress)
                progressA.append(first.progress);
        });
        QSignalSpy renderingChanged(&session, &ProjectSession::isRenderingChanged);
        session.renderAll();
        QVERIFY(session.isRendering());
        session.renderAll(); // already running: returns at once
        QVERIFY(finishRendering(session));
        QCOMPARE(renderingChanged.count(), 2);

        QCOMPARE(progressA.size(), 1 + ProjectSession::renderStepsPerJob);
        QCOMPARE(progressA.at(1), 1.0 / 22.0);
        QCOMPARE(progressA.last(), 1.0);
        for (const GenerationJob& j : session.jobs()) {
            QCOMPARE(j.state, JobState::done);
            QCOMPARE(j.progress, 1.0);
        }

        // One take each (the default profile), numbered after the existing ones.
        QCOMPARE(shotAt(session, 0, 0).takes.size(), 1);
        QCOMPARE(shotAt(session, 0, 0).takes.at(0).note, u"Take 1"_s);
        QCOMPARE(shotAt(session, 1, 0).takes.size(), 3);
        QCOMPARE(shotAt(session, 1, 0).takes.at(2).note, u"Take 3"_s);
        QVERIFY(!shotAt(session, 1, 0).approvedTakeID);
    }

    void takesPerRender_data()
    {
        QTest::addColumn<qint64>("variants");
        QTest::addColumn<int>("takes");
        QTest::newRow("three") << qint64(3) << 3;
        QTest::newRow("zero counts as one") << qint64(0) << 1;
        QTest::newRow("negative counts as one") << qint64(-4) << 1;
    }

    void takesPerRender()
    {
        QFETCH(qint64, variants);
        QFETCH(int, takes);
        ProjectSession session(board(), nullptr, fastStep);
        GenerationProfile profile = session.profile();
        profile.variantsPerShot = variants;
        session.setProfile(profile);
        const Shot before = shotAt(session, 0, 1);
        session.enqueue({before.id});
        session.renderAll();
        QVERIFY(finishRendering(session));

        const QList<Take> got = shotAt(session, 0, 1).takes;
        QCOMPARE(got.size(), takes);
        QSet<QString> seeds;
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got.at(i).note, u"Take %1"_s.arg(i + 1));
            QVERIFY(parseUuid(got.at(i).seed).has_value());
            QCOMPARE(got.at(i).seed, got.at(i).seed.toUpper());
            seeds.insert(got.at(i).seed);
        }
        QCOMPARE(seeds.size(), takes);
        QVERIFY(!seeds.contains(before.frameSeed));
    }

    void renderAllWithNothingQueuedStopsInTheSameCall()
    {
        ProjectSession session(board(), nullptr, fastStep);
        QSignalSpy renderingChanged(&session, &ProjectSession::isRenderingChanged);
        session.renderAll();
        QVERIFY(!session.isRendering());
        QCOMPARE(renderingChanged.count(), 2);
    }

    void jobsQueuedWhileRenderingArePickedUp()
    {
        ProjectSession session(board(), nullptr, fastStep);
        session.enqueue({shotID(session, 0, 0)});
        session.renderAll();
        session.enqueue({shotID(session, 0, 1)});
        QVERIFY(finishRendering(session));
        QCOMPARE(session.jobs().at(1).state, JobState::done);
        QCOMPARE(shotAt(session, 0, 1).takes.size(), 1);
    }

    void clearingFinishedJobsKeepsTheRendererOnItsJob()
    {
        ProjectSession session(board(), nullptr, fastStep);
        const QUuid first = shotID(session, 0, 0), second = shotID(session, 0, 1), third = shotID(session, 1, 0);
        session.enqueue({first, second, third});
        // Cleared at the first step of the second job: the done job ahead of it goes.
        QList<GenerationJob> afterClear;
        connect(&session, &ProjectSession::jobsChanged, this, [&] {
            if (afterClear.isEmpty() && session.jobs().size() == 3 && session.jobs().at(1).progress > 0.0) {
                session.clearFinishedJobs();
                afterClear = session.jobs();
            }
        });
        session.renderAll();
        QVERIFY(finishRendering(session));

        QCOMPARE(afterClear.size(), 2);
        QCOMPARE(afterClear.at(0).shotID, second);
        QCOMPARE(afterClear.at(0).state, JobState::rendering);
        QCOMPARE(afterClear.at(1).state, JobState::queued);
        QCOMPARE(session.jobs().at(0).progress, 1.0);
        QCOMPARE(shotAt(session, 0, 0).takes.size(), 1);
        QCOMPARE(shotAt(session, 0, 1).takes.size(), 1);
        QCOMPARE(shotAt(session, 1, 0).takes.size(), 1);
        session.clearFinishedJobs();
        QVERIFY(session.jobs().isEmpty());
    }

    void clearFinishedKeepsQueuedAndRenderingInOrder()
    {
        ProjectSession session(board(), nullptr, fastStep);
        GenerationJob done1, queued1, failed, rendering, done2, queued2;
        done1.state = done2.state = JobState::done;
        failed.state = JobState::failed;
        rendering.state = JobState::rendering;
        session.setJobs({done1, queued1, failed, rendering, done2, queued2});
        session.clearFinishedJobs();
        QCOMPARE(session.jobs(), (QList<GenerationJob>{queued1, rendering, queued2}));
    }

    void aJobRemovedMidRenderStopsTheRenderer()
    {
        ProjectSession session(board(), nullptr, fastStep);
        session.enqueue({shotID(session, 0, 0), shotID(session, 0, 1)});
        bool removed = false;
        connect(&session, &ProjectSession::jobsChanged, this, [&] {
            if (!removed && session.jobs().at(0).progress > 0.0) {
                removed = true;
                session.setJobs({session.jobs().at(1)});
            }
        });
        session.renderAll();
        QVERIFY(finishRendering(session));
        QVERIFY(removed);
        QCOMPARE(session.jobs().at(0).state, JobState::queued); // stays queued for the next run
        QVERIFY(shotAt(session, 0, 0).takes.isEmpty());
        QVERIFY(shotAt(session, 0, 1).takes.isEmpty());

        session.renderAll();
        QVERIFY(finishRendering(session));
        QCOMPARE(shotAt(session, 0, 1).takes.size(), 1);
    }

    void aShotDeletedWhileQueuedRendersToNothing()
    {
        ProjectSession session(board(), nullptr, fastStep);
        session.enqueue({shotID(session, 1, 1)});
        session.edit([](Project& p) { p.episodes[0].scenes[1].shots.removeAt(1); });
        const Project before = session.project();
        QSignalSpy changed(&session, &ProjectSession::projectChanged);
        session.renderAll();
        QVERIFY(finishRendering(session));
        QCOMPARE(session.jobs().at(0).state, JobState::done);
        QCOMPARE(session.project(), before);
        QCOMPARE(changed.count(), 0);
    }

    void takesReachTheProductionThroughTheEditDoor()
    {
        ProjectSession session(board(), nullptr, fastStep);
        QSignalSpy changed(&session, &ProjectSession::projectChanged);
        session.enqueue({shotID(session, 0, 0), shotID(session, 0, 1)});
        session.renderAll();
        QVERIFY(finishRendering(session));
        QCOMPARE(changed.count(), 2); // one change per finished job
    }

    void closingTheSessionMidRenderStopsEverything()
    {
        auto* session = new ProjectSession(board(), nullptr, fastStep);
        session->enqueue({shotID(*session, 0, 0), shotID(*session, 1, 0)});
        session->renderAll();
        QTRY_VERIFY(session->jobs().at(0).progress > 0.0);
        delete session;
        QTest::qWait(80);

        // Also when closed from inside one of its own change signals, which
        // (like every close) destroys it later, never in the signal.
        auto* closing = new ProjectSession(board(), nullptr, fastStep);
        QPointer<ProjectSession> guard(closing);
        connect(closing, &ProjectSession::projectChanged, closing, [closing] { closing->deleteLater(); });
        closing->enqueue({shotID(*closing, 0, 0), shotID(*closing, 0, 1)});
        closing->renderAll();
        QTRY_VERIFY(guard.isNull());
        QTest::qWait(80);
    }
};

QTEST_GUILESS_MAIN(GenerationQueueTest)
#include "GenerationQueueTest.moc"
