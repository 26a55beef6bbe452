// Where a screen reader hears the keyboard land, in the whole window: a
// production that opens, a phase that changes and the way back Home name the
// screen that takes the keyboard; Tab into a list the program paints (or a
// click on one of its cards or clips) lands on the item, heard once, never on
// the list after it (the Script page's elements: PaintedItemsHeardTest);
// and the studio tab, the Settings section and the scene chosen are heard
// chosen, told as every chosen control tells it.

#include "app/MainWindow.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/StudioTab.h"
#include "state/edits/CutEdits.h"
#include "support/ListeningTest.h"
#include "views/home/FirstRunPanel.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/SampleMenuButton.h"
#include "views/phases/cut/TimelineLanes.h"
#include "views/phases/storyboard/SceneRow.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/StoryboardView.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/PhaseRail.h"
#include "views/shell/PhaseRailRow.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/WorkspaceHeader.h"
#include "views/shell/RootView.h"
#include "views/shell/TabStrip.h"
#include "views/shell/TabStripChip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <functional>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// The sample, its first episode cut together.
Project assembledSample()
{
    Project p = SampleFactory::lighthouse();
    edits::assembleTimeline(p, p.episodes.first().id);
    return p;
}

struct Window {
    AppState app;
    MainWindow window{app};

    Window()
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    ProjectWorkspaceView* workspace() const
    {
        return qobject_cast<ProjectWorkspaceView*>(window.rootView()->content());
    }
    void phase(int number) { QTest::keyClick(&window, Qt::Key(Qt::Key_0 + number), Qt::ControlModifier); }
};

