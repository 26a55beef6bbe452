// The shape every director assist runs in: the result lands in its target by
// id whatever happened meanwhile, a target that is gone takes nothing, and a
// session that is gone is never touched.

#include "support/AssistFixtures.h"
#include "support/AwaitTask.h"

#include "model/Lookup.h"
#include "state/assist/DirectorAssist.h"

#include <QtTest>
#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// Completing a location: the era goes into the location the assist was
// started for, and only while its era is still empty.
std::function<QCoro::Task<void>()> completeLocation(ProjectSession& session, QUuid locationID)
{
    return DirectorAssist::work(
        session, [locationID](const Project& p) { return findLocation(p, locationID); },
        [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
        [](const Project&, const Location& asked, const AIDirector::LocationDetails& details) {
            AssistOutcome outcome;
            outcome.change = [id = asked.id, era = details.era.value_or(QString())](Project& p) {
                if (Location* location = findLocation(p, id); location && location->era.isEmpty())
                    location->era = era;
            };
            return outcome;
        });
}

Project withLocations(int count)
{
    Project p;
    for (int i = 0; i < count; ++i) {
        Location location;
        location.name = u"Place %1"_s.arg(i);
        p.locations << location;
    }
    return p;
}

} // namespace

class DirectorAssistTest : public QObject {
    Q_OBJECT

private:
    ScriptedModel model;

private Q_SLOTS:
    void init()
    {
        model = ScriptedModel();
        model.install();
    }

    void cleanup() { ScriptedModel::uninstall(); }

    void theResultLandsInItsTargetByID()
    {
        Project project;
        project.format = ProjectFormat::series;
        project.episodes = {Episode{}, Episode{}};
        ProjectSession session(project);
        const QUuid target = project.episodes[1].id;
        session.setActiveEpisodeID(target);
        model.hold();
        model.reply(u"{\"cues\":[{\"name\":\"Foghorn\"}]}"_s);
        session.runAssist(DirectorAssist::work(
            session, [target](const Project& p) { return findEpisode(p, target); },
            [](const AIDirector& d, const Project& p, const Episode& e) { return d.musicCues(p, e); },
            [](const Project&, const Episode&, const AIDirector::EpisodeCues& cues) {
                return AssistResults::musicCues(cues);
            }));
        QTRY_COMPARE(model.requestCount(), 1);

        // Meanwhile another episode becomes active and one is put in front of
        // the target: its position changes, its id doesn't.
        session.setActiveEpisodeID(project.episodes[0].id);
        session.edit([](Project& p) { p.episodes.prepend(Episode{}); });
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.aiError(), std::nullopt);
        QCOMPARE(findEpisode(session.project(), target)->musicCues.size(), 1);
        QCOMPARE(session.project().episodes[0].musicCues.size(), 0);
        QCOMPARE(session.project().episodes[1].musicCues.size(), 0);
    }

    void aTargetGoneTakesNothing_data()
    {
        QTest::addColumn<bool>("beforeStart");
        QTest::newRow("gone before the assist starts") << true;
        QTest::newRow("gone while the model answers") << false;
    }

    void aTargetGoneTakesNothing()
    {
        QFETCH(bool, beforeStart);
        ProjectSession session(withLocations(2));
        const QUuid gone = session.project().locations[1].id;
        const auto remove = [&] {
            session.edit([gone](Project& p) { p.locations.removeIf([gone](const Location& l) { return l.id == gone; }); });
        };
        const auto work = completeLocation(session, gone);
        model.hold();
        model.reply(u"{\"era\":\"1890s\"}"_s);
        if (beforeStart)
            remove();
        session.runAssist(work);
        if (!beforeStart) {
            QTRY_COMPARE(model.requestCount(), 1);
            remove();
        }
        const Project afterRemoval = session.project();
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), beforeStart ? 0 : 1);
        QCOMPARE(session.project(), afterRemoval);
        QCOMPARE(session.aiError(), std::nullopt);
    }

    void aClosedSessionIsNeverTouched()
    {
        auto* session = new ProjectSession(withLocations(1));
        auto landed = std::make_shared<int>(0);
        const QUuid id = session->project().locations[0].id;
        model.hold();
        model.reply(u"{\"era\":\"1890s\"}"_s);
        QCoro::Task<bool> run = DirectorAssist::run(
            QPointer<ProjectSession>(session), [id](const Project& p) { return findLocation(p, id); },
            [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
            [landed](const Project&, const Location&, const AIDirector::LocationDetails&) {
                ++*landed;
                return AssistOutcome{};
            });
        QTRY_COMPARE(model.requestCount(), 1);
        delete session; // the tab closes while the model answers
        model.release();
        const TaskOutcome<bool> outcome = awaitTask(std::move(run));
        QVERIFY(!outcome.error);
        QCOMPARE(outcome.value, std::optional<bool>(false));
        QCOMPARE(*landed, 0);
    }
};

QTEST_GUILESS_MAIN(DirectorAssistTest)
#include "DirectorAssistTest.moc"
