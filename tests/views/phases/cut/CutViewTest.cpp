// The Cut screen against a live session: assembling (and the question that
// guards a cut), selecting by tap, the clip controls acting on the selected
// clip by id, the length slider showing a stored length without writing it,
// the music cues kept by id, and a render and cues from the assist menu
// landing while the user types in a cue.

#include "support/AssistFixtures.h"

#include "design/widgets/Alert.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/GhostButton.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/Lookup.h"
#include "state/edits/CutEdits.h"
#include "views/phases/cut/ClipControls.h"
#include "views/phases/cut/CueTile.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/MusicCuesSection.h"
#include "views/phases/cut/TimelineLanes.h"

#include "design/widgets/HorizontalStrip.h"
#include "support/FocusPictures.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

struct Shown {
    ProjectSession session;
    CutView view;
    explicit Shown(const Project& p)
        : session(p)
        , view(session)
    {
        view.resize(1080, 700);
        view.show();
    }
    const QList<TimelineClip>& timeline(int episode = 0) const
    {
        return session.project().episodes.at(episode).timeline;
    }
    // A tap on the tile of the clip at that place of the timeline.
    void tap(int index)
    {
        const QUuid id = timeline().at(index).id;
        QTest::mouseClick(view.lanes(), Qt::LeftButton, {}, view.lanes()->clipRect(id).center().toPoint());
    }
};

// A production whose first episode has two scenes of 1 and 2 shots.
Project storyboarded(int episodes = 1)
{
    Project p;
    p.episodes.clear();
    for (int e = 0; e < episodes; ++e) {
        Episode episode;
        episode.scenes = {sceneWithShots(1), sceneWithShots(2)};
        p.episodes << episode;
    }
    p.episodes[0].scenes[1].shots[0].seconds = 45;
    return p;
}

// How near, in pixels, the ring (what the focus changed) comes to the words
// (bright ink the focus left as it was).
int ringToWords(const test::FocusPictures& pictures)
{
    QList<QPoint> ring, words;
    for (int y = 0; y < pictures.unfocused.height(); ++y) {
        for (int x = 0; x < pictures.unfocused.width(); ++x) {
            const QRgb before = pictures.unfocused.pixel(x, y);
            if (before != pictures.focused.pixel(x, y))
                ring << QPoint(x, y);
            else if (qGray(before) > 170)
                words << QPoint(x, y);
        }
    }
    int nearest = std::numeric_limits<int>::max();
    for (const QPoint& r : std::as_const(ring)) {
        for (const QPoint& w : std::as_const(words))
            nearest = std::min(nearest, std::max(std::abs(r.x() - w.x()), std::abs(r.y() - w.y())));
    }
    return nearest;
}

QList<QUuid> ids(const QList<TimelineClip>& clips)
{
    QList<QUuid> list;
    for (const TimelineClip& c : clips)
        list << c.id;
    return list;
}

} // namespace

class CutViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
        // As with a screen reader listening: every change a widget announces
        // makes its interface, while it is built too (the first lanes'
        // among them).
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) { (void)event->accessibleInterface(); });
        QAccessible::setActive(true);
    }
    void cleanup() { ScriptedModel::uninstall(); }

    void assemblesAndSelectsByTap()
    {
        Shown s(storyboarded());
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        // The first lanes built are read as the list of their clips.
        QCOMPARE(QAccessible::queryAccessibleInterface(s.view.lanes())->role(), QAccessible::List);
        QVERIFY(s.view.isEmptyStateShown());
        QVERIFY(s.view.zoomControl()->isHidden());
        QVERIFY(!s.view.musicSection()->isVisible());

        // An empty timeline assembles at once, from the empty state too.
        QTest::mouseClick(s.view.emptyState()->actionButton(), Qt::LeftButton);
        QCOMPARE(s.timeline().size(), 3);
        QVERIFY(!s.view.isEmptyStateShown());
        QVERIFY(!s.view.zoomControl()->isHidden());
        QVERIFY(s.view.musicSection()->isVisible());
        QVERIFY(s.view.musicSection()->isHintShown());
        QVERIFY(!s.view.areClipControlsShown());

        s.tap(1);
        QCOMPARE(s.view.selectedClipID(), s.timeline().at(1).id);
        QVERIFY(s.view.areClipControlsShown());
        QCOMPARE(s.view.clipControls()->label()->text(), s.timeline().at(1).label);
        s.tap(2);
        QCOMPARE(s.view.selectedClipID(), s.timeline().at(2).id);
        QCOMPARE(s.view.lanes()->selectedClipID(), s.timeline().at(2).id);
        s.tap(2);
        QVERIFY(s.view.selectedClipID().isNull());
        QVERIFY(!s.view.areClipControlsShown());
    }

    void clipControlsActOnTheSelectedClip()
    {
        Project p = storyboarded();
        p.episodes[0].timeline = {TimelineClip{}, TimelineClip{}, TimelineClip{}};
        p.episodes[0].timeline[1].seconds = 45;
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        const QList<QUuid> order = ids(s.timeline());
        QSignalSpy changes(&s.session, &ProjectSession::projectChanged);

        s.tap(0);
        ClipControls* controls = s.view.clipControls();
        QTest::mouseClick(controls->earlierButton(), Qt::LeftButton); // first: nothing
        QCOMPARE(changes.count(), 0);
        QTest::mouseClick(controls->laterButton(), Qt::LeftButton);
        QCOMPARE(ids(s.timeline()), (QList<QUuid>{order[1], order[0], order[2]}));
        QCOMPARE(s.view.selectedClipID(), order[0]); // the moved clip stays selected

        // A clip longer than the slider's range is shown without being rewritten.
        s.tap(0);
        QCOMPARE(s.view.selectedClipID(), order[1]);
        QCOMPARE(controls->lengthText()->text(), u"45.0s"_s);
        QCOMPARE(controls->lengthSlider()->position(), 30.0);
        QCOMPARE(s.timeline().at(0).seconds, 45.0);
        QCOMPARE(changes.count(), 1);

        // Each move of the slider writes a grid value: 5 → 7.5 widens the tile.
        s.tap(1);
        const QRectF before = s.view.lanes()->clipRect(order[0]);
        const QString chipBefore = s.view.runtimeChipText();
        controls->lengthSlider()->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(controls->lengthSlider(), Qt::Key_Right);
        QCOMPARE(s.timeline().at(1).seconds, 7.5);
        QCOMPARE(controls->lengthText()->text(), u"7.5s"_s);
        QCOMPARE(s.view.lanes()->clipRect(order[0]).width(), before.width() * 1.5);
        QCOMPARE(s.view.lanes()->dialogueRect(order[0]).width(), before.width() * 1.5);
        QVERIFY(s.view.runtimeChipText() != chipBefore);

        // Cut removes the selected clip by id and ends the selection.
        QTest::mouseClick(controls->cutButton(), Qt::LeftButton);
        QCOMPARE(ids(s.timeline()), (QList<QUuid>{order[1], order[2]}));
        QVERIFY(s.view.selectedClipID().isNull());
        QVERIFY(!s.view.areClipControlsShown());

        // A selection whose clip goes elsewhere hides the controls.
        s.tap(1);
        s.session.edit([](Project& live) { live.episodes[0].timeline.removeLast(); });
        QVERIFY(!s.view.areClipControlsShown());
        s.tap(0);
        QTest::mouseClick(controls->cutButton(), Qt::LeftButton);
        QVERIFY(s.timeline().isEmpty());
        QVERIFY(s.view.isEmptyStateShown());
    }

    void theKeyboardWalksTheClipsAndSelectsAsAClickDoes()
    {
        Project p = storyboarded();
        for (int i = 0; i < 40; ++i)
            p.episodes[0].timeline << TimelineClip{.label = u"C%1"_s.arg(i), .seconds = 6};
        p.episodes[0].timeline[1].hasDialogue = true;
        Shown s(p);
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        TimelineLanes* lanes = s.view.lanes();
        const QList<QUuid> order = ids(s.timeline());

        // The lanes are one Tab stop after the toolbar; the keyboard stands on
        // the first clip and shows it.
        s.view.assembleButton()->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 10 && QApplication::focusWidget() != lanes; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), lanes);
        const test::FocusPictures pictures = test::focusPictures(lanes);
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
        // The ring keeps clear of the clip's words.
        QVERIFY2(ringToWords(pictures) > 1, qPrintable(QString::number(ringToWords(pictures))));

        // Walking moves nothing of the selection; Space and Return tap the
        // walked clip exactly as a click, its controls showing it, and again
        // take the selection away.
        QTest::keyClick(lanes, Qt::Key_Right);
        QVERIFY(s.view.selectedClipID().isNull());
        QTest::keyClick(lanes, Qt::Key_Space);
        QCOMPARE(s.view.selectedClipID(), order[1]);
        // A held Space taps once, not on and off as it repeats.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s, true);
        QCoreApplication::sendEvent(lanes, &repeat);
        QCOMPARE(s.view.selectedClipID(), order[1]);
        QVERIFY(s.view.areClipControlsShown());
        QCOMPARE(s.view.clipControls()->label()->text(), u"C1"_s);
        // The clip keeps its gold edge under the ring.
        const QRect tile = lanes->clipRect(order[1]).toAlignedRect();
        const QPoint edge(tile.left(), tile.center().y());
        const QRgb selectedEdge = lanes->grab().toImage().pixel(edge);
        QTest::keyClick(lanes, Qt::Key_Return);
        QVERIFY(s.view.selectedClipID().isNull());
        QVERIFY(!s.view.areClipControlsShown());
        QVERIFY(test::contrastRatio(selectedEdge, lanes->grab().toImage().pixel(edge)) > 1.5);

        // The last clip, far out of the strip's view, is brought into it.
        QTest::keyClick(lanes, Qt::Key_End);
        QTest::keyClick(lanes, Qt::Key_Space);
        QCOMPARE(s.view.selectedClipID(), order.last());
        QWidget* viewport = s.view.strip()->viewport();
        const QRect last = lanes->clipRect(order.last()).toAlignedRect().translated(lanes->mapTo(viewport, QPoint()));
        QVERIFY(viewport->rect().contains(last));

        // Tab goes on to the clip's controls; "Cut" from the keyboard hands the
        // keyboard back to the lanes, on the clip now in the cut one's place.
        QTest::keyClick(lanes, Qt::Key_Home);
        QTest::keyClick(lanes, Qt::Key_Right);
        QTest::keyClick(lanes, Qt::Key_Space);
        QTest::keyClick(lanes, Qt::Key_Tab);
        QVERIFY(s.view.clipControls()->isAncestorOf(QApplication::focusWidget()));
        s.view.clipControls()->cutButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.view.clipControls()->cutButton(), Qt::Key_Space);
        QCOMPARE(s.timeline().size(), order.size() - 1);
        QVERIFY(s.view.selectedClipID().isNull());
        QCOMPARE(QApplication::focusWidget(), lanes);
        QCOMPARE(lanes->currentClipID(), order[2]);
    }

    // A click on a clip puts the keyboard on it, as on a shot card, with no
    // ring until a key walks the clips.
    void aClickPutsTheKeyboardOnTheClip()
    {
        Project p = storyboarded();
        edits::assembleTimeline(p, p.episodes[0].id);
        Shown s(p);
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        TimelineLanes* lanes = s.view.lanes();
        s.tap(2);
        QCOMPARE(QApplication::focusWidget(), lanes);
        QCOMPARE(lanes->currentClipID(), s.timeline()[2].id);
        const QImage clicked = test::pictureInWindow(lanes);
        QTest::keyClick(lanes, Qt::Key_Left);
        QTest::keyClick(lanes, Qt::Key_Right);
        QVERIFY(test::showsRing(clicked, test::pictureInWindow(lanes)));
    }

    void theKeyboardGoesOnBetweenTheEmptyStateAndTheLanes()
    {
        Project p = storyboarded();
        Shown s(p);
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        s.view.emptyState()->actionButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.view.emptyState()->actionButton(), Qt::Key_Space);
        QCOMPARE(s.timeline().size(), 3);
        QCOMPARE(QApplication::focusWidget(), s.view.lanes());
        // Each clip cut from the keyboard leaves it on the clip in its place.
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(s.view.lanes(), Qt::Key_Space);
            s.view.clipControls()->cutButton()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(s.view.clipControls()->cutButton(), Qt::Key_Space);
            if (i < 2) {
                QCOMPARE(QApplication::focusWidget(), s.view.lanes());
                QCOMPARE(s.view.lanes()->currentClipID(), s.timeline().first().id);
            }
        }
        // Cutting the last one leaves the keyboard resting on the screen,
        // not on the empty state's button: Return and Space assemble nothing.
        QVERIFY(s.view.isEmptyStateShown());
        QCOMPARE(QApplication::focusWidget(), &s.view);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(s.timeline().isEmpty());
    }

    void theClipsAreReadInOrder()
    {
        Project p = storyboarded();
        p.episodes[0].timeline = {TimelineClip{.label = u"S1·1 WS"_s, .seconds = 4},
                                  TimelineClip{.label = u"S2·1 CU"_s, .seconds = 6, .hasDialogue = true},
                                  TimelineClip{.label = u"S2·2 MS"_s, .seconds = 3}};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        s.tap(1);
        QAccessibleInterface* lanes = QAccessible::queryAccessibleInterface(s.view.lanes());
        QCOMPARE(lanes->childCount(), 3);
        QStringList names;
        for (int i = 0; i < lanes->childCount(); ++i) {
            QAccessibleInterface* clip = lanes->child(i);
            QCOMPARE(lanes->indexOfChild(clip), i);
            QCOMPARE(clip->state().selected, i == 1);
            names << clip->text(QAccessible::Name);
        }
        QCOMPARE(names, (QStringList{u"S1·1 WS, 4s"_s, u"S2·1 CU, 6s, dialogue"_s, u"S2·2 MS, 3s"_s}));

        // Pressing an item taps its clip; a cut clip leaves the list.
        lanes->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(s.view.selectedClipID(), s.timeline().at(2).id);
        QTest::mouseClick(s.view.clipControls()->cutButton(), Qt::LeftButton);
        QCOMPARE(lanes->childCount(), 2);
        QCOMPARE(lanes->child(1)->text(QAccessible::Name), u"S2·1 CU, 6s, dialogue"_s);

        // Two clips of one id (a damaged file) are each read as themselves.
        TimelineClip twin{.label = u"S3·1 WS"_s, .seconds = 2};
        twin.id = p.episodes[0].timeline[0].id;
        p.episodes[0].timeline << twin;
        Shown twins(p);
        QAccessibleInterface* both = QAccessible::queryAccessibleInterface(twins.view.lanes());
        QCOMPARE(both->indexOfChild(both->child(3)), 3);
        QCOMPARE(both->child(3)->text(QAccessible::Name), u"S3·1 WS, 2s"_s);
        QCOMPARE(both->child(0)->text(QAccessible::Name), u"S1·1 WS, 4s"_s);
    }

    void reassemblyAsksFirst()
    {
        Project p = storyboarded();
        p.episodes[0].timeline = {TimelineClip{}, TimelineClip{}};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        const QList<TimelineClip> before = s.timeline();
        s.tap(1);

        QTest::mouseClick(s.view.assembleButton(), Qt::LeftButton);
        QVERIFY(s.view.isConfirmingReassemble());
        QPointer<Alert> alert = s.view.reassembleAlert();
        QVERIFY(alert);
        QCOMPARE(alert->text(), u"Re-assemble the cut?"_s);
        QTest::keyClick(alert, Qt::Key_Escape);
        QTRY_VERIFY(!alert);
        QVERIFY(!s.view.isConfirmingReassemble());
        QCOMPARE(s.timeline(), before);
        QCOMPARE(s.view.selectedClipID(), before[1].id);

        QTest::mouseClick(s.view.assembleButton(), Qt::LeftButton);
        alert = s.view.reassembleAlert();
        QVERIFY(alert);
        alert->destructiveButton()->click();
        QVERIFY(!s.view.isConfirmingReassemble());
        QCOMPARE(s.timeline().size(), 3);
        QCOMPARE(s.timeline().at(1).seconds, 45.0);
        QVERIFY(s.view.selectedClipID().isNull());
        QVERIFY(!s.view.areClipControlsShown());
    }

    void withoutEpisodesNothingActs()
    {
        Project p;
        p.episodes.clear();
        Shown s(p);
        QSignalSpy changes(&s.session, &ProjectSession::projectChanged);
        QVERIFY(s.view.isEmptyStateShown());
        QTest::mouseClick(s.view.assembleButton(), Qt::LeftButton);
        QTest::mouseClick(s.view.emptyState()->actionButton(), Qt::LeftButton);
        QVERIFY(!s.view.reassembleAlert());
        QCOMPARE(changes.count(), 0);
        QCOMPARE(s.view.runtimeChipText(), u"Cut 0s \u00B7 Target 10 min"_s);
    }

    void cuesFollowTheActiveEpisode()
    {
        Project p = storyboarded(2);
        for (Episode& e : p.episodes)
            e.timeline = {TimelineClip{}};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        MusicCuesSection* music = s.view.musicSection();
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(music->addButton(), Qt::LeftButton);
        QList<MusicCue> cues = s.session.project().episodes[0].musicCues;
        QCOMPARE(cues.size(), 3);
        QVERIFY(!music->isHintShown());

        CueTile* middle = music->tile(cues[1].id);
        QCOMPARE(middle->nameField()->text(), u"New Cue"_s);
        middle->nameField()->lineEdit()->selectAll();
        QTest::keyClicks(middle->nameField()->lineEdit(), u"Dawn"_s);
        QCOMPARE(s.session.project().episodes[0].musicCues[1].name, u"Dawn"_s);
        QTest::keyClicks(middle->moodField()->lineEdit(), u"koto"_s);
        QCOMPARE(s.session.project().episodes[0].musicCues[1].mood, u"koto"_s);

        QTest::mouseClick(middle->deleteButton(), Qt::LeftButton);
        cues = s.session.project().episodes[0].musicCues;
        QCOMPARE(cues.size(), 2);
        QCOMPARE(music->tiles().size(), 2);
        QCOMPARE(music->tiles()[0]->cueID(), cues[0].id);
        QCOMPARE(music->tiles()[1]->cueID(), cues[1].id);

        // Another episode shows and edits its own cues.
        s.session.setActiveEpisodeID(p.episodes[1].id);
        QVERIFY(music->isHintShown());
        QTest::mouseClick(music->addButton(), Qt::LeftButton);
        QCOMPARE(s.session.project().episodes[1].musicCues.size(), 1);
        QCOMPARE(s.session.project().episodes[0].musicCues.size(), 2);
        QTest::mouseClick(music->tiles()[0]->deleteButton(), Qt::LeftButton);
        QVERIFY(music->isHintShown());
        QCOMPARE(s.session.project().episodes[0].musicCues.size(), 2);
    }

    void deletingCuesFromTheKeyboardStaysAmongThem()
    {
        Project p = storyboarded();
        p.episodes[0].timeline = {TimelineClip{}};
        p.episodes[0].musicCues = {MusicCue{.name = u"A"_s}, MusicCue{.name = u"B"_s}};
        Shown s(p);
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        MusicCuesSection* music = s.view.musicSection();
        const auto cues = [&s] { return s.session.project().episodes[0].musicCues.size(); };
        // The next cue's name, where Return and Space neither delete nor add.
        music->tiles().first()->deleteButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), music->tiles().first()->nameField()->lineEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(cues(), 1);
        // The last one gone, the keyboard rests on the section, adding
        // nothing; Shift+Tab goes back from where the cue stood.
        music->tiles().first()->deleteButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(music->isHintShown());
        QCOMPARE(QApplication::focusWidget(), music);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(cues(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), music->addButton());
    }

    void typingKeepsFocusWhileRenderAndCuesLand()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        model.reply(uR"({"cues":[{"name":"Low Tide","mood":"Cello drones"}]})"_s);
        Project p = storyboarded(2);
        p.activePhase = PhaseID::cut;
        for (Episode& e : p.episodes)
            e.timeline = {TimelineClip{}};
        p.episodes[0].musicCues = {MusicCue{}};
        ProjectSession session(p, nullptr, std::chrono::milliseconds(2));
        CutView view(session);
        view.resize(1080, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QVERIFY(runEntry(session, u"Suggest music cues"_s));
        QLineEdit* name = view.musicSection()->tiles().first()->nameField()->lineEdit();
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, u"Op"_s);
        // A render runs while the user types and lands its take.
        const Shot& shot = p.episodes[0].scenes[0].shots[0];
        session.enqueue({shot.id});
        session.renderAll();
        QTest::keyClicks(name, u"en"_s);
        QTRY_VERIFY(!session.isRendering());
        QCOMPARE(findShot(session.project(), p.episodes[0].id, p.episodes[0].scenes[0].id, shot.id)->takes.size(), 1);
        QTest::keyClicks(name, u"ing"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());

        const QList<MusicCue> cues = session.project().episodes[0].musicCues;
        QCOMPARE(cues.size(), 2);
        QCOMPARE(cues[0].name, u"Opening"_s);
        QCOMPARE(cues[1].name, u"Low Tide"_s);
        QCOMPARE(view.musicSection()->tiles().size(), 2);
        QCOMPARE(view.musicSection()->tiles().first()->nameField()->lineEdit(), name);
        QVERIFY(name->hasFocus());
        QCOMPARE(name->cursorPosition(), 7);
    }
};

QTEST_MAIN(CutViewTest)
#include "CutViewTest.moc"
