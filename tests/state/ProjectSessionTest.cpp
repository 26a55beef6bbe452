// An open production: the edit door, the active episode, the assist runner
// the choice offered after an assist, and the one export run it owns.

#include "state/ProjectSession.h"

#include "services/AIError.h"
#include "services/AIService.h"
#include "services/Settings.h"

#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

Project twoEpisodes()
{
    Project p;
    Episode second;
    second.number = 2;
    p.episodes.append(second);
    return p;
}

QCoro::Task<void> briefly()
{
    co_await QCoro::sleepFor(15ms);
}

} // namespace

class ProjectSessionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editAnnouncesOnlyRealChanges()
    {
        ProjectSession session(Project{});
        QSignalSpy changed(&session, &ProjectSession::projectChanged);

        QVERIFY(!session.edit([](Project&) {}));
        QVERIFY(!session.edit([](Project& p) { p.name = p.name; }));
        QVERIFY(!session.edit([](Project& p) {
            const QString old = p.name;
            p.name = u"Temporary"_s;
            p.name = old;
        }));
        QVERIFY(!session.edit({}));
        QCOMPARE(changed.count(), 0);

        QVERIFY(session.edit([](Project& p) { p.episodes[0].title = u"Pilot"_s; }));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(session.project().episodes.at(0).title, u"Pilot"_s);
        QVERIFY(session.edit([](Project& p) { p.idea.tone.humor = 0.9; }));
        QCOMPARE(changed.count(), 2);
    }

    void aChangeThatThrowsLeavesTheProductionAsItWas()
    {
        ProjectSession session(Project{});
        const Project before = session.project();
        QSignalSpy changed(&session, &ProjectSession::projectChanged);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, session.edit([](Project& p) {
            p.name = u"Half"_s;
            throw std::runtime_error("interrupted");
        }));
        QCOMPARE(session.project(), before);
        QCOMPARE(changed.count(), 0);
    }

    void anEditFromInsideAnEditJoinsIt()
    {
        ProjectSession session(Project{});
        QStringList seen; // the names observers saw, one entry per announcement
        connect(&session, &ProjectSession::projectChanged, &session,
                [&] { seen << session.project().name + u"/"_s + session.project().idea.logline; });
        bool innerChanged = false;
        QVERIFY(session.edit([&](Project& p) {
            p.name = u"Outer"_s;
            innerChanged = session.edit([](Project& q) { q.idea.logline = u"Inner"_s; });
            QCOMPARE(p.idea.logline, u"Inner"_s); // written into the same copy
        }));
        QVERIFY(innerChanged);
        QCOMPARE(seen, QStringList{u"Outer/Inner"_s});

        // Joined edits that change nothing announce nothing; a throw drops both.
        QVERIFY(!session.edit([&](Project&) { QVERIFY(!session.edit([](Project&) {})); }));
        const Project before = session.project();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, session.edit([&](Project&) {
            session.edit([](Project& q) { q.name = u"Lost"_s; });
            throw std::runtime_error("interrupted");
        }));
        QCOMPARE(session.project(), before);
        QCOMPARE(seen.size(), 1);
        QVERIFY(session.edit([](Project& p) { p.name = u"Later"_s; })); // the door still works
        QCOMPARE(seen.size(), 2);
    }

    void activeEpisodeFollowsTheIdAndFallsBackToTheFirst()
    {
        const Project p = twoEpisodes();
        ProjectSession session(p);
        QCOMPARE(session.id(), p.id);
        QCOMPARE(session.activeEpisodeID(), p.episodes.at(0).id);
        QCOMPARE(session.activeEpisodeIndex(), 0);

        QSignalSpy changed(&session, &ProjectSession::activeEpisodeIDChanged);
        session.setActiveEpisodeID(p.episodes.at(1).id);
        QCOMPARE(session.activeEpisodeIndex(), 1);
        QCOMPARE(session.activeEpisode().number, qint64(2));
        session.setActiveEpisodeID(p.episodes.at(1).id);
        QCOMPARE(changed.count(), 1);

        // The episode it named is deleted: the first one is worked on.
        session.edit([](Project& project) { project.episodes.removeLast(); });
        QCOMPARE(session.activeEpisodeIndex(), 0);
        QCOMPARE(session.activeEpisode().id, p.episodes.at(0).id);
        session.setActiveEpisodeID(newId());
        QCOMPARE(session.activeEpisode().id, p.episodes.at(0).id);
    }

    void aProductionWithoutEpisodesWorksOnAnUnstoredEmptyOne()
    {
        Project p;
        p.episodes.clear();
        ProjectSession session(p);
        QVERIFY(!session.activeEpisodeID().isNull());
        QCOMPARE(session.activeEpisodeIndex(), 0);
        const Episode e = session.activeEpisode();
        QCOMPARE(e.number, qint64(1));
        QVERIFY(e.title.isEmpty() && e.synopsis.isEmpty());
        QCOMPARE(e.structure.kind, StructureKind::threeAct);
        QVERIFY(e.structure.acts.isEmpty() && e.scenes.isEmpty());
        QVERIFY(session.project().episodes.isEmpty());
    }

    void newSessionStartsFromTheDefaultProfile()
    {
        ProjectSession session(Project{});
        const GenerationProfile expected{8.0, true, true, 3, u"1080p"_s, 1};
        QCOMPARE(session.profile(), expected);
        QVERIFY(!session.aiBusy() && !session.aiError() && !session.choicePrompt());
        QVERIFY(session.jobs().isEmpty() && !session.isRendering());
    }

    void assistIsBusyBeforeItsWorkAndDropsASecondCall()
    {
        ProjectSession session(Project{});
        session.setAiError(u"Earlier failure"_s);
        QSignalSpy busy(&session, &ProjectSession::aiBusyChanged);

        int runs = 0;
        std::optional<QString> errorSeenByWork = u"unset"_s;
        auto work = [&]() -> QCoro::Task<void> {
            ++runs;
            errorSeenByWork = session.aiError();
            co_await briefly();
        };
        session.runAssist(work);
        QVERIFY(session.aiBusy());
        QCOMPARE(errorSeenByWork, std::nullopt); // cleared before the work ran
        session.runAssist(work);                 // same turn: dropped
        QCOMPARE(runs, 1);

        // While busy, a call leaves the error as it is.
        session.setAiError(u"Banner text"_s);
        session.runAssist(work);
        QCOMPARE(session.aiError(), std::optional<QString>(u"Banner text"_s));

        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(runs, 1);
        QCOMPARE(busy.count(), 2);
        QCOMPARE(session.aiError(), std::optional<QString>(u"Banner text"_s));
        session.runAssist(work);
        QCOMPARE(runs, 2);
        QTRY_VERIFY(!session.aiBusy());
    }

    void failuresBecomeTheErrorText_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("afterAwait");
        QTest::addColumn<QString>("text");
        QTest::newRow("runtime error") << 0 << true << u"boom"_s;
        QTest::newRow("thrown before any await") << 0 << false << u"boom"_s;
        QTest::newRow("decoding error") << 1 << true << u"The AI service's reply couldn't be read (choices[0]: missing key)."_s;
        QTest::newRow("not a std::exception") << 2 << true << u"Unknown error."_s;
    }

    void failuresBecomeTheErrorText()
    {
        QFETCH(int, kind);
        QFETCH(bool, afterAwait);
        QFETCH(QString, text);

        ProjectSession session(Project{});
        session.runAssist([kind, afterAwait]() -> QCoro::Task<void> {
            if (afterAwait)
                co_await briefly();
            if (kind == 0)
                throw std::runtime_error("boom");
            if (kind == 1)
                throw DecodingError(u"choices[0]: missing key"_s);
            throw 42;
        });
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.aiError(), std::optional<QString>(text));
    }

    // "No AI key set" and the like follow the settings as they change: they
    // go once the fault is mended, and no sooner; other failures stay.
    void anErrorAboutTheSettingsGoesOnceTheyAreMended()
    {
        Settings& settings = Settings::instance();
        const auto restore = qScopeGuard([&settings] {
            settings.remove(Settings::aiAPIKeyKey);
            settings.remove(Settings::aiModelKey);
        });
        settings.remove(Settings::aiAPIKeyKey);
        ProjectSession session(Project{});
        QSignalSpy changes(&session, &ProjectSession::aiErrorChanged);
        AIService service(nullptr); // every request here fails before it is sent
        const auto ask = [&] {
            session.runAssist([&service]() -> QCoro::Task<void> {
                co_await service.complete(u"system"_s, u"user"_s, true, 16);
            });
            QTRY_VERIFY(!session.aiBusy());
        };

        ask();
        QCOMPARE(session.aiError(), AIError::missingKey().description());
        settings.setString(Settings::aiModelKey, u"another-model"_s);
        QVERIFY(session.aiError());
        changes.clear();
        settings.setString(Settings::aiAPIKeyKey, u"s"_s);
        QVERIFY(!session.aiError());
        QCOMPARE(changes.count(), 1);

        settings.setString(Settings::aiAPIKeyKey, u"sk-1\n"_s);
        ask();
        QCOMPARE(session.aiError(), AIError::badKey().description());
        settings.setString(Settings::aiAPIKeyKey, u"sk-12\n"_s);
        QVERIFY(session.aiError());
        settings.setString(Settings::aiAPIKeyKey, u"sk-12"_s);
        QVERIFY(!session.aiError());

        session.setAiError(u"AI request failed (500). "_s);
        settings.remove(Settings::aiAPIKeyKey);
        settings.setString(Settings::aiAPIKeyKey, u"sk-123"_s);
        QCOMPARE(session.aiError(), u"AI request failed (500). "_s);

        // A failure that only reads as one is no settings fault.
        const QString lookalike = AIError::missingKey().description();
        session.runAssist([lookalike]() -> QCoro::Task<void> {
            throw std::runtime_error(lookalike.toStdString());
            co_return;
        });
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.aiError(), lookalike);
        settings.setString(Settings::aiAPIKeyKey, u"sk-1234"_s);
        QCOMPARE(session.aiError(), lookalike);
    }

    void anEmptyWorkIsReportedNotThrown()
    {
        ProjectSession session(Project{});
        session.runAssist({});
        QVERIFY(!session.aiBusy());
        QVERIFY(session.aiError().has_value());
    }

    void theWorkStaysAliveForTheWholeRun()
    {
        ProjectSession session(Project{});
        auto token = std::make_shared<int>(0);
        std::weak_ptr<int> watch = token;
        session.runAssist([token]() -> QCoro::Task<void> {
            co_await briefly();
            ++*token; // a capture read after the await
            co_await briefly();
            ++*token;
        });
        token.reset();
        QVERIFY(!watch.expired());
        QTRY_VERIFY(!session.aiBusy());
        QVERIFY(watch.expired()); // released once the run is over
        QVERIFY(!session.aiError());
    }

    void closingTheSessionMidAssistDropsTheResult()
    {
        auto* session = new ProjectSession(Project{});
        QPointer<ProjectSession> guard(session);
        bool resumed = false;
        session->runAssist([&resumed, guard]() -> QCoro::Task<void> {
            co_await briefly();
            resumed = true;
            if (guard)
                guard->edit([](Project& p) { p.name = u"late"_s; });
            throw std::runtime_error("after close");
        });
        delete session;
        // The work resumes, finds its session gone, and its failure goes nowhere.
        QTRY_VERIFY(resumed);
    }

    void choosingAnOptionAppliesItAndClosesThePrompt()
    {
        ProjectSession session(Project{});
        AIChoicePrompt prompt{.title = u"Pick a logline"_s, .subtitle = u"Two takes"_s, .options = {}};
        prompt.options.append(AIChoiceOption{.label = u"A"_s, .detail = {},
                                             .apply = [](Project& p) { p.idea.logline = u"A"_s; }});
        prompt.options.append(AIChoiceOption{.label = u"B"_s, .detail = u"bolder"_s,
                                             .apply = [](Project& p) { p.idea.logline = u"B"_s; }});
        QSignalSpy promptChanged(&session, &ProjectSession::choicePromptChanged);
        QSignalSpy changed(&session, &ProjectSession::projectChanged);
        session.setChoicePrompt(prompt);
        QCOMPARE(promptChanged.count(), 1);

        QVERIFY(!session.applyChoice(newId())); // not an option of this prompt
        QVERIFY(session.choicePrompt().has_value());

        QVERIFY(session.applyChoice(prompt.options.at(1).id));
        QCOMPARE(session.project().idea.logline, u"B"_s);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!session.choicePrompt());
        QCOMPARE(promptChanged.count(), 2);
        QVERIFY(!session.applyChoice(prompt.options.at(0).id)); // nothing pending any more

        session.setChoicePrompt(prompt);
        session.dismissChoice();
        QVERIFY(!session.choicePrompt());
        QCOMPARE(session.project().idea.logline, u"B"_s);
        QCOMPARE(changed.count(), 1);
    }

    void oneExportAtATimeAndItsOutcomeStays()
    {
        QTemporaryDir root;
        ProjectSession session(twoEpisodes());
        session.setExportTarget(root.path(), 1ms);
        QSignalSpy changed(&session, &ProjectSession::exportChanged);
        QVERIFY(!session.exportRun());
        QVERIFY(session.startExport(u"streaming"_s));
        const ExportRun* run = session.exportRun();
        QVERIFY(run && run->isRunning());
        QCOMPARE(changed.size(), 1);
        // A second Export while it runs starts nothing; the preset can still change.
        QVERIFY(!session.startExport(u"web"_s));
        QCOMPARE(session.exportRun(), run);
        session.setExportPresetID(u"archive"_s);
        QTRY_VERIFY(!session.exportRun());
        QVERIFY(session.lastExport()->path->endsWith(u" \u2014 Archive Master.json"_s));
        QVERIFY(!session.lastExport()->error);
        QVERIFY(changed.size() > 2);
        // The next run clears the last outcome while it goes on.
        QVERIFY(session.startExport(u"web"_s));
        QVERIFY(!session.lastExport());
        session.finishExport();
        QVERIFY(!session.exportRun());
        QVERIFY(session.lastExport()->path->endsWith(u" \u2014 Web & Social.json"_s));
    }
};

QTEST_GUILESS_MAIN(ProjectSessionTest)
#include "ProjectSessionTest.moc"
