// The assist table of each phase and its works run end to end against a
// scripted model: what lands where, the refusals raised before any request,
// and what happens when the world changes while a reply is on its way.

#include "support/AssistFixtures.h"

#include "state/assist/AssistActions.h"

#include <QtTest>
#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

const QString parsingPrefix = u"Couldn't read the model's reply. "_s;

QString shotsReply(const QString& what)
{
    return u"{\"shots\":[{\"what\":\""_s + what + u"\"}]}"_s;
}

Project withPhase(PhaseID phase)
{
    Project p;
    p.activePhase = phase;
    return p;
}

} // namespace

class AssistActionsTest : public QObject {
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

    void tableFollowsThePhase_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("icons");
        QTest::newRow("spark") << PhaseID::spark
                               << QStringList{u"Sharpen my logline (3 options)"_s, u"Draft the premise"_s,
                                              u"Suggest themes & argument"_s, u"Brainstorm idea fragments"_s}
                               << QStringList{u"scope"_s, u"text.alignleft"_s, u"heart.text.square"_s, u"sparkles"_s};
        QTest::newRow("story") << PhaseID::story << QStringList{u"Write the empty beats"_s} << QStringList{u"map"_s};
        QTest::newRow("cast") << PhaseID::cast << QStringList{u"Invent a new character"_s}
                              << QStringList{u"person.badge.plus"_s};
        QTest::newRow("script") << PhaseID::script
                                << QStringList{u"Draft the opening from beats"_s, u"Continue the scene"_s}
                                << QStringList{u"doc.text"_s, u"text.append"_s};
        QTest::newRow("look") << PhaseID::look << QStringList{u"Recommend a look"_s}
                              << QStringList{u"camera.filters"_s};
        QTest::newRow("scenes") << PhaseID::scenes << QStringList{u"Shot lists for empty scenes"_s}
                                << QStringList{u"square.grid.2x2"_s};
        QTest::newRow("footage") << PhaseID::footage << QStringList{} << QStringList{};
        QTest::newRow("cut") << PhaseID::cut << QStringList{u"Suggest music cues"_s} << QStringList{u"music.note"_s};
        QTest::newRow("premiere") << PhaseID::premiere << QStringList{u"Write the press kit"_s}
                                  << QStringList{u"newspaper"_s};
    }

    void tableFollowsThePhase()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, icons);
        ProjectSession session(withPhase(phase));
        const QList<AssistAction> first = AssistActions::forSession(session);
        const QList<AssistAction> second = AssistActions::forSession(session);
        QStringList shownTitles, shownIcons;
        for (int i = 0; i < first.size(); ++i) {
            shownTitles << first[i].title;
            shownIcons << first[i].icon;
            QVERIFY(first[i].work);
            QVERIFY(first[i].id != second[i].id); // fresh on every build
        }
        QCOMPARE(shownTitles, titles);
        QCOMPARE(shownIcons, icons);
    }

    void oneWorkAtATime()
    {
        ProjectSession session(withPhase(PhaseID::spark));
        model.hold();
        QVERIFY(runEntry(session, u"Brainstorm idea fragments"_s));
        QVERIFY(session.aiBusy());
        QVERIFY(runEntry(session, u"Draft the premise"_s)); // dropped by the runner
        QTRY_COMPARE(model.requestCount(), 1);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 1);
    }

    void sparkEntriesLandInTheIdea()
    {
        Project project = withPhase(PhaseID::spark);
        project.idea.premise = u"Mine"_s;
        ProjectSession session(project);

        model.reply(u"{\"options\":[\"A\",\"B\",\"C\",\"D\"]}"_s);
        QVERIFY(runEntry(session, u"Sharpen my logline (3 options)"_s));
        QTRY_VERIFY(!session.aiBusy());
        QVERIFY(session.choicePrompt());
        QCOMPARE(session.choicePrompt()->options.size(), 3);
        QCOMPARE(session.project(), project);
        session.dismissChoice();

        model.reply(u"{\"premise\":\"Drafted\"}"_s);
        QVERIFY(runEntry(session, u"Draft the premise"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.choicePrompt()->title, u"A drafted premise"_s);
        QVERIFY(session.applyChoice(session.choicePrompt()->options[0].id));
        QCOMPARE(session.project().idea.premise, u"Drafted"_s);

        model.reply(u"{\"themes\":[\"Tides\"],\"argument\":\"Light keeps\"}"_s);
        QVERIFY(runEntry(session, u"Suggest themes & argument"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().idea.themes, QStringList{u"Tides"_s});
        QCOMPARE(session.project().idea.argument, u"Light keeps"_s);

        model.reply(u"{\"fragments\":[{\"kind\":\"image\",\"text\":\"A lamp\"},{\"text\":\"A rule\"}]}"_s);
        QVERIFY(runEntry(session, u"Brainstorm idea fragments"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().idea.cards.size(), 2);
        QCOMPARE(session.project().idea.cards[0].text, u"A lamp"_s);
        QCOMPARE(session.aiError(), std::nullopt);
    }

    void castAndCutAppend()
    {
        ProjectSession session(withPhase(PhaseID::cast));
        model.reply(u"{\"name\":\"Mara\",\"role\":\"antagonist\"}"_s);
        QVERIFY(runEntry(session, u"Invent a new character"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().cast.size(), 1);
        QCOMPARE(session.project().cast[0].name, u"Mara"_s);

        session.edit([](Project& p) { p.activePhase = PhaseID::cut; });
        model.reply(u"{\"cues\":[{\"name\":\"Foghorn\",\"mood\":\"low brass\"},{\"name\":\"Gulls\"}]}"_s);
        QVERIFY(runEntry(session, u"Suggest music cues"_s));
        QTRY_VERIFY(!session.aiBusy());
        const QList<MusicCue>& cues = session.project().episodes[0].musicCues;
        QCOMPARE(cues.size(), 2);
        QCOMPARE(cues[1].mood, QString());
    }

    void blankBeatsAreFilledUnlessTheUserTypedMeanwhile()
    {
        Project project = withPhase(PhaseID::story);
        project.episodes = {episodeWithBeats({QString(), QString(), u"Written"_s, u" \t"_s})};
        ProjectSession session(project);
        model.hold();
        model.reply(u"{\"beats\":[{\"index\":0,\"summary\":\"AI one\"},{\"index\":1,\"summary\":\"AI two\"},"
                    u"{\"index\":2,\"summary\":\"AI three\"}]}"_s);
        QVERIFY(runEntry(session, u"Write the empty beats"_s));
        QTRY_COMPARE(model.requestCount(), 1);
        QVERIFY(model.requests().first().contains(u"\n2 | New Act | New Beat"_s)); // the blank beat is asked about
        session.edit([](Project& p) { p.episodes[0].structure.acts[0].beats[1].summary = u"Typed"_s; });
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        const QList<Beat>& beats = session.project().episodes[0].structure.acts[0].beats;
        QCOMPARE(beats[0].summary, u"AI one"_s);
        QCOMPARE(beats[1].summary, u"Typed"_s);
        QCOMPARE(beats[2].summary, u"Written"_s);
        QCOMPARE(beats[3].summary, u"AI three"_s); // and filled
    }

    void scriptDraftFollowsExistingElements()
    {
        Project project = withPhase(PhaseID::script);
        ScriptElement existing;
        existing.text = u"Existing"_s;
        project.episodes[0].script.elements << existing;
        ProjectSession session(project);
        model.reply(u"{\"elements\":[{\"kind\":\"action\",\"text\":\"New one\"}]}"_s);
        QVERIFY(runEntry(session, u"Draft the opening from beats"_s));
        QTRY_VERIFY(!session.aiBusy());
        const QList<ScriptElement>& elements = session.project().episodes[0].script.elements;
        QCOMPARE(elements.size(), 2);
        QCOMPARE(elements[0], existing);
        QCOMPARE(elements[1].text, u"New one"_s);

        model.reply(u"{\"elements\":[{\"kind\":\"dialogue\",\"text\":\"Next\"}]}"_s);
        QVERIFY(runEntry(session, u"Continue the scene"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().episodes[0].script.elements.size(), 3);
    }

    void refusalsSendNothing_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("scenes");
        QTest::addColumn<QString>("message");
        QTest::newRow("continue an empty script") << PhaseID::script << u"Continue the scene"_s << 0
                                                  << u"Nothing to continue \u2014 draft an opening first."_s;
        QTest::newRow("every scene has shots")
            << PhaseID::scenes << u"Shot lists for empty scenes"_s << 2
            << u"Every scene already has shots. Select a scene and use its AI shot list card to add more."_s;
        QTest::newRow("no scene at all")
            << PhaseID::scenes << u"Shot lists for empty scenes"_s << 0
            << u"Every scene already has shots. Select a scene and use its AI shot list card to add more."_s;
    }

    void refusalsSendNothing()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, entry);
        QFETCH(int, scenes);
        QFETCH(QString, message);
        Project project = withPhase(phase);
        for (int i = 0; i < scenes; ++i)
            project.episodes[0].scenes << sceneWithShots(1);
        ProjectSession session(project);
        QVERIFY(runEntry(session, entry));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.aiError(), parsingPrefix + message);
        QCOMPARE(model.requestCount(), 0);
        QCOMPARE(session.project(), project);
    }

    void shotListsServeFourEmptyScenesPerRun()
    {
        Project project = withPhase(PhaseID::scenes);
        QList<SceneCard>& scenes = project.episodes[0].scenes;
        scenes << sceneWithShots(2); // already planned: skipped
        for (int i = 0; i < 6; ++i)
            scenes << sceneWithShots(0);
        ProjectSession session(project);
        for (int i = 0; i < 6; ++i)
            model.reply(shotsReply(u"Shot %1"_s.arg(i)));

        QVERIFY(runEntry(session, u"Shot lists for empty scenes"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 4);
        const QList<SceneCard>& after = session.project().episodes[0].scenes;
        QCOMPARE(after[0].shots.size(), 2);
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(after[i].shots.size(), 1);
            QCOMPARE(after[i].shots[0].what, u"Shot %1"_s.arg(i - 1));
        }
        QVERIFY(after[5].shots.isEmpty());
        QVERIFY(after[6].shots.isEmpty());

        QVERIFY(runEntry(session, u"Shot lists for empty scenes"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 6);
        QCOMPARE(session.project().episodes[0].scenes[5].shots[0].what, u"Shot 4"_s);
        QCOMPARE(session.project().episodes[0].scenes[6].shots[0].what, u"Shot 5"_s);
    }

    void anErrorEndsTheShotListRunKeepingServedScenes()
    {
        Project project = withPhase(PhaseID::scenes);
        for (int i = 0; i < 3; ++i)
            project.episodes[0].scenes << sceneWithShots(0);
        ProjectSession session(project);
        model.reply(shotsReply(u"First"_s));
        model.fail(AIError::http(500, u"overloaded"_s));
        QVERIFY(runEntry(session, u"Shot lists for empty scenes"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 2);
        QCOMPARE(session.aiError(), u"AI request failed (500). overloaded"_s);
        const QList<SceneCard>& after = session.project().episodes[0].scenes;
        QCOMPARE(after[0].shots.size(), 1);
        QVERIFY(after[1].shots.isEmpty());
        QVERIFY(after[2].shots.isEmpty());
    }

    void aSceneRemovedMidRunLosesOnlyItsReply()
    {
        Project project = withPhase(PhaseID::scenes);
        for (int i = 0; i < 3; ++i)
            project.episodes[0].scenes << sceneWithShots(0);
        const QUuid removed = project.episodes[0].scenes[0].id;
        ProjectSession session(project);
        model.hold();
        model.reply(shotsReply(u"Lost"_s));
        model.reply(shotsReply(u"Second"_s));
        model.reply(shotsReply(u"Third"_s));
        QVERIFY(runEntry(session, u"Shot lists for empty scenes"_s));
        QTRY_COMPARE(model.requestCount(), 1);
        session.edit([removed](Project& p) {
            p.episodes[0].scenes.removeIf([removed](const SceneCard& s) { return s.id == removed; });
        });
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        const QList<SceneCard>& after = session.project().episodes[0].scenes;
        QCOMPARE(after.size(), 2);
        QCOMPARE(after[0].shots[0].what, u"Second"_s);
        QCOMPARE(after[1].shots[0].what, u"Third"_s);
        QCOMPARE(session.aiError(), std::nullopt);
    }

    // The regression: a reply for an episode removed while its assist ran
    // must not land in whichever episode took its place.
    void anEpisodeRemovedWhileItsAssistRunsChangesNothing_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reply");
        QTest::newRow("draft") << PhaseID::script << u"Draft the opening from beats"_s
                               << u"{\"elements\":[{\"kind\":\"action\",\"text\":\"x\"}]}"_s;
        QTest::newRow("continue") << PhaseID::script << u"Continue the scene"_s
                                  << u"{\"elements\":[{\"kind\":\"action\",\"text\":\"x\"}]}"_s;
        QTest::newRow("beats") << PhaseID::story << u"Write the empty beats"_s
                               << u"{\"beats\":[{\"index\":0,\"summary\":\"x\"}]}"_s;
        QTest::newRow("shots") << PhaseID::scenes << u"Shot lists for empty scenes"_s << shotsReply(u"x"_s);
        QTest::newRow("cues") << PhaseID::cut << u"Suggest music cues"_s << u"{\"cues\":[{\"name\":\"x\"}]}"_s;
    }

    void anEpisodeRemovedWhileItsAssistRunsChangesNothing()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, entry);
        QFETCH(QString, reply);
        Project project = withPhase(phase);
        project.format = ProjectFormat::series;
        project.episodes.clear();
        for (int i = 0; i < 3; ++i) {
            Episode e = episodeWithBeats({QString()});
            e.number = i + 1;
            ScriptElement line;
            line.text = u"line"_s;
            e.script.elements << line;
            e.scenes << sceneWithShots(0);
            project.episodes << e;
        }
        ProjectSession session(project);
        session.setActiveEpisodeID(project.episodes[1].id);
        model.hold();
        model.reply(reply);
        QVERIFY(runEntry(session, entry));
        QTRY_COMPARE(model.requestCount(), 1);

        const QUuid gone = project.episodes[1].id;
        session.edit([gone](Project& p) { p.episodes.removeIf([gone](const Episode& e) { return e.id == gone; }); });
        const Project afterRemoval = session.project();
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project(), afterRemoval);
        QCOMPARE(session.aiError(), std::nullopt);
    }

    void episodeEntriesActOnTheEpisodeOfTheTable()
    {
        Project project = withPhase(PhaseID::cut);
        project.episodes = {Episode{}, Episode{}, Episode{}};
        ProjectSession session(project);
        session.setActiveEpisodeID(project.episodes[1].id);
        const QList<AssistAction> table = AssistActions::forSession(session);

        // The first episode goes before the entry runs: the target's position
        // changes, its id doesn't.
        const QUuid first = project.episodes[0].id;
        session.edit([first](Project& p) { p.episodes.removeIf([first](const Episode& e) { return e.id == first; }); });
        model.reply(u"{\"cues\":[{\"name\":\"Here\"}]}"_s);
        session.runAssist(table[0].work);
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().episodes[0].musicCues.size(), 1);
        QCOMPARE(session.project().episodes[0].id, project.episodes[1].id);
        QVERIFY(session.project().episodes[1].musicCues.isEmpty());
    }

    void anUnknownActiveEpisodeMeansTheFirst()
    {
        Project project = withPhase(PhaseID::cut);
        project.episodes = {Episode{}, Episode{}};
        ProjectSession session(project);
        session.setActiveEpisodeID(newId());
        model.reply(u"{\"cues\":[{\"name\":\"First\"}]}"_s);
        QVERIFY(runEntry(session, u"Suggest music cues"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().episodes[0].musicCues.size(), 1);
        QVERIFY(session.project().episodes[1].musicCues.isEmpty());
    }

    void aProductionWithoutEpisodesAsksNothing()
    {
        Project project = withPhase(PhaseID::cut);
        project.episodes.clear();
        ProjectSession session(project);
        QVERIFY(runEntry(session, u"Suggest music cues"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 0);
        QCOMPARE(session.project(), project);
        QCOMPARE(session.aiError(), std::nullopt);
    }

    void aClosedTabDropsTheReply_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reply");
        QTest::newRow("choice") << PhaseID::spark << u"Sharpen my logline (3 options)"_s
                                << u"{\"options\":[\"A\"]}"_s;
        QTest::newRow("append") << PhaseID::cast << u"Invent a new character"_s << u"{\"name\":\"Mara\"}"_s;
        QTest::newRow("loop") << PhaseID::scenes << u"Shot lists for empty scenes"_s << shotsReply(u"x"_s);
        QTest::newRow("failure") << PhaseID::premiere << u"Write the press kit"_s << u"not json"_s;
    }

    void aClosedTabDropsTheReply()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, entry);
        QFETCH(QString, reply);
        Project project = withPhase(phase);
        project.episodes[0].scenes << sceneWithShots(0) << sceneWithShots(0);
        auto* session = new ProjectSession(project);
        model.hold();
        model.reply(reply);
        model.reply(reply);
        QVERIFY(runEntry(*session, entry));
        QTRY_COMPARE(model.requestCount(), 1);
        delete session; // the tab closes while the request runs
        model.release();
        QTest::qWait(30);
        QCOMPARE(model.requestCount(), 1); // nothing further is asked either
    }

    void lookAndPressKitEndInTheirChoice()
    {
        Project project = withPhase(PhaseID::look);
        project.idea.pressKit = u"Old kit"_s;
        ProjectSession session(project);
        model.reply(u"{\"styleID\":\"nope\",\"why\":\"Because\"}"_s);
        QVERIFY(runEntry(session, u"Recommend a look"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.choicePrompt()->title, u"Recommended look: \u2014"_s);
        QCOMPARE(session.choicePrompt()->subtitle, u"Because"_s);
        QCOMPARE(session.project(), project);
        session.dismissChoice();

        session.edit([](Project& p) { p.activePhase = PhaseID::premiere; });
        model.reply(u"{\"synopsis\":\"A keeper.\",\"taglines\":[\"Light\"]}"_s);
        QVERIFY(runEntry(session, u"Write the press kit"_s));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.choicePrompt()->options[0].detail, u"SYNOPSIS\nA keeper.\n\nTAGLINES\n\u2022 Light"_s);
        QCOMPARE(session.project().idea.pressKit, u"Old kit"_s);
    }
};

QTEST_MAIN(AssistActionsTest)
#include "AssistActionsTest.moc"
