// The Storyboard screen as a user meets it: a new production, building the
// board from the script, rows that follow their scenes, the episode picker,
// the shot grid and the inspector; and PNGs of the screen in the workspace
// (every sample, a shot with approved takes, 9:16, long texts, open context
// menus, a running assist, the window's least size and a wide one) when
// SCREENSHOT_DIR is set.

#include "StoryboardScreen.h"
#include "support/AssistFixtures.h"

#include "design/widgets/EmptyStateView.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SectionHeader.h"
#include "design/style/Spring.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/focus/FocusOutline.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "model/Text.h"
#include "services/SampleFactory.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/SceneRow.h"
#include "views/phases/storyboard/ShotCard.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "views/phases/storyboard/StoryboardButtons.h"
#include "views/phases/storyboard/StoryboardView.h"
#include "views/phases/storyboard/TakeRow.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;
using rules::StoryboardSelection;

namespace {

using Screen = StoryboardScreen;

// The workspace on the window's backdrop, showing the Storyboard.
struct Opened {
    AppState app;
    ProjectSession session;

    explicit Opened(Project project)
        : session((project.activePhase = PhaseID::scenes, project))
    {
    }
};
struct Stage : Opened, WorkspaceStage<StoryboardView> {
    explicit Stage(Project project, QSize size = QSize(1080, 700))
        : Opened(std::move(project))
        , WorkspaceStage(app, session, size)
    {
    }
    bool springsAtRest() const
    {
        const QList<Spring*> springs = backdrop.findChildren<Spring*>();
        return std::none_of(springs.cbegin(), springs.cend(), [](Spring* s) { return s->isMoving(); });
    }
    void shoot(const QString& name)
    {
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        // Chip fades and pill springs come to rest.
        QTRY_VERIFY(springsAtRest());
        writeScreenshot(&backdrop, u"storyboard-"_s + name);
    }
};

Shot shotWithTakes(int takes, int approved)
{
    Shot shot;
    for (int i = 0; i < takes; ++i) {
        Take take;
        take.note = u"Take %1"_s.arg(i + 1);
        shot.takes << take;
    }
    if (approved >= 0)
        shot.approvedTakeID = shot.takes[approved].id;
    return shot;
}

} // namespace

class StoryboardScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void newProduction()
    {
        Project p;
        Location harbor;
        harbor.name = u"Harbor"_s;
        p.locations = {harbor};
        Screen s(p);
        QCOMPARE(s.view.listHeader()->subtitle(), std::optional<QString>(u"0 total"_s));
        QVERIFY(s.view.buildButton()->isHidden());
        QVERIFY(!s.showsEditor());
        QVERIFY(!s.view.inspectorPane()->isShowingShot());

        s.view.emptyState()->actionButton()->click();
        QCOMPARE(s.episode().scenes.size(), 1);
        QVERIFY(s.showsEditor());
        QCOMPARE(s.view.rows().size(), 1);
        QVERIFY(s.view.rows()[0]->isSelected());
        QCOMPARE(s.view.rows()[0]->slug(), u"INT. HARBOR — DAY"_s);
        QCOMPARE(s.view.rows()[0]->detail(), u"0 shots · 0s"_s);

        s.view.addButton()->click();
        QCOMPARE(s.view.listHeader()->subtitle(), std::optional<QString>(u"2 total"_s));
        QVERIFY(!s.view.rows()[0]->isSelected());
        QVERIFY(s.view.rows()[1]->isSelected());
        QCOMPARE(s.view.editor()->sceneID(), s.episode().scenes[1].id);
    }

    void buildFromScript()
    {
        Project p;
        ScriptElement heading;
        heading.kind = ScriptElementKind::sceneHeading;
        heading.text = u"EXT. OLD HARBOR - DAWN"_s;
        p.episodes.first().script.elements = {heading};
        Screen s(p);
        QVERIFY(!s.view.buildButton()->isHidden());
        s.view.buildButton()->click();
        QCOMPARE(s.episode().scenes.size(), 1);
        QVERIFY(s.view.buildButton()->isHidden());
        QCOMPARE(s.view.rows()[0]->slug(), u"EXT. OLD HARBOR — DAWN"_s);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(s.episode().scenes[0].id));
    }

    void rowsFollowTheirScenes()
    {
        Project p;
        SceneCard timed;
        for (int i = 0; i < 3; ++i) {
            Shot shot;
            shot.seconds = 2.5;
            timed.shots << shot;
        }
        p.episodes.first().scenes = {SceneCard{}, timed, SceneCard{}};
        Screen s(p);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(s.episode().scenes[0].id));
        SceneRow* row = s.view.rows()[1];
        QCOMPARE(row->detail(), u"3 shots · 7s"_s);
        QTest::mouseClick(row, Qt::LeftButton);
        QVERIFY(row->isSelected());

        s.view.moveScene(timed.id, -1);
        QCOMPARE(s.view.rows()[0], row); // the same row, moved with its scene
        QCOMPARE(row->number(), 1);
        QVERIFY(row->isSelected());

        s.view.deleteScene(timed.id);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(s.episode().scenes[0].id));
        QVERIFY(s.view.rows()[0]->isSelected());
    }

    // A long board: scrolling to its end brings the last scenes' rows, in
    // their places and numbered, and a click there selects that scene.
    void longBoardScrollsToItsLastScene()
    {
        Project p;
        for (int i = 0; i < 150; ++i)
            p.episodes.first().scenes << SceneCard{};
        Screen s(p);
        QScrollBar* bar = s.view.sceneScroll()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const QUuid last = s.episode().scenes.last().id;
        QTRY_VERIFY(!s.view.rows().isEmpty() && s.view.rows().last()->sceneID() == last);
        SceneRow* row = s.view.rows().last();
        QCOMPARE(row->number(), 150);
        QVERIFY(row->isVisible());
        QVERIFY(s.view.sceneScroll()->viewport()->rect().intersects(
            QRect(row->mapTo(s.view.sceneScroll()->viewport(), QPoint()), row->size())));
        QTest::mouseClick(row, Qt::LeftButton);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(last));
        QVERIFY(row->isSelected());

        // Back at the top, the first scene's row is there again.
        bar->setValue(0);
        QTRY_COMPARE(s.view.rows().first()->sceneID(), s.episode().scenes.first().id);
        QCOMPARE(s.view.rows().first()->number(), 1);

        // Tab walks every row in scene order, to the last and back.
        QApplication::setActiveWindow(&s.view);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        s.view.rows().first()->setFocus(Qt::TabFocusReason);
        for (int number = 2; number <= 150; ++number) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* focused = qobject_cast<SceneRow*>(QApplication::focusWidget());
            QVERIFY2(focused && focused->number() == number, qPrintable(u"Tab missed row %1"_s.arg(number)));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        auto* back = qobject_cast<SceneRow*>(QApplication::focusWidget());
        QVERIFY(back && back->number() == 149);
        // Tab from "Add scene" enters the list at its first row, and Shift+Tab
        // from the scene's header at its last, wherever the list stands.
        s.view.addButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.view.addButton(), Qt::Key_Tab);
        auto* entered = qobject_cast<SceneRow*>(QApplication::focusWidget());
        QVERIFY(entered && entered->number() == 1);
        bar->setValue(0);
        QWidget* header = s.view.editor()->settingPicker()->pill(0);
        header->setFocus(Qt::TabFocusReason);
        QTest::keyClick(header, Qt::Key_Backtab);
        back = qobject_cast<SceneRow*>(QApplication::focusWidget());
        QVERIFY(back && back->number() == 150);
    }

    void episodeSwitchSelectsItsFirstScene()
    {
        Project p;
        p.episodes = {Episode{}, Episode{}};
        p.episodes[0].scenes = {sceneWithShots(2)};
        p.episodes[1].scenes = {sceneWithShots(1), SceneCard{}};
        Screen s(p);
        const SceneCard& first = p.episodes[0].scenes[0];
        s.view.select({first.id, first.shots[1].id});
        QVERIFY(s.view.inspectorPane()->isShowingShot());

        s.session.setActiveEpisodeID(p.episodes[1].id);
        QCOMPARE(s.view.selection(), (StoryboardSelection{p.episodes[1].scenes[0].id, std::nullopt}));
        QVERIFY(!s.view.inspectorPane()->isShowingShot());
        QCOMPARE(s.view.rows().size(), 2);

        // A shot id of another scene shows nothing until its scene is selected.
        s.view.select({p.episodes[1].scenes[1].id, p.episodes[1].scenes[0].shots[0].id});
        QVERIFY(!s.view.inspectorPane()->isShowingShot());
    }

    void noEpisodeAtAll()
    {
        Project p;
        p.episodes.clear();
        Screen s(p);
        QVERIFY(!s.showsEditor());
        QVERIFY(s.view.buildButton()->isHidden());
        s.view.addButton()->click();
        s.view.emptyState()->actionButton()->click();
        s.view.buildFromScript();
        QVERIFY(s.session.project().episodes.isEmpty());
    }

    void gridPicksAndAddsShots()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(3)};
        Screen s(p);
        ShotGrid* grid = s.view.editor()->grid();
        QCOMPARE(grid->cardCount(), 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cardRect(1).center());
        QCOMPARE(s.view.selection().shotID, std::optional<QUuid>(s.episode().scenes[0].shots[1].id));
        QVERIFY(s.view.inspectorPane()->isShowingShot());

        // A pack lands as one change and selects its first shot.
        QSignalSpy changes(&s.session, &ProjectSession::projectChanged);
        const CoveragePack& pack = CoveragePack::catalog().first();
        Q_EMIT grid->tiles()->coverageRequested(pack.id);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(grid->cardCount(), 3 + pack.shots.size());
        QCOMPARE(s.view.selection().shotID, std::optional<QUuid>(s.episode().scenes[0].shots[3].id));
        QCOMPARE(grid->card(3).number, 4);

        // Deleting the selected shot from its card closes the inspector.
        Q_EMIT grid->deleteRequested(s.episode().scenes[0].shots[3].id);
        QCOMPARE(s.view.selection().shotID, std::nullopt);
        QVERIFY(!s.view.inspectorPane()->isShowingShot());
    }

    void inspectorEditsTheShownShot()
    {
        Project p;
        SceneCard scene;
        scene.shots = {shotWithTakes(3, 1), Shot{}};
        scene.shots[0].what = u" "_s;
        scene.shots[1].recipeID = u"noSuchRecipe"_s;
        p.episodes.first().scenes = {scene};
        Screen s(p);
        s.view.select({scene.id, scene.shots[0].id});
        ShotInspector* inspector = s.inspector();
        QCOMPARE(inspector->takesLabel()->caption(), u"Takes · 3"_s);
        QList<TakeRow*> rows = inspector->takeRows();
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[1]->isApproved() && !rows[0]->isApproved());
        QVERIFY(!inspector->describeButton()->isVisibleTo(inspector)); // only spaces is not empty

        rows[2]->click();
        QCOMPARE(s.episode().scenes[0].shots[0].approvedTakeID, std::optional<QUuid>(scene.shots[0].takes[2].id));
        QVERIFY(rows[2]->isApproved() && !rows[1]->isApproved());
        rows[2]->click();
        QVERIFY(!s.episode().scenes[0].shots[0].approvedTakeID);

        // An unknown recipe reads as none but can still be cleared.
        s.view.select({scene.id, scene.shots[1].id});
        QVERIFY(inspector->takesLabel()->parentWidget()->isHidden());
        QVERIFY(inspector->clearButton()->isVisibleTo(inspector));
        inspector->clearButton()->click();
        QVERIFY(!s.episode().scenes[0].shots[1].recipeID);
        QVERIFY(!inspector->clearButton()->isVisibleTo(inspector));

        // Deleting from the inspector removes the selected shot only.
        inspector->deleteButton()->click();
        QCOMPARE(s.episode().scenes[0].shots.size(), 1);
        QCOMPARE(s.episode().scenes[0].shots[0].id, scene.shots[0].id);
        QVERIFY(!s.view.inspectorPane()->isShowingShot());
    }

    void typingALongLocationNameKeepsTheFieldInView()
    {
        // The heading's look at every scale: StoryboardScalesTest.
        Project p = SampleFactory::lighthouse();
        SceneCard& scene = p.episodes.first().scenes.first();
        scene.locationID.reset();
        scene.locationText = u"The abandoned desalination plant beyond the northern salt flats"_s;

        // Typing a long name grows the menu ahead of the field; the field
        // being typed in stays on screen.
        Stage stage(p);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        SceneEditor* editor = stage.screen()->editor();
        QLineEdit* field = editor->locationField()->lineEdit();
        field->setFocus();
        QTest::keyClicks(field, u" and the pipes that still sing at night"_s);
        const QWidget* viewport = editor->headingRow()->viewport();
        QTRY_VERIFY(viewport->rect().contains(QRect(field->mapTo(viewport, QPoint()), field->size()).center()));
        // At the row's end, its focus ring shows whole.
        const int ring = int(std::ceil(FocusOutline::outset));
        const QWidget* name = editor->locationField();
        const QRect ringed = QRect(name->mapTo(viewport, QPoint()), name->size()).adjusted(-ring, 0, ring, 0);
        QTRY_VERIFY2(viewport->rect().contains(ringed), qPrintable(QDebug::toString(ringed)));
    }

    // "Custom…" is picked to name the place: what is typed next is the name.
    void pickingCustomGivesTheNameTheKeyboard()
    {
        Stage stage(SampleFactory::lighthouse());
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        SceneEditor* editor = stage.screen()->editor();
        MenuButton* location = editor->locationMenu();
        location->setFocus();
        location->click();
        QTRY_VERIFY(location->menu()->isVisible());
        location->menu()->actions().first()->trigger();
        location->menu()->close();
        QTRY_VERIFY(editor->locationField()->lineEdit()->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), u"Salt flats"_s);
        QTRY_VERIFY(stage.session.project().episodes.first().scenes.first().locationText.endsWith(u"Salt flats"_s));
    }

    void headingRowScrollsByTheWheelAndStartsAtEachScene()
    {
        // Two scenes whose long location names overflow the heading row at
        // the window's least size.
        Project p = SampleFactory::lighthouse();
        QList<SceneCard>& scenes = p.episodes.first().scenes;
        for (SceneCard* scene : {&scenes[0], &scenes[1]}) {
            scene->locationID.reset();
            scene->locationText = u"The abandoned desalination plant beyond the northern salt flats"_s;
        }
        Stage stage(p);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        SceneEditor* editor = stage.screen()->editor();
        HorizontalStrip* row = editor->headingRow();
        QScrollBar* sideways = row->horizontalScrollBar();
        QTRY_VERIFY(sideways->maximum() > 0);

        // A plain turn of the wheel over the row scrolls it towards its end.
        QWidget* viewport = row->viewport();
        const QPointF at = viewport->rect().center();
        QWheelEvent down(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &down);
        QVERIFY(sideways->value() > 0);

        // Another scene's heading reads from its start, INT and EXT in view.
        sideways->setValue(sideways->maximum());
        stage.screen()->select({scenes[1].id, std::nullopt});
        QTRY_COMPARE(editor->sceneID(), scenes[1].id);
        QWidget* setting = editor->settingPicker();
        QTRY_VERIFY(viewport->rect().contains(QRect(setting->mapTo(viewport, QPoint()), setting->size())));
    }

    void durationIsShownNeverWritten()
    {
        Project p;
        SceneCard scene = sceneWithShots(2);
        scene.shots[0].seconds = 25;
        scene.shots[1].seconds = 3.3;
        p.episodes.first().scenes = {scene};
        Screen s(p);
        QSignalSpy changes(&s.session, &ProjectSession::projectChanged);
        s.view.select({scene.id, scene.shots[0].id});
        QCOMPARE(s.inspector()->durationLabel()->text(), u"25.0s"_s);
        s.view.select({scene.id, scene.shots[1].id});
        QCOMPARE(s.inspector()->durationLabel()->text(), u"3.3s"_s);
        QCoreApplication::processEvents();
        QCOMPARE(changes.count(), 0);
        QCOMPARE(s.session.project(), p);

        // A user's click on the track lands on the half-second grid.
        Slider* slider = s.inspector()->durationSlider();
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 3, slider->height() / 2));
        const double seconds = s.episode().scenes[0].shots[1].seconds;
        QVERIFY(seconds >= 1 && seconds <= 20 && seconds != 3.3);
        QCOMPARE(std::fmod(seconds - 1.0, 0.5), 0.0);
        QCOMPARE(s.inspector()->durationLabel()->text(), text::format("%.1f", seconds) + u's');
    }

    void cardTexts_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half rounds to even, up") << 7.5 << u"8s"_s;
        QTest::newRow("half rounds to even, down") << 6.5 << u"6s"_s;
        QTest::newRow("below half") << 0.4 << u"0s"_s;
    }

    void cardTexts()
    {
        QFETCH(double, seconds);
        Shot shot;
        shot.seconds = seconds;
        shot.approvedTakeID = newId(); // approved even without the take
        shot.recipeID = u"noSuchRecipe"_s;
        const ShotCard card = ShotCard::of(shot, 4);
        QTEST(card.seconds, "shown");
        QCOMPARE(card.status, ShotStatus::approved);
        QVERIFY(card.hasRecipe);
        QCOMPARE(card.recipeHelp, QString()); // the mark stays, its help is empty

        shot.recipeID = ShotRecipe::catalog().first().id;
        QCOMPARE(ShotCard::of(shot, 4).recipeHelp,
                 ShotRecipe::catalog().first().name + u" — after "_s + ShotRecipe::catalog().first().inspiredBy);
    }

    void screenshots_data()
    {
        QTest::addColumn<int>("sample");
        for (int i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry().at(i).id)) << i;
    }

    void screenshots()
    {
        if (screenshotDir().isEmpty())
            QSKIP("SCREENSHOT_DIR is not set");
        QFETCH(int, sample);
        const SampleFactory::Sample& entry = SampleFactory::registry().at(sample);
        for (const QSize size : {QSize(1080, 700), QSize(1600, 1000)}) {
            Stage stage(entry.make(), size);
            QVERIFY(stage.screen());
            const Episode& episode = stage.session.project().episodes.first();
            if (!episode.scenes.isEmpty() && !episode.scenes.first().shots.isEmpty())
                stage.screen()->select({episode.scenes.first().id, episode.scenes.first().shots.first().id});
            stage.shoot(u"%1-%2x%3"_s.arg(entry.id).arg(size.width()).arg(size.height()));
        }
    }

    void screenshotsOfStates()
    {
        if (screenshotDir().isEmpty())
            QSKIP("SCREENSHOT_DIR is not set");
        {
            Stage stage(Project{});
            stage.shoot(u"new-production"_s);
        }
        // A selected shot with approved takes, in 9:16, with long texts.
        Project p = SampleFactory::lighthouse();
        p.look.aspect = AspectRatio::vertical916;
        Location far;
        far.name = u"The abandoned desalination plant beyond the northern salt flats where the pipes still sing"_s;
        p.locations << far;
        SceneCard& scene = p.episodes.first().scenes.first();
        scene.locationID = far.id;
        scene.synopsis = u"Eda climbs the rusted stairs one last time while the beam sweeps over her shoulder, "
                         u"counting the steps her husband counted before he walked into the dry sea."_s;
        Shot approved = shotWithTakes(3, 1);
        approved.what = u"Extreme close on the lamp's brass gear as it stutters, catches, and turns again — "
                        u"a single grain of sand falling from its teeth into the dark below."_s;
        approved.dialogue = u"EDA (V.O.): Forty years. Not one night missed."_s;
        approved.recipeID = u"theLongWalk"_s;
        approved.seconds = 12;
        scene.shots.prepend(approved);
        {
            Stage stage(p);
            stage.screen()->select({scene.id, approved.id});
            stage.shoot(u"approved-takes-vertical"_s);
        }
        {
            Stage stage(p, QSize(1600, 1000));
            stage.screen()->select({scene.id, approved.id});
            stage.shoot(u"approved-takes-vertical-wide"_s);
        }

        // Context menus of a row and a card, and the tiles' menus.
        {
            Stage stage(SampleFactory::lighthouse());
            StoryboardView* view = stage.screen();
            ShotGrid* grid = view->editor()->grid();
            const QPoint at = grid->cardRect(0).center();
            QContextMenuEvent cardMenu(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
            QApplication::sendEvent(grid->viewport(), &cardMenu);
            QMenu* menu = grid->findChild<QMenu*>();
            QVERIFY(menu);
            QTRY_VERIFY(menu->isVisible());
            writeScreenshot(menu, u"storyboard-menu-card"_s);
            menu->close();

            SceneRow* row = view->rows().first();
            QContextMenuEvent rowMenu(QContextMenuEvent::Mouse, QPoint(20, 10), row->mapToGlobal(QPoint(20, 10)));
            QApplication::sendEvent(row, &rowMenu);
            menu = row->findChild<QMenu*>();
            QVERIFY(menu);
            QTRY_VERIFY(menu->isVisible());
            writeScreenshot(menu, u"storyboard-menu-row"_s);
            menu->close();

            for (ShotTile::Kind kind : {ShotTile::Kind::recipe, ShotTile::Kind::coverage}) {
                ShotTile* tile = grid->tiles()->tile(kind);
                tile->click();
                menu = tile->findChild<QMenu*>();
                QVERIFY(menu);
                QTRY_VERIFY(menu->isVisible());
                writeScreenshot(menu, u"storyboard-menu-"_s + tile->title().section(u' ', 0, 0).toLower());
                menu->close();
            }
            MenuButton* location = view->editor()->locationMenu();
            location->click();
            QTRY_VERIFY(location->menu()->isVisible());
            writeScreenshot(location->menu(), u"storyboard-menu-location"_s);
            location->menu()->close();
        }

        // An assist running: the AI tile spins and reads "Thinking…".
        {
            ScriptedModel model;
            model.install();
            model.hold();
            Project cloud = SampleFactory::cloudFarmer();
            Stage stage(cloud);
            stage.screen()->editor()->grid()->tiles()->tile(ShotTile::Kind::ai)->click();
            QVERIFY(stage.session.aiBusy());
            ShotGrid* grid = stage.screen()->editor()->grid();
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            stage.shoot(u"assist-running"_s);
            model.release();
            QTRY_VERIFY(!stage.session.aiBusy());
            ScriptedModel::uninstall();
        }
    }
};

QTEST_MAIN(StoryboardScreenTest)
#include "StoryboardScreenTest.moc"