// Presses Tab until `reached` holds, as a keyboard user walks the window.
bool tabUntil(const std::function<bool()>& reached)
{
    for (int i = 0; i < 200 && !reached() && QApplication::focusWidget(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return reached();
}

// The library as on the first run: every stored production to the Trash.
void emptyLibrary(AppState& app)
{
    const QList<Project> stored = app.store().projects();
    for (const Project& p : stored)
        app.store().remove(p.id);
}

using Selections = QList<std::pair<QObject*, bool>>;

// The selection changes heard, as (object, selected now), in any order.
Selections selectionsHeard()
{
    Selections heardNow;
    for (const HeardEvent& e : std::as_const(heard())) {
        if (e.type == QAccessible::SelectionAdd || e.type == QAccessible::SelectionRemove) {
            // The event says what the object reads as it goes out.
            if ((e.type == QAccessible::SelectionAdd) != e.state.selected)
                return {};
            heardNow.append({e.object.data(), e.state.selected});
        }
    }
    std::sort(heardNow.begin(), heardNow.end());
    return heardNow;
}

// The same told as state changes, as every chosen control tells it.
Selections selectedStatesHeard()
{
    Selections heardNow;
    for (const HeardEvent& e : heardOf(QAccessible::StateChanged)) {
        if (e.changed.selected)
            heardNow.append({e.object.data(), e.state.selected});
    }
    std::sort(heardNow.begin(), heardNow.end());
    return heardNow;
}

} // namespace

class HeardFocusTest : public ListeningTest {
    Q_OBJECT

private Q_SLOTS:
    // Opening a production, a phase asked for from the keyboard, and the way
    // back Home: each screen that takes the keyboard is heard by its name, and
    // no focus lands anywhere unnamed on the way.
    void screensThatTakeTheKeyboardNameThemselves()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(lastFocus().object, w.window.rootView()->content());
        QCOMPARE(lastFocus().name, u"Home"_s);

        const Project p = assembledSample();
        w.app.openProject(p);
        QCOMPARE(lastFocus().object, w.workspace());
        QCOMPARE(lastFocus().name, p.name);

        w.phase(6);
        QCOMPARE(lastFocus().object, w.workspace()->phaseScreen());
        QCOMPARE(lastFocus().name, u"Storyboard"_s);
        // From inside a screen too.
        QVERIFY(tabUntil([&] { return w.workspace()->phaseScreen()->isAncestorOf(QApplication::focusWidget()); }));
        w.phase(2);
        QCOMPARE(lastFocus().object, w.workspace()->phaseScreen());
        QCOMPARE(lastFocus().name, u"Story"_s);

        w.app.setSelectedTabID(w.app.tabs().first()->id());
        QCOMPARE(lastFocus().object, w.window.rootView()->content());
        QCOMPARE(lastFocus().name, u"Home"_s);

        // A production without a name is heard by its phase.
        Project unnamed;
        unnamed.name.clear();
        w.app.openProject(unnamed);
        QCOMPARE(lastFocus().object, w.workspace());
        QCOMPARE(lastFocus().name, title(unnamed.activePhase));

        for (const HeardEvent& e : heardOf(QAccessible::Focus))
            QVERIFY2(!e.name.isEmpty(), e.object ? e.object->metaObject()->className() : "an item");
    }

    // Ctrl+1…9 with the keyboard outside the page: on a row of the rail it
    // follows to the row of the phase that opened, in the header or the tabs
    // it goes to the new page; either way a reader hears the phase, and the
    // keyboard never rests on a row of a phase no longer shown. A row pressed
    // where the keyboard stands is heard again, now open.
    void aPhaseShortcutIsHeardWhereverTheKeyboardWas_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("toRail");
        QTest::newRow("rail") << u"rail"_s << true;
        QTest::newRow("rail, not the open row") << u"other row"_s << true;
        QTest::newRow("header") << u"header"_s << false;
        QTest::newRow("tabs") << u"tabs"_s << false;
        QTest::newRow("the row pressed") << u"the row"_s << true;
    }

    void aPhaseShortcutIsHeardWhereverTheKeyboardWas()
    {
        QFETCH(QString, from);
        QFETCH(bool, toRail);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        Project p = assembledSample();
        // The header's mark changes with the phase: ready for one, not the other.
        p.completedPhases.insert(p.activePhase);
        p.completedPhases.remove(PhaseID::cut);
        w.app.openProject(p);
        ProjectWorkspaceView* workspace = w.workspace();
        PhaseRail* rail = workspace->rail();
        const QMap<QString, QWidget*> holders{
            {u"rail"_s, rail->row(p.activePhase)},
            {u"other row"_s, rail->row(PhaseID::script)},
            {u"header"_s, workspace->header()->markReadyButton()},
            {u"tabs"_s, w.window.rootView()->tabStrip()->chip(w.app.selectedTab()->id())},
            {u"the row"_s, rail->row(PhaseID::cut)},
        };
        holders.value(from)->setFocus(Qt::TabFocusReason);
        QVERIFY(holders.value(from)->hasFocus());
        heard().clear();
        if (from == u"the row"_s)
            QTest::keyClick(holders.value(from), Qt::Key_Return);
        else
            w.phase(8);
        QCOMPARE(w.app.selectedTab()->session()->project().activePhase, PhaseID::cut);
        QWidget* expected = toRail ? static_cast<QWidget*>(rail->row(PhaseID::cut)) : workspace->phaseScreen();
        QCOMPARE(QApplication::focusWidget(), expected);
        QTRY_COMPARE(lastFocus().object, expected);
        QCOMPARE(lastFocus().name, u"The Cut"_s);
        // Nothing the header's control tells as it changes for the new phase
        // (its mark, ready for one phase and not the other) is heard before
        // the keyboard leaves it: a reader would say it of that control.
        if (toRail)
            return;
        qsizetype moved = -1;
        for (qsizetype i = 0; i < heard().size() && moved < 0; ++i) {
            if (heard()[i].type == QAccessible::Focus)
                moved = i;
        }
        for (qsizetype i = 0; i < moved; ++i)
            QVERIFY2(heard()[i].object != holders.value(from) || heard()[i].type != QAccessible::StateChanged,
                     "a change of the control left heard before the keyboard moved");
    }

    // A studio tab or a Settings section chosen by its key where the
    // keyboard stands is heard again, as it reads now (a row of the rail:
    // above); one chosen by a click, whose focus was just heard, is not.
    void aTabChosenByItsKeyIsHeardAgain_data()
    {
        QTest::addColumn<bool>("section");
        QTest::addColumn<int>("key");
        QTest::newRow("studio tab, Return") << false << int(Qt::Key_Return);
        QTest::newRow("studio tab, Space") << false << int(Qt::Key_Space);
        QTest::newRow("Settings section, Return") << true << int(Qt::Key_Return);
        QTest::newRow("studio tab, a click") << false << 0;
    }
    void aTabChosenByItsKeyIsHeardAgain()
    {
        QFETCH(bool, section);
        QFETCH(int, key);
        Window w;
        w.app.openProject(assembledSample());
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QPointer<SettingsWindow> settings;
        QWidget* tab = w.window.rootView()->tabStrip()->chip(w.app.tabs().first()->id());
        if (section) {
            settings = SettingsWindow::present(w.app, w.window.rootView()->content());
            tab = settings->tabButtons().at(1);
        }
        tab->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tab, Qt::Key_Shift); // the keyboard in use
        heard().clear();
        if (key)
            QTest::keyClick(tab, Qt::Key(key));
        else
            QTest::mouseClick(tab, Qt::LeftButton);
        QVERIFY(QAccessible::queryAccessibleInterface(tab)->state().selected);
        QCoreApplication::processEvents();
        const QList<HeardEvent> focus = heardOf(QAccessible::Focus);
        QCOMPARE(focus.size(), key ? 1 : 0);
        if (key)
            QCOMPARE(focus.first().object, tab);
        if (settings)
            settings->close();
    }

    // A sample explored from the first run: the library shows its card and
    // the production opens; the keyboard goes straight to the workspace,
    // heard on nothing of the library on the way.
    void aSampleOpensStraightIntoItsWorkspace()
    {
        Window w;
        emptyLibrary(w.app);
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        auto* samples = w.window.rootView()->content()->findChild<FirstRunPanel*>()->findChild<SampleMenuButton*>();
        samples->setFocus(Qt::TabFocusReason);
        heard().clear();
        Q_EMIT samples->sampleChosen(SampleFactory::registry().first().id);
        QTRY_VERIFY(w.workspace());
        QCOMPARE(heardOf(QAccessible::Focus).size(), 1);
        QCOMPARE(lastFocus().object, w.workspace());
    }

    // A production made in the New Production sheet opens with the keyboard
    // in its workspace, heard there, whether the sheet came over the library
    // or over another production, and the production was made by Return in
    // its title or by the Create button.
    void aNewProductionOpensStraightIntoItsWorkspace_data()
    {
        QTest::addColumn<bool>("overProduction");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("library, Return in the title") << false << false;
        QTest::newRow("library, the Create button") << false << true;
        QTest::newRow("over a production, Return in the title") << true << false;
        QTest::newRow("over a production, the Create button") << true << true;
    }
    void aNewProductionOpensStraightIntoItsWorkspace()
    {
        QFETCH(bool, overProduction);
        QFETCH(bool, byButton);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        if (overProduction)
            w.app.openProject(assembledSample());
        QTest::keyClick(&w.window, Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(NewProjectSheet::openFor(w.app) && NewProjectSheet::openFor(w.app)->isVisible());
        NewProjectSheet* sheet = NewProjectSheet::openFor(w.app);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the first format
        QVERIFY(sheet->createButton()->isVisible());
        if (byButton)
            sheet->createButton()->setFocus(Qt::TabFocusReason);
        heard().clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!NewProjectSheet::openFor(w.app));
        QTRY_VERIFY(w.workspace());
        QCOMPARE(w.workspace()->session().project().name, u"Untitled"_s);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus == w.workspace() || w.workspace()->isAncestorOf(focus));
        QTRY_COMPARE(lastFocus().object, focus);
    }

    // Tab into the Storyboard's shot grid and the Cut's lanes, and a click on
    // a card or a clip from elsewhere: the last focus heard is what holds the
    // keyboard inside (the card, the clip), named, and never the list around
    // it.
    void theKeyboardLandsOnTheItem_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<bool>("click");
        QTest::newRow("Tab into the shot grid") << 6 << false;
        QTest::newRow("click on a shot card") << 6 << true;
        QTest::newRow("Tab into the lanes") << 8 << false;
        QTest::newRow("click on a clip") << 8 << true;
    }

    void theKeyboardLandsOnTheItem()
    {
        QFETCH(int, phase);
        QFETCH(bool, click);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.app.openProject(assembledSample());
        w.phase(phase);
        QWidget* screen = w.workspace()->phaseScreen();
        auto* grid = screen->findChild<ShotGrid*>();
        auto* lanes = screen->findChild<TimelineLanes*>();
        QVERIFY(grid || lanes);
        // The painted list, and what holds the keyboard in it.
        QWidget* list = grid ? grid->viewport() : static_cast<QWidget*>(lanes);
        QWidget* holder = grid ? static_cast<QWidget*>(grid) : lanes;
        heard().clear();

        // A card or a clip past the one the list comes back to.
        const int clicked = grid ? 1 : 2;
        if (click) {
            const QPoint at = grid ? grid->cardRect(clicked).center()
                                   : lanes->clipRect(lanes->clipAt(clicked).id).center().toPoint();
            QTest::mouseClick(list, Qt::LeftButton, {}, at);
            QVERIFY(holder->hasFocus());
        } else {
            QVERIFY(tabUntil([&] { return holder->hasFocus(); }));
        }
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(list)->focusChild();
        QVERIFY(item && item->object() != list);
        QCOMPARE(lastFocus().iface, item);
        QVERIFY(!lastFocus().name.isEmpty());
        // Heard once, and the list's own focus not after it; a click goes
        // straight to the item clicked.
        const QList<HeardEvent> focus = heardOf(QAccessible::Focus);
        QCOMPARE(std::count_if(focus.cbegin(), focus.cend(), [item](const HeardEvent& e) { return e.iface == item; }), 1);
        if (click)
            QCOMPARE(focus.size(), 1);
        QCOMPARE(lastFocus().object, list);
        QCOMPARE(lastFocus().child, click ? clicked : 0);
        if (grid)
            QCOMPARE(lastFocus().name, grid->card(click ? clicked : 0).spokenText());
    }

    // A click on a bare stretch of any scrolling page (Home, the nine
    // screens, the strips across them, the shot grid between its cards)
    // leaves the keyboard where it was, unheard.
    void aClickOnABarePageLeavesTheKeyboard_data()
    {
        QTest::addColumn<int>("phase"); // 0 for Home, -1 for Home's first run
        QTest::newRow("first run") << -1;
        QTest::newRow("home") << 0;
        for (int phase = 1; phase <= 9; ++phase)
            QTest::newRow(qPrintable(title(allCases<PhaseID>().at(phase - 1)))) << phase;
    }

    void aClickOnABarePageLeavesTheKeyboard()
    {
        QFETCH(int, phase);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        if (phase < 0)
            emptyLibrary(w.app);
        else
            w.app.store().save(assembledSample());
        if (phase > 0) {
            w.app.openProject(w.app.store().projects().first());
            w.phase(phase);
        }
        int clicked = 0;
        for (QAbstractScrollArea* area : w.window.findChildren<QAbstractScrollArea*>()) {
            if (!area->isVisible() || qobject_cast<QTextEdit*>(area) || area->window() != &w.window)
                continue;
            // The first point of the page that shows no control.
            QWidget* page = area->viewport();
            QPoint bare(-1, -1);
            for (int y = 4; y < page->height() && bare.x() < 0; y += 8) {
                for (int x = 4; x < page->width() && bare.x() < 0; x += 8) {
                    // Nothing, or a plain box that holds controls.
                    QWidget* under = page->childAt(x, y);
                    if (!under || under->metaObject() == &QWidget::staticMetaObject)
                        bare = QPoint(x, y);
                }
            }
            if (bare.x() < 0)
                continue;
            QWidget* before = QApplication::focusWidget();
            heard().clear();
            QTest::mouseClick(page, Qt::LeftButton, {}, bare);
            ++clicked;
            const char* which = area->metaObject()->className();
            QVERIFY2(QApplication::focusWidget() == before, which);
            QVERIFY2(heardOf(QAccessible::Focus).isEmpty(), which);
        }
        QVERIFY(clicked > 0);
    }

    // The studio tab chosen, the Settings section shown and the scene picked
    // are heard chosen, and the ones left are heard let go.
    void chosenTabAndSectionAreHeard()
    {
        Window w;
        w.app.openProject(assembledSample());
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TabStrip* strip = w.window.rootView()->tabStrip();
        TabStripChip* home = strip->chip(w.app.tabs().first()->id());
        TabStripChip* production = strip->chip(w.app.tabs().last()->id());
        heard().clear();
        QTest::mouseClick(home, Qt::LeftButton);
        Selections expected{{production, false}, {home, true}};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(selectionsHeard(), expected);
        QCOMPARE(selectedStatesHeard(), expected);

        QTest::mouseClick(production, Qt::LeftButton);
        w.phase(6);
        auto* storyboard = qobject_cast<StoryboardView*>(w.workspace()->phaseScreen());
        QVERIFY(storyboard);
        const QList<SceneRow*> rows = storyboard->rows();
        QVERIFY(rows.size() > 1 && rows[0]->isSelected());
        heard().clear();
        QTest::mouseClick(rows[1], Qt::LeftButton);
        expected = {{rows[0], false}, {rows[1], true}};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(selectionsHeard(), expected);
        QCOMPARE(selectedStatesHeard(), expected);

        SettingsWindow* settings = SettingsWindow::present(w.app, w.window.rootView()->content());
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        const QList<QWidget*> sections = settings->tabButtons();
        heard().clear();
        static_cast<QAbstractButton*>(sections[1])->click();
        expected = {{sections[0], false}, {sections[1], true}};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(selectionsHeard(), expected);
        QCOMPARE(selectedStatesHeard(), expected);
        settings->close();
    }
};

QTEST_MAIN(HeardFocusTest)
#include "HeardFocusTest.moc"
