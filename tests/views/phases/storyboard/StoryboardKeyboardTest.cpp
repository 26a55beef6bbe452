// The Storyboard screen with the keyboard alone: Tab through the scene rows,
// the scene's header, each shot card and the tiles, in reading order; Space
// and Return select a scene and a shot; the Menu key opens the focused row's
// or card's menu, which acts on it; and what a screen reader reads of the
// cards and the fields.

#include "StoryboardScreen.h"
#include "support/AssistFixtures.h"

#include "design/widgets/Chip.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/Slider.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/SceneRow.h"
#include "views/phases/storyboard/ShotCard.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "design/widgets/ToolbarIconButton.h"
#include "views/phases/storyboard/TakeRow.h"
#include "views/phases/storyboard/StoryboardView.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using Screen = StoryboardScreen;

// A Tab stop: the focused control, and for the shot grid the card it holds.
using Stop = std::pair<QWidget*, int>;

Stop focusedStop()
{
    QWidget* focus = QApplication::focusWidget();
    auto* grid = qobject_cast<ShotGrid*>(focus);
    return {focus, grid ? grid->focusedCard() : -1};
}

// The stops Tab reaches from the window's first, once round, in order.
QList<Stop> tabStops(QWidget* window)
{
    QList<Stop> stops;
    QTest::keyClick(window, Qt::Key_Tab);
    for (Stop stop = focusedStop(); stop.first && !stops.contains(stop) && stops.size() < 1000; stop = focusedStop()) {
        stops << stop;
        QTest::keyClick(stop.first, Qt::Key_Tab);
    }
    return stops;
}

// The Menu key (or Shift+F10) as the window passes it on: a context menu
// event from the keyboard for the focused control.
void pressMenuKey(QWidget* window)
{
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(window->windowHandle(), &event);
}

// The menu the owner has open.
QMenu* openMenu(QWidget* owner)
{
    const QList<QMenu*> menus = owner->findChildren<QMenu*>();
    const auto open = std::find_if(menus.cbegin(), menus.cend(), [](QMenu* m) { return m->isVisible(); });
    return open == menus.cend() ? nullptr : *open;
}

QAction* menuAction(QWidget* owner, const QString& text)
{
    QMenu* menu = openMenu(owner);
    if (!menu)
        return nullptr;
    const QList<QAction*> actions = menu->actions();
    const auto found = std::find_if(actions.cbegin(), actions.cend(), [&](QAction* a) { return a->text() == text; });
    return found == actions.cend() ? nullptr : *found;
}

} // namespace

class StoryboardKeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    // With the keyboard alone: Tab reaches the scene rows in order, the
    // scene's header, each shot card and the tiles that add shots; Space and
    // Return select a scene and a shot as a click does; a screen reader reads
    // each card and the fields by their labels.
    void keyboardSelectsScenesAndShots()
    {
        Project p;
        for (const QString& name : {u"Eda"_s, u"Tomas"_s}) {
            CastMember member;
            member.name = name;
            p.cast << member;
        }
        p.episodes.first().scenes = {sceneWithShots(3), sceneWithShots(1), SceneCard{}};
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        const QList<SceneCard>& scenes = p.episodes.first().scenes;
        SceneEditor* editor = s.view.editor();
        ShotGrid* grid = editor->grid();

        const QList<Stop> stops = tabStops(&s.view);
        QList<Stop> expected;
        for (SceneRow* row : s.view.rows())
            expected << Stop{row, -1};
        const QList<Chip*> chips = editor->findChildren<Chip*>();
        expected << Stop{editor->settingPicker()->pill(0), -1} << Stop{chips.value(0), -1} << Stop{chips.value(1), -1};
        for (int card = 0; card < 3; ++card)
            expected << Stop{grid, card};
        for (ShotTile* tile : grid->tiles()->tiles())
            expected << Stop{tile, -1};
        qsizetype last = -1;
        for (const Stop& stop : std::as_const(expected)) {
            const qsizetype at = stops.indexOf(stop);
            QVERIFY2(at > last, qPrintable(u"stop %1 out of reading order"_s.arg(expected.indexOf(stop))));
            last = at;
        }
        // The cards follow one another, then the tiles.
        QCOMPARE(stops.indexOf(Stop{grid, 2}), stops.indexOf(Stop{grid, 0}) + 2);
        QCOMPARE(stops.indexOf(Stop{grid->tiles()->tiles().first(), -1}), stops.indexOf(Stop{grid, 2}) + 1);

        SceneRow* second = s.view.rows()[1];
        second->setFocus(Qt::TabFocusReason);
        QTest::keyClick(second, Qt::Key_Space);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(scenes[1].id));
        SceneRow* first = s.view.rows()[0];
        first->setFocus(Qt::TabFocusReason);
        QTest::keyClick(first, Qt::Key_Return);
        QCOMPARE(s.view.selection().sceneID, std::optional<QUuid>(scenes[0].id));

        grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->focusedCard(), 1);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(s.view.selection().shotID, std::optional<QUuid>(scenes[0].shots[1].id));
        QVERIFY(s.view.inspectorPane()->isShowingShot());

        // Read out: the cards as items of the grid, the focused one focused
        // and the chosen one selected; the fields by their labels.
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(grid->viewport());
        QAccessibleInterface* card = page->child(1);
        QCOMPARE(card->text(QAccessible::Name), grid->card(1).spokenText());
        QVERIFY(card->state().focused && card->state().selected);
        QVERIFY(!page->child(0)->state().focused);
        QVERIFY(!page->state().focused); // the grid round it holds the keyboard
        QCOMPARE(page->indexOfChild(card), 1);
        QAccessibleInterface* row = QAccessible::queryAccessibleInterface(first);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QVERIFY(row->state().selected);
        QVERIFY(!QAccessible::queryAccessibleInterface(second)->state().selected);
        const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(editor->synopsisField()->lineEdit()), u"Synopsis"_s);
        QCOMPARE(name(editor->locationField()->lineEdit()), u"Location name"_s);
        QCOMPARE(name(s.inspector()->durationSlider()), u"Duration"_s);
    }

    // The chosen card and the focused one are told apart: the chosen card's
    // outline is not the ring's light line.
    void theChosenCardIsNoSecondRing()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(2)};
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        ShotGrid* grid = s.view.editor()->grid();
        grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->focusedCard(), 1);
        const QImage picture = grid->grab().toImage();
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(grid->viewport());
        // How near a card's edge comes to the ring's light line: the nearest
        // colour across the first few pixels in from its left edge.
        const auto nearestToTheRing = [&](int card) {
            const QRect onScreen = page->child(card)->rect();
            const QPoint edge = grid->mapFromGlobal(QPoint(onScreen.left(), onScreen.center().y()));
            const QColor ring = Palette::textPrimary();
            double nearest = 1000;
            for (int x = edge.x(); x < edge.x() + 6; ++x) {
                const QColor c(picture.pixel(x, edge.y()));
                nearest = std::min(nearest, std::hypot(c.red() - ring.red(), c.green() - ring.green(),
                                                       c.blue() - ring.blue()));
            }
            return nearest;
        };
        QVERIFY(nearestToTheRing(1) < 25);
        QVERIFY2(nearestToTheRing(0) > 60, qPrintable(QString::number(nearestToTheRing(0))));
    }

    // A tile holding the keyboard (a coverage pack adding shots) keeps its
    // place in view as the shots it adds push it down.
    void theTileThatAddsShotsStaysInView()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(4)};
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        ShotGrid* grid = s.view.editor()->grid();
        ShotTile* last = grid->tiles()->tiles().last();
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        last->setFocus(Qt::TabFocusReason);
        const auto shown = [&] { return grid->viewport()->rect().contains(last->geometry()); };
        QVERIFY(shown());
        const QUuid episodeID = s.episode().id, sceneID = s.episode().scenes[0].id;
        s.session.edit([&](Project& project) {
            if (SceneCard* scene = findScene(project, episodeID, sceneID))
                scene->shots << Shot{} << Shot{} << Shot{};
        });
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(shown());
    }

    // The inspector's takes, one that arrives later among them, come one
    // after another in take order, "Delete shot" right after them.
    void takesComeInOrderBeforeDelete()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(1, 1)};
        p.episodes.first().scenes[0].shots[0].takes << Take{};
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        ShotGrid* grid = s.view.editor()->grid();
        grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(s.view.inspectorPane()->isShowingShot());
        const Episode& episode = s.episode();
        const QUuid episodeID = episode.id, sceneID = episode.scenes[0].id, shotID = episode.scenes[0].shots[0].id;
        s.session.edit([&](Project& project) {
            if (Shot* shot = findShot(project, episodeID, sceneID, shotID))
                shot->takes.insert(1, Take{});
        });
        const QList<TakeRow*> rows = s.inspector()->takeRows();
        QCOMPARE(rows.size(), 3);

        const QList<Stop> stops = tabStops(&s.view);
        const qsizetype first = stops.indexOf(Stop{static_cast<QWidget*>(rows.first()), -1});
        QVERIFY(first >= 0);
        for (qsizetype i = 1; i < rows.size(); ++i)
            QCOMPARE(stops.indexOf(Stop{static_cast<QWidget*>(rows.at(i)), -1}), first + i);
        QCOMPARE(stops.indexOf(Stop{static_cast<QWidget*>(s.inspector()->deleteButton()), -1}), first + rows.size());
    }

    // The Menu key or Shift+F10 on a focused card opens its menu over it,
    // and the menu acts on that card's shot, whichever is selected; so on a
    // focused scene row.
    // Deleted by the keyboard, a shot from the inspector hands it to the
    // card now in its place, a scene from its row's menu to the row now in
    // its place; where none is left it rests, Return and Space pressing
    // nothing ("Add shot" would add one), and Tab goes on from there.
    void deletingFromTheKeyboardHandsItToTheNextInPlace()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(2), SceneCard{}, SceneCard{}};
        const QList<SceneCard> scenes = p.episodes.first().scenes;
        const QList<Shot> shots = scenes[0].shots;
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        const auto pressNothing = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        };
        s.view.select({scenes[0].id, shots[0].id});
        ShotGrid* grid = s.view.editor()->grid();
        s.inspector()->deleteButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.inspector()->deleteButton(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->card(grid->focusedCard()).id, shots[1].id);
        pressNothing();
        QCOMPARE(s.episode().scenes[0].shots.size(), 1);
        QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
        menuAction(grid, u"Delete shot"_s)->trigger();
        QCOMPARE(QApplication::focusWidget(), grid);
        pressNothing();
        QVERIFY(s.episode().scenes[0].shots.isEmpty());
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid->tiles()->tiles().first());

        const auto row = [&s](const SceneCard& scene) {
            const QList<SceneRow*> rows = s.view.rows();
            const auto found = std::find_if(rows.cbegin(), rows.cend(), [&](SceneRow* r) { return r->sceneID() == scene.id; });
            return found == rows.cend() ? nullptr : *found;
        };
        const auto deleteScene = [&](const SceneCard& scene) {
            row(scene)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(row(scene), Qt::Key_F10, Qt::ShiftModifier);
            menuAction(row(scene), u"Delete scene"_s)->trigger();
        };
        deleteScene(scenes[0]);
        QCOMPARE(QApplication::focusWidget(), row(scenes[1]));
        pressNothing();
        QCOMPARE(s.episode().scenes.size(), 2);
        deleteScene(scenes[2]);
        QCOMPARE(QApplication::focusWidget(), row(scenes[1]));
        deleteScene(scenes[1]);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), u"Scenes"_s);
        pressNothing();
        QVERIFY(s.episode().scenes.isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), s.view.addButton());
    }

    void menuKeyActsOnTheFocusedCardAndRow()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(3), SceneCard{}};
        const QList<Shot> shots = p.episodes.first().scenes[0].shots;
        Screen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        s.view.select({p.episodes.first().scenes[0].id, shots[0].id});
        ShotGrid* grid = s.view.editor()->grid();
        grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->focusedCard(), 1);

        pressMenuKey(&s.view);
        QAction* later = menuAction(grid, u"Move later"_s);
        QVERIFY(later);
        const QRect card(grid->viewport()->mapToGlobal(grid->cardRect(1).topLeft()), grid->cardRect(1).size());
        QVERIFY(card.contains(openMenu(grid)->pos()));
        later->trigger();
        QCOMPARE(s.episode().scenes[0].shots[2].id, shots[1].id);
        QCOMPARE(grid->focusedCard(), 2); // the focus goes with its shot

        openMenu(grid)->close();
        QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
        QAction* remove = menuAction(grid, u"Delete shot"_s);
        QVERIFY(remove);
        remove->trigger();
        QCOMPARE(s.episode().scenes[0].shots.size(), 2);
        QVERIFY(!findShot(s.episode().scenes[0], shots[1].id));
        QCOMPARE(s.view.selection().shotID, std::optional<QUuid>(shots[0].id));
        QVERIFY(grid->hasFocus());

        SceneRow* row = s.view.rows()[0];
        row->setFocus(Qt::TabFocusReason);
        QTest::keyClick(row, Qt::Key_F10, Qt::ShiftModifier);
        QAction* down = menuAction(row, u"Move down"_s);
        QVERIFY(down);
        down->trigger();
        QCOMPARE(s.episode().scenes[1].id, p.episodes.first().scenes[0].id);
    }
};

QTEST_MAIN(StoryboardKeyboardTest)
#include "StoryboardKeyboardTest.moc"
