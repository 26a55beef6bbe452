// The Storyboard screen's two assists against a scripted director: the AI
// shot list and "Describe with AI" land where they were asked (by the ids
// captured at the click), whatever moved, was deleted or became active
// meanwhile; a double click asks once; and the screen stays usable (caret,
// tile state) while replies land.

#include "support/AssistFixtures.h"

#include "design/text/SleekTextEditor.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/edits/EpisodeEdits.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "views/phases/storyboard/StoryboardButtons.h"
#include "views/phases/storyboard/StoryboardView.h"

#include <QTextEdit>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;
using rules::StoryboardSelection;

namespace {

QString shotsReply(int count)
{
    QStringList shots;
    for (int i = 0; i < count; ++i)
        shots << u"{\"size\":\"wide\",\"move\":\"pan\",\"seconds\":6,\"what\":\"Shot %1\",\"dialogue\":\"\"}"_s.arg(i);
    return u"{\"shots\":["_s + shots.join(u',') + u"]}"_s;
}

// Two episodes of three scenes each; the second scene of the first episode
// holds two shots.
Project board()
{
    Project p;
    p.episodes = {Episode{}, Episode{}};
    for (Episode& episode : p.episodes)
        episode.scenes = {SceneCard{}, SceneCard{}, SceneCard{}};
    p.episodes[0].scenes[1].shots = {Shot{}, Shot{}};
    return p;
}

// A screen on its own, with a scripted director installed.
struct Bench {
    ScriptedModel model;
    ProjectSession session;
    StoryboardView view;

    explicit Bench(const Project& project)
        : session(project)
        , view(session)
    {
        model.install();
        view.resize(1180, 700);
        view.show();
    }
    ~Bench() { ScriptedModel::uninstall(); }

    const Episode& episode(int i) const { return session.project().episodes[i]; }
    ShotTile* aiTile() const { return view.editor()->grid()->tiles()->tile(ShotTile::Kind::ai); }
    ShotInspector* inspector() const { return view.inspectorPane()->inspector(); }
    void waitIdle() { QTRY_VERIFY(!session.aiBusy()); }
};

} // namespace

class StoryboardAssistTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shotListLandsInItsSceneAfterAMove()
    {
        Bench b(board());
        const QUuid target = b.episode(0).scenes[2].id;
        b.view.select({target, std::nullopt});
        b.model.hold();
        b.model.reply(shotsReply(3));
        b.aiTile()->click();
        QVERIFY(b.session.aiBusy());
        b.view.moveScene(target, -1);
        b.view.moveScene(target, -1);
        b.model.release();
        b.waitIdle();
        QCOMPARE(b.episode(0).scenes[0].id, target);
        QCOMPARE(b.episode(0).scenes[0].shots.size(), 3);
        QCOMPARE(b.episode(0).scenes[0].shots[2].what, u"Shot 2"_s);
        QCOMPARE(b.episode(0).scenes[2].shots.size(), 2); // the scene that held two keeps them
        QVERIFY(!b.session.aiError());
        // The selection is not touched by the reply.
        QCOMPARE(b.view.selection(), (StoryboardSelection{target, std::nullopt}));
    }

    void shotListIsDroppedWhenItsSceneIsDeleted()
    {
        Bench b(board());
        const QUuid target = b.episode(0).scenes[0].id;
        b.model.hold();
        b.model.reply(shotsReply(2));
        b.aiTile()->click();
        b.view.deleteScene(target);
        const Project afterDelete = b.session.project();
        b.model.release();
        b.waitIdle();
        QCOMPARE(b.session.project(), afterDelete);
        QVERIFY(!b.session.aiError());
    }

    void shotListSurvivesRemovalOfAnotherEpisode()
    {
        Bench b(board());
        b.session.setActiveEpisodeID(b.episode(1).id);
        const QUuid target = b.episode(1).scenes[0].id;
        QCOMPARE(b.view.selection().sceneID, std::optional<QUuid>(target));
        b.model.hold();
        b.model.reply(shotsReply(4));
        b.aiTile()->click();
        const QUuid first = b.episode(0).id;
        b.session.edit([first](Project& p) { edits::removeEpisode(p, first); });
        b.model.release();
        b.waitIdle();
        QCOMPARE(b.session.project().episodes.size(), 1);
        QCOMPARE(findScene(b.session.project(), b.episode(0).id, target)->shots.size(), 4);
    }

    void aDoubleClickAsksOnce()
    {
        Bench b(board());
        b.model.hold();
        b.aiTile()->click();
        QVERIFY(!b.aiTile()->isEnabled());
        QCOMPARE(b.aiTile()->title(), u"Thinking…"_s);
        b.aiTile()->click();
        Q_EMIT b.view.editor()->grid()->tiles()->aiShotListRequested();
        QTRY_COMPARE(b.model.requestCount(), 1);
        b.model.release();
        b.waitIdle();
        QCOMPARE(b.model.requestCount(), 1);
        QVERIFY(b.aiTile()->isEnabled());
        QCOMPARE(b.aiTile()->title(), u"AI shot list"_s);
    }

    void describeLandsOnItsShotInItsEpisode()
    {
        Bench b(board());
        const SceneCard scene = b.episode(0).scenes[1];
        b.view.select({scene.id, scene.shots[0].id});
        QVERIFY(b.view.inspectorPane()->isShowingShot());
        QVERIFY(b.inspector()->describeButton()->isVisibleTo(b.inspector()));
        b.model.hold();
        b.model.reply(u"{\"what\":\"Gulls wheel over the breakwater.\"}"_s);
        b.model.reply(u"{\"what\":\"Never lands.\"}"_s);
        b.inspector()->describeButton()->click();
        // Another episode becomes active and the shot moves within its scene.
        b.session.setActiveEpisodeID(b.episode(1).id);
        b.session.edit([&](Project& p) { findScene(p, p.episodes[0].id, scene.id)->shots.swapItemsAt(0, 1); });
        b.model.release();
        b.waitIdle();
        const Shot* shot = findShot(b.session.project(), b.episode(0).id, scene.id, scene.shots[0].id);
        QCOMPARE(shot->what, u"Gulls wheel over the breakwater."_s);

        // Words typed while the request runs are kept.
        b.session.setActiveEpisodeID(b.episode(0).id);
        b.view.select({scene.id, scene.shots[1].id});
        b.model.hold();
        b.inspector()->describeButton()->click();
        QTest::keyClicks(b.inspector()->whatEditor()->textEdit(), u"Mine"_s);
        b.model.release();
        b.waitIdle();
        QCOMPARE(findShot(b.session.project(), b.episode(0).id, scene.id, scene.shots[1].id)->what, u"Mine"_s);
    }

    void inspectorKeepsItsCaretWhileAReplyLands()
    {
        Bench b(board());
        const SceneCard scene = b.episode(0).scenes[1];
        b.view.select({scene.id, scene.shots[1].id});
        QTextEdit* editor = b.inspector()->whatEditor()->textEdit();
        editor->setFocus();
        QTest::keyClicks(editor, u"A lamp swings"_s);
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(2);
        editor->setTextCursor(cursor);

        b.model.reply(shotsReply(2));
        b.aiTile()->click();
        b.waitIdle();
        QCOMPARE(findScene(b.session.project(), b.episode(0).id, scene.id)->shots.size(), 4);
        QCOMPARE(editor->toPlainText(), u"A lamp swings"_s);
        QCOMPARE(editor->textCursor().position(), 2);
        QVERIFY(editor->hasFocus());
        QTest::keyClicks(editor, u"X"_s);
        QCOMPARE(findShot(b.session.project(), b.episode(0).id, scene.id, scene.shots[1].id)->what,
                 u"A Xlamp swings"_s);
    }

    void aiTileFollowsAWorkspaceAssist()
    {
        Project p = board();
        p.activePhase = PhaseID::scenes;
        Bench b(p);
        b.model.hold();
        QVERIFY(runEntry(b.session, u"Shot lists for empty scenes"_s));
        QVERIFY(b.aiTile()->isBusy());
        QVERIFY(!b.aiTile()->isEnabled());
        b.aiTile()->click();
        b.model.release();
        b.waitIdle();
        QVERIFY(!b.aiTile()->isBusy());
        QVERIFY(b.aiTile()->isEnabled());
    }
};

QTEST_MAIN(StoryboardAssistTest)
#include "StoryboardAssistTest.moc"
