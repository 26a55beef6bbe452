// The footage screen driven the way the user drives it: picking shots in the
// manifest, queueing and rendering them from the panel with a fast renderer,
// opening a row's composed prompt while the engine card changes the profile,
// and productions a hand-edited file can produce.

#include "design/widgets/EmptyStateView.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/ScrollColumn.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "model/PromptComposer.h"
#include "state/ProjectSession.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/footage/RenderQueuePanel.h"

#include "support/FocusPictures.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Episode 1: scene 1 with three planned shots, scene 2 with a rendered and a
// planned shot; a cast member with a look is listed in scene 1. Episode 2: one scene.
Project production()
{
    Project p;
    CastMember mara;
    mara.name = u"Mara"_s;
    mara.look = u"Yellow raincoat"_s;
    p.cast = {mara};
    SceneCard one, two, other;
    one.castIDs = {mara.id};
    one.shots = {Shot{}, Shot{}, Shot{}};
    Shot rendered;
    rendered.takes = {Take{}};
    two.shots = {rendered, Shot{}};
    p.episodes[0].scenes = {one, two};
    other.shots = {Shot{}};
    Episode second;
    second.scenes = {other};
    p.episodes.append(second);
    return p;
}

struct Screen {
    explicit Screen(const Project& project, std::chrono::milliseconds step = 1ms)
        : session(project, nullptr, step)
        , view(new FootageView(session))
    {
        view->resize(1180, 800);
        view->show();
    }
    ~Screen() { delete view; }

    const SceneCard& scene(int i) const { return session.project().episodes.at(0).scenes.at(i); }
    QUuid shot(int sceneIndex, int shotIndex) const { return scene(sceneIndex).shots.at(shotIndex).id; }
    ShotRow* row(int sceneIndex, int shotIndex) const { return view->shotRow(shot(sceneIndex, shotIndex)); }
    RenderQueuePanel* panel() const { return view->queuePanel(); }
    void toggle(int sceneIndex, int shotIndex) const
    {
        QTest::mouseClick(row(sceneIndex, shotIndex)->checkbox(), Qt::LeftButton);
    }
    void disclose(int sceneIndex, int shotIndex) const
    {
        QTest::mouseClick(row(sceneIndex, shotIndex)->disclosure(), Qt::LeftButton);
    }
    bool finishRendering()
    {
        QSignalSpy stopped(&session, &ProjectSession::isRenderingChanged);
        return !session.isRendering() || (stopped.wait(10000) && !session.isRendering());
    }

    ProjectSession session;
    FootageView* view;
};

QStringList titles(const QList<GenerationJob>& jobs)
{
    QStringList out;
    for (const GenerationJob& j : jobs)
        out << j.title;
    return out;
}

} // namespace

class FootageViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void selectionGoesToTheQueueAndEmpties()
    {
        Screen s(production());
        PrimaryButton* queue = s.panel()->queueButton();
        QVERIFY(!queue->isEnabled());
        s.toggle(1, 1);
        s.toggle(0, 2);
        s.toggle(0, 0);
        s.toggle(0, 0); // unticked again
        QCOMPARE(queue->text(), u"Queue 2 shots"_s);
        QVERIFY(s.row(1, 1)->face().selected);

        QTest::mouseClick(queue, Qt::LeftButton);
        QCOMPARE(titles(s.session.jobs()), (QStringList{u"Scene 1 · Shot 3 · MS"_s, u"Scene 2 · Shot 2 · MS"_s}));
        QVERIFY(s.view->selectedShotIDs().isEmpty());
        QVERIFY(!s.row(1, 1)->face().selected);
        QCOMPARE(queue->text(), u"Queue shots"_s);
        QVERIFY(!queue->isEnabled());

        // Shots whose jobs are still queued: nothing new, the selection still empties.
        s.toggle(0, 2);
        QTest::mouseClick(queue, Qt::LeftButton);
        QCOMPARE(s.session.jobs().size(), 2);
        QVERIFY(s.view->selectedShotIDs().isEmpty());
    }

    void selectScene()
    {
        Screen s(production());
        s.toggle(1, 0);
        s.toggle(0, 1);
        SceneSection* first = s.view->sceneSection(s.scene(0).id);
        QTest::mouseClick(first->selectSceneButton(), Qt::LeftButton);
        QCOMPARE(s.view->selectedShotIDs(),
                 (QSet<QUuid>{s.shot(0, 0), s.shot(0, 1), s.shot(0, 2), s.shot(1, 0)}));
        QTest::mouseClick(first->selectSceneButton(), Qt::LeftButton);
        QCOMPARE(s.view->selectedShotIDs(), QSet<QUuid>{s.shot(1, 0)});
        QCOMPARE(s.panel()->queueButton()->text(), u"Queue 1 shot"_s);
    }

    void theKeyboardWalksTheRowsAndPicksAsAClickDoes()
    {
        Screen s(production());
        s.view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.view));
        // Tab from the engine card's first control, through the manifest in
        // reading order and on to the queue.
        s.view->engineCard()->clipLengthSlider()->setFocus(Qt::TabFocusReason);
        QList<QWidget*> stops;
        while (stops.size() < 60 && !s.panel()->isAncestorOf(QApplication::focusWidget())) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget();
        }
        const auto firstStopIn = [&stops](QWidget* w) {
            for (qsizetype i = 0; i < stops.size(); ++i)
                if (w->isAncestorOf(stops[i]))
                    return i;
            return qsizetype(-1);
        };
        QList<qsizetype> order{firstStopIn(s.view->engineCard())};
        for (const auto& [scene, shot] : {std::pair{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}})
            order << firstStopIn(s.row(scene, shot));
        order << stops.size() - 1;
        QVERIFY2(!order.contains(-1) && std::is_sorted(order.cbegin(), order.cend()),
                 "Tab misses a row or leaves reading order");

        // The second row's checkbox: Space picks the shot as a click would,
        // shows the ring and reads as a checkbox named by its shot.
        ShotRow* row = s.row(0, 1);
        QWidget* box = stops.at(firstStopIn(row));
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(s.view->selectedShotIDs(), QSet<QUuid>{s.shot(0, 1)});
        QVERIFY(row->face().selected);
        QCOMPARE(s.panel()->queueButton()->text(), u"Queue 1 shot"_s);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(spoken->role(), QAccessible::CheckBox);
        QVERIFY(spoken->state().checked);
        QVERIFY(spoken->text(QAccessible::Name).startsWith(row->face().title));
        const test::FocusPictures pictures = test::focusPictures(box);
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(s.view->selectedShotIDs().isEmpty());

        // The next stop opens the row's composed prompt, and the prompt's text
        // is the stop after it.
        QTest::keyClick(box, Qt::Key_Tab);
        QWidget* chevron = QApplication::focusWidget();
        QVERIFY(row->isAncestorOf(chevron));
        QCOMPARE(QAccessible::queryAccessibleInterface(chevron)->text(QAccessible::Description), row->face().title);
        QTest::keyClick(chevron, Qt::Key_Space);
        QCOMPARE(s.view->expandedShotID(), s.shot(0, 1));
        QTest::keyClick(chevron, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), row->promptLabel());
        QTest::keyClick(row->promptLabel(), Qt::Key_Tab);
        QVERIFY(s.row(0, 2)->isAncestorOf(QApplication::focusWidget()));
    }

    void queueAllPlannedTwiceAddsNothing()
    {
        Screen s(production());
        s.toggle(0, 0);
        QTest::mouseClick(s.panel()->queueAllButton(), Qt::LeftButton);
        // The rendered shot is left out; the selection stays.
        QCOMPARE(s.session.jobs().size(), 4);
        QCOMPARE(s.view->selectedShotIDs().size(), 1);
        const QString subtitle = s.panel()->subtitleText();
        QCOMPARE(subtitle, u"4 queued · 0 done"_s);
        QTest::mouseClick(s.panel()->queueAllButton(), Qt::LeftButton);
        QCOMPARE(s.session.jobs().size(), 4);
        QCOMPARE(s.panel()->subtitleText(), subtitle);
    }

    void aRunThroughThePanel()
    {
        Screen s(production(), 4ms);
        RenderQueuePanel* panel = s.panel();
        QVERIFY(!panel->emptyState()->isHidden());
        s.toggle(0, 0);
        QTest::mouseClick(panel->queueButton(), Qt::LeftButton);
        QVERIFY(panel->emptyState()->isHidden());
        QPointer<JobRow> firstRow = panel->jobRows().at(0);
        QPointer<ShotRow> shotRow = s.row(0, 0);
        QVERIFY(panel->clearDoneButton()->isHidden());

        QTest::mouseClick(panel->renderButton(), Qt::LeftButton);
        QVERIFY(s.session.isRendering());
        QCOMPARE(panel->renderButton()->text(), u"Rendering…"_s);
        QVERIFY(!panel->renderButton()->isEnabled());
        QVERIFY(panel->queueAllButton()->isEnabled());
        // Queued while the run goes on: rendered in the same run.
        s.toggle(1, 1);
        QTest::mouseClick(panel->queueButton(), Qt::LeftButton);
        QVERIFY(s.finishRendering());

        QCOMPARE(s.session.jobs().size(), 2);
        for (const GenerationJob& job : s.session.jobs())
            QCOMPARE(job.state, JobState::done);
        QCOMPARE(panel->renderButton()->text(), u"Render all queued"_s);
        QVERIFY(!panel->renderButton()->isEnabled());
        QVERIFY(!panel->clearDoneButton()->isHidden());
        // Rows were kept through the run and show what it attached, to the
        // eye and to assistive technology.
        QCOMPARE(panel->jobRows().at(0), firstRow.data());
        QAccessibleInterface* spokenRow = QAccessible::queryAccessibleInterface(firstRow.data());
        QCOMPARE(spokenRow->text(QAccessible::Name), s.session.jobs().at(0).title);
        QVERIFY(spokenRow->text(QAccessible::Description).startsWith(u"Done"_s));
        QCOMPARE(s.row(0, 0), shotRow.data());
        QCOMPARE(shotRow->face().status, ShotStatus::rendered);
        QCOMPARE(shotRow->face().seed, s.scene(0).shots.at(0).takes.last().seed);

        QTest::mouseClick(panel->clearDoneButton(), Qt::LeftButton);
        QVERIFY(s.session.jobs().isEmpty());
        QVERIFY(!panel->emptyState()->isHidden());
        QCOMPARE(panel->subtitleText(), u"0 queued · 0 done"_s);
    }

    void returnPressesOnlyWhatTheUserMovedTo()
    {
        // A button that disables as it acts keeps the keyboard: the next
        // Return presses nothing, not "Queue all planned" after it.
        Screen s(production(), 4ms);
        s.view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.view));
        RenderQueuePanel* panel = s.panel();
        s.toggle(0, 0);
        panel->queueButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel->queueButton(), Qt::Key_Return);
        QCOMPARE(s.session.jobs().size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), panel->queueButton());

        panel->renderButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel->renderButton(), Qt::Key_Return);
        QVERIFY(s.session.isRendering());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), panel->renderButton());
        QVERIFY(s.finishRendering());
        QCOMPARE(s.session.jobs().size(), 1);

        // "Clear done" hides as it acts: the keyboard rests in the panel.
        panel->clearDoneButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel->clearDoneButton(), Qt::Key_Return);
        QVERIFY(panel->clearDoneButton()->isHidden());
        QVERIFY(panel->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(s.session.jobs().isEmpty());
    }

    void clearDoneDuringARunKeepsTheRenderingJob()
    {
        Screen s(production(), 10ms);
        RenderQueuePanel* panel = s.panel();
        s.toggle(0, 0);
        s.toggle(0, 1);
        QTest::mouseClick(panel->queueButton(), Qt::LeftButton);
        const QUuid second = s.session.jobs().at(1).id;
        QTest::mouseClick(panel->renderButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.session.jobs().at(1).state == JobState::rendering, 10000);
        QPointer<JobRow> rendering = panel->jobRow(second);
        QVERIFY(rendering->showsProgressBar());

        QVERIFY(panel->clearDoneButton()->isVisible());
        QTest::mouseClick(panel->clearDoneButton(), Qt::LeftButton);
        QCOMPARE(s.session.jobs().size(), 1);
        QCOMPARE(panel->jobRows(), QList<JobRow*>{rendering.data()});
        QVERIFY(s.finishRendering());
        QCOMPARE(rendering->job().state, JobState::done);
        QVERIFY(!rendering->showsProgressBar());
        QCOMPARE(s.scene(0).shots.at(1).takes.size(), 1);
    }

    void statusTooltipFollowsATakeUnderThePointer()
    {
        Screen s(production());
        ShotRow* row = s.row(0, 0);
        const QPoint dot = row->statusDotRect().center();
        QTest::mouseMove(row, dot);
        QHelpEvent help(QEvent::ToolTip, dot, row->mapToGlobal(dot));
        QApplication::sendEvent(row, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), u"Planned"_s);

        const QUuid sceneID = s.scene(0).id, shotID = s.shot(0, 0);
        s.session.edit([&](Project& p) { findShot(p, p.episodes[0].id, sceneID, shotID)->takes.append(Take{}); });
        QCOMPARE(row->face().status, ShotStatus::rendered);
        QCOMPARE(QToolTip::text(), u"Rendered"_s);
    }

    void openPromptFollowsTheProfile()
    {
        Screen s(production());
        s.disclose(0, 1);
        QCOMPARE(s.view->expandedShotID(), s.shot(0, 1));
        const Project& p = s.session.project();
        QCOMPARE(s.row(0, 1)->promptText(), PromptComposer::prompt(s.scene(0).shots.at(1), s.scene(0), p));
        QCOMPARE(s.row(0, 1)->referenceTexts(),
                 (QStringList{u"Style anchor frame"_s, u"Mara — portrait ref"_s}));

        QTest::mouseClick(s.view->engineCard()->characterRefsToggle(), Qt::LeftButton);
        QVERIFY(!s.session.profile().usesCharacterRefs);
        QCOMPARE(s.row(0, 1)->referenceTexts(), QStringList{u"Style anchor frame"_s});

        // Opening another row closes the first; its chevron again closes it.
        s.disclose(1, 0);
        QVERIFY(!s.row(0, 1)->face().expanded);
        QVERIFY(s.row(1, 0)->face().expanded);
        // The open row shows the whole prompt; a closed one folds back to its line.
        QLabel* prompt = s.row(1, 0)->promptLabel();
        QTRY_VERIFY(s.row(1, 0)->height() >= ShotRow::lineHeight() + prompt->heightForWidth(prompt->width()));
        s.disclose(1, 0);
        QVERIFY(s.view->expandedShotID().isNull());
        QTRY_COMPARE(s.row(1, 0)->height(), ShotRow::lineHeight());
        QTRY_COMPARE(s.row(0, 1)->height(), ShotRow::lineHeight());
    }

    void profileValuesAreShownNotRewritten()
    {
        Screen s(production());
        GenerationProfile odd = s.session.profile();
        odd.maxClipSeconds = 2.5; // below the slider, off its grid
        odd.variantsPerShot = 9;
        s.session.setProfile(odd);
        EngineCard* card = s.view->engineCard();
        QCOMPARE(card->clipLengthSlider()->position(), 4.0);
        QCOMPARE(s.session.profile(), odd);
        QCOMPARE(s.row(0, 0)->face().clips, 2); // 5 seconds over 2.5

        // A user's move writes a value of the slider's grid, and that field only.
        card->clipLengthSlider()->setFocus();
        QTest::keyClick(card->clipLengthSlider(), Qt::Key_Right);
        QCOMPARE(s.session.profile().maxClipSeconds, 5.0);
        QCOMPARE(s.session.profile().variantsPerShot, 9);
        QCOMPARE(s.row(0, 0)->face().clips, 1);
        QTest::keyClick(card->takesSlider(), Qt::Key_Left);
        QCOMPARE(s.session.profile().variantsPerShot, 2);
    }

    void theActiveEpisodeDecides()
    {
        Screen s(production());
        s.toggle(0, 0);
        const Episode second = s.session.project().episodes.at(1);
        s.session.setActiveEpisodeID(second.id);
        QCOMPARE(s.view->sceneSections().size(), 1);
        QVERIFY(s.view->shotRow(second.scenes.at(0).shots.at(0).id));
        // A selection of another episode would queue nothing: it goes.
        QVERIFY(s.view->selectedShotIDs().isEmpty());
        QVERIFY(!s.panel()->queueButton()->isEnabled());

        s.session.setActiveEpisodeID(QUuid::createUuid()); // names none: the first episode
        QCOMPARE(s.view->sceneSections().size(), 2);
    }

    void hugeTextsAreShownByTheirStart()
    {
        Project p = production();
        const QString huge(3'000'000, u'w');
        p.episodes[0].scenes[0].shots[0].what = huge;
        Location vast;
        vast.name = huge;
        p.locations = {vast};
        p.episodes[0].scenes[0].locationID = vast.id;
        Screen s(p);
        s.disclose(0, 0);
        QVERIFY(s.row(0, 0)->promptText().endsWith(u'…'));
        QVERIFY(s.row(0, 0)->promptText().size() < 10'000);
        QVERIFY(!s.view->grab().isNull()); // painting every row finishes
    }

    void theManifestEndsAtItsLastRow()
    {
        // Scrolled to the end, the last row stands at the foot of the
        // manifest, not above an empty stretch the user scrolls into.
        Project p = production();
        for (int i = 0; i < 20; ++i)
            p.episodes[0].scenes[1].shots.append(Shot{});
        for (const QSize size : {QSize(871, 600), QSize(1400, 900)}) {
            Screen s(p);
            s.view->resize(size);
            QCoreApplication::processEvents();
            ScrollColumn* manifest = s.view->manifest();
            manifest->verticalScrollBar()->setValue(manifest->verticalScrollBar()->maximum());
            QCoreApplication::processEvents();
            const SceneCard& last = s.scene(1);
            ShotRow* row = s.view->shotRow(last.shots.last().id);
            const int rowBottom = row->mapTo(manifest->viewport(), QPoint(0, row->height())).y();
            QVERIFY(manifest->verticalScrollBar()->maximum() > 0);
            QVERIFY2(manifest->viewport()->height() - rowBottom <= 24,
                     qPrintable(QString::number(manifest->viewport()->height() - rowBottom)));
        }
    }

    void aScreenBuiltAnewShowsTheQueueAsItIs()
    {
        Screen s(production(), 20ms);
        s.toggle(0, 0);
        s.toggle(0, 1);
        QTest::mouseClick(s.panel()->queueButton(), Qt::LeftButton);
        QTest::mouseClick(s.panel()->renderButton(), Qt::LeftButton);
        QTRY_VERIFY(s.session.jobs().at(0).progress > 0);

        // Leaving the screen and coming back: the run went on in the session.
        delete s.view;
        s.view = new FootageView(s.session);
        s.view->show();
        RenderQueuePanel* panel = s.panel();
        QCOMPARE(panel->jobRows().size(), 2);
        QCOMPARE(panel->renderButton()->text(), u"Rendering…"_s);
        QVERIFY(!panel->renderButton()->isEnabled());
        QVERIFY(panel->emptyState()->isHidden());
        QVERIFY(s.finishRendering());
        QCOMPARE(panel->jobRows().at(1)->job().state, JobState::done);
        QVERIFY(!panel->clearDoneButton()->isHidden());
    }

    void anOpeningRowStaysInsideItsCard()
    {
        Project p = production();
        p.episodes[0].scenes[0].shots[1].what = u"The keeper climbs the spiral stair with the lamp oil, counting "
                                                u"every step aloud while the storm presses the glass."_s;
        Screen s(p);
        ShotRow* row = s.row(0, 1);
        s.disclose(0, 1);
        // Every frame of the spring: what the open part shows stays clear of
        // the band where the card's edge and corners are drawn.
        bool sawItMidway = false;
        QElapsedTimer clock;
        clock.start();
        do {
            QCoreApplication::processEvents();
            const int full = ShotRow::lineHeight() + row->promptLabel()->parentWidget()->height();
            sawItMidway = sawItMidway || (row->height() > ShotRow::lineHeight() + 20 && row->height() < full - 6);
            QRegion shown;
            for (QWidget* part : row->findChildren<QWidget*>())
                shown += part->visibleRegion().translated(part->mapTo(row, QPoint(0, 0)));
            QVERIFY2(shown.isEmpty() || shown.boundingRect().bottom() < row->height() - 6,
                     qPrintable(u"%1 of %2"_s.arg(shown.boundingRect().bottom()).arg(row->height())));
        } while (row->isTurning() && clock.elapsed() < 5000);
        QVERIFY(sawItMidway);
        QVERIFY(!row->isTurning());
    }

    void aFeatureBuildsWhatIsInView()
    {
        Project p;
        for (int i = 0; i < 110; ++i) {
            SceneCard scene;
            scene.shots = {Shot{}, Shot{}, Shot{}, Shot{}, Shot{}, Shot{}};
            p.episodes[0].scenes << scene;
        }
        Screen s(p);
        QCoreApplication::processEvents();
        const QList<SceneCard>& scenes = s.session.project().episodes[0].scenes;
        QVERIFY(s.view->shotRow(scenes.first().shots.first().id));
        QVERIFY(!s.view->shotRow(scenes.last().shots.last().id));
        QVERIFY(s.view->sceneSections().size() < scenes.size() / 2);

        // A shot picked and a row opened near the top stay so after a trip to
        // the end and back; the end shows the last scene under its own number.
        s.toggle(0, 0);
        s.disclose(0, 1);
        QScrollBar* bar = s.view->manifest()->verticalScrollBar();
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        ShotRow* last = s.view->shotRow(scenes.last().shots.last().id);
        QVERIFY(last);
        QCOMPARE(last->face().title.section(u' ', 1, 1), u"110.6"_s);
        QCOMPARE(s.view->sceneSection(scenes.last().id)->titleText().left(9), u"SCENE 110"_s);
        const QRect lastInViewport(last->mapTo(s.view->manifest()->viewport(), QPoint(0, 0)), last->size());
        QVERIFY(s.view->manifest()->viewport()->rect().contains(lastInViewport));
        QVERIFY(!s.view->shotRow(scenes.at(50).shots.first().id));

        bar->setValue(0);
        QCoreApplication::processEvents();
        QVERIFY(s.row(0, 0)->face().selected);
        QVERIFY(s.row(0, 1)->face().expanded);
        QVERIFY(!s.row(0, 1)->promptText().isEmpty());
        QTest::mouseClick(s.panel()->queueButton(), Qt::LeftButton);
        QCOMPARE(s.session.jobs().size(), 1);
    }

    void withoutAnyEpisode()
    {
        Project empty;
        empty.episodes.clear();
        Screen s(empty);
        QVERIFY(s.view->emptyState()->isVisible());
        QVERIFY(s.view->sceneSections().isEmpty());
        QTest::mouseClick(s.panel()->queueAllButton(), Qt::LeftButton);
        QVERIFY(s.session.jobs().isEmpty());
        QVERIFY(!s.panel()->renderButton()->isEnabled());
    }
};

QTEST_MAIN(FootageViewTest)
#include "FootageViewTest.moc"
