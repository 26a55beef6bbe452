// The home library against a temporary home: what it lists, opening,
// duplicating, revealing and trashing productions, the sample films, and
// when it presents the new-production sheet.

#include "design/DesignSystem.h"
#include "model/Text.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/home/HomeView.h"
#include "views/home/NewProjectCard.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/ProjectPosterCard.h"
#include "views/home/SampleMenuButton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QMenu>
#include <QAbstractButton>
#include <QStandardPaths>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project stored(AppState& app, const QString& name)
{
    Project p;
    p.name = name;
    p.completedPhases = {PhaseID::spark, PhaseID::story};
    p.cast = {CastMember{}};
    [&] { QVERIFY(app.store().save(p)); }();
    return app.store().projects().first();
}

QStringList ids(const QList<Project>& projects)
{
    QStringList list;
    for (const Project& p : projects)
        list.append(uuidString(p.id));
    return list;
}

QAbstractButton* button(Alert* box, const QString& text)
{
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// Puts a plain file where a folder must be, for as long as it lives.
struct Blocked {
    explicit Blocked(const QString& path)
        : path(path)
    {
        if (QFileInfo::exists(path))
            QDir().rename(path, path + u".aside"_s);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
    }
    ~Blocked()
    {
        QFile::remove(path);
        if (QFileInfo::exists(path + u".aside"_s))
            QDir().rename(path + u".aside"_s, path);
    }
    QString path;
};

ProjectSession* selectedSession(AppState& app)
{
    StudioTab* tab = app.selectedTab();
    return tab ? tab->session() : nullptr;
}

} // namespace

class HomeViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void init()
    {
        // Every case starts from an empty library.
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void emptyLibraryShowsTheFirstRunPanel()
    {
        AppState app;
        HomeView home(app);
        QVERIFY(home.showsFirstRun());
        QVERIFY(home.posterCards().isEmpty());
        QVERIFY(home.footerSampleMenu()->isHidden());
        QCOMPARE(home.footerText(), u"Palisademotion "_s + app.updates().currentVersion());
        QVERIFY(home.footerText().startsWith(u"Palisademotion "_s));
    }

    void samplesOpenAsCompleteProductions_data()
    {
        QTest::addColumn<QString>("sampleID");
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << sample.id;
    }
    void samplesOpenAsCompleteProductions()
    {
        QFETCH(QString, sampleID);
        AppState app;
        HomeView home(app);
        home.addSample(sampleID);

        QCOMPARE(app.store().projects().size(), 1);
        ProjectSession* session = selectedSession(app);
        QVERIFY(session);
        const Project& opened = session->project();
        QCOMPARE(opened.id, app.store().projects().first().id);
        QVERIFY(!opened.cast.isEmpty());
        QVERIFY(!opened.episodes.isEmpty());
        QVERIFY(!opened.episodes.first().scenes.isEmpty());

        // What reached the disk is the whole production.
        ProjectStore reread;
        reread.load();
        QCOMPARE(reread.projects().size(), 1);
        Project onDisk = reread.projects().first();
        onDisk.modifiedAt = opened.modifiedAt;
        QVERIFY(onDisk == opened);

        QVERIFY(!home.showsFirstRun());
        QVERIFY(!home.footerSampleMenu()->isHidden());
        QCOMPARE(home.posterCards().size(), 1);
    }

    void theSameSampleTwiceMakesTwoProductions()
    {
        AppState app;
        HomeView home(app);
        const QString id = SampleFactory::registry().first().id;
        home.addSample(id);
        home.addSample(id);
        QCOMPARE(app.store().projects().size(), 2);
        QVERIFY(app.store().projects()[0].id != app.store().projects()[1].id);
        QCOMPARE(app.tabs().size(), 3);
    }

    // The sample menus name each sample with its blurb and add what is chosen.
    void sampleMenus()
    {
        AppState app;
        HomeView home(app);
        const QList<QAction*> items = home.footerSampleMenu()->menu()->actions();
        QCOMPARE(items.size(), SampleFactory::registry().size());
        QCOMPARE(items.first()->text(),
                 u"The Last Lighthouse — Sci-fi short · 35mm · silhouette-and-sodium craft"_s);
        items.last()->trigger();
        QCOMPARE(app.store().projects().size(), 0); // runs from the event loop
        QCoreApplication::processEvents();
        QCOMPARE(app.store().projects().size(), 1);
        QCOMPARE(app.store().projects().first().name, SampleFactory::registry().last().name);
    }

    void duplicate()
    {
        AppState app;
        HomeView home(app);
        const Date now(700000000.5);
        home.setClock([now] { return now; });
        const Project source = stored(app, u"Night Shift"_s);
        const qsizetype tabs = app.tabs().size();

        const auto copyID = home.duplicateProject(source.id);
        QVERIFY(copyID);
        QCOMPARE(app.store().projects().size(), 2);
        const Project copy = app.store().projects().first();
        QCOMPARE(copy.id, *copyID);
        QVERIFY(copy.id != source.id);
        QCOMPARE(copy.name, u"Night Shift Copy"_s);
        QCOMPARE(copy.createdAt, now);
        QVERIFY(copy.posterSeed != source.posterSeed);
        QVERIFY(parseUuid(copy.posterSeed));
        // Everything else is the source's, the ids inside it included.
        Project expected = source;
        expected.id = copy.id;
        expected.name = copy.name;
        expected.createdAt = copy.createdAt;
        expected.posterSeed = copy.posterSeed;
        expected.modifiedAt = copy.modifiedAt;
        QVERIFY(copy == expected);
        QCOMPARE(app.tabs().size(), tabs); // not opened

        // The copy leads the grid; a copy of the copy ends in " Copy" twice.
        QCOMPARE(home.posterCards().first()->projectID(), copy.id);
        home.duplicateProject(copy.id);
        QCOMPARE(app.store().projects().first().name, u"Night Shift Copy Copy"_s);
    }

    // An open production is copied as stored, not with its unsaved edits.
    void duplicateCopiesTheStoredVersion()
    {
        AppState app;
        HomeView home(app);
        const Project source = stored(app, u"Stored"_s);
        app.openProject(source);
        selectedSession(app)->edit([](Project& p) { p.name = u"Edited in the tab"_s; });
        home.duplicateProject(source.id);
        QCOMPARE(app.store().projects().first().name, u"Stored Copy"_s);
    }

    void failedDuplicateIsReported()
    {
        AppState app;
        HomeView home(app);
        const Project source = stored(app, u"Source"_s);
        QSignalSpy errors(&app.store(), &ProjectStore::errorOccurred);
        {
            Blocked root(ProjectStore::rootPath());
            QVERIFY(!home.duplicateProject(source.id));
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().first().toString().startsWith(u"Save failed: "_s));
        QCOMPARE(ids(app.store().projects()), QStringList{uuidString(source.id)});
        QCOMPARE(home.posterCards().size(), 1);
    }

    // A failed save of a sample still opens it, so its tab's autosave can retry.
    void failedSampleSaveStillOpens()
    {
        AppState app;
        HomeView home(app);
        QSignalSpy errors(&app.store(), &ProjectStore::errorOccurred);
        {
            Blocked root(ProjectStore::rootPath());
            home.addSample(SampleFactory::registry().first().id);
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY(app.store().projects().isEmpty());
        QVERIFY(selectedSession(app));
        QCOMPARE(selectedSession(app)->project().name, SampleFactory::registry().first().name);
    }

    // Changes of the list keep the cards of the productions that stay.
    void cardsAreKeptAcrossChanges()
    {
        AppState app;
        HomeView home(app);
        const Project a = stored(app, u"A"_s);
        const Project b = stored(app, u"B"_s);
        const QList<ProjectPosterCard*> before = home.posterCards();
        QCOMPARE(before.size(), 2);

        Project renamed = a;
        renamed.name = u"A renamed"_s;
        QVERIFY(app.store().save(renamed));
        stored(app, u"C"_s);
        const QList<ProjectPosterCard*> after = home.posterCards();
        QCOMPARE(after.size(), 3);
        QCOMPARE(after[1], before[0]); // B
        QCOMPARE(after[2], before[1]); // A, updated in place
        QCOMPARE(after[2]->face().name, u"A renamed"_s);
        QCOMPARE(after[1]->projectID(), b.id);
    }

    // A copy leads the grid and pushes the other cards one place on under a
    // still pointer: the card that left shows at rest, the one that slid
    // under the pointer lifts.
    void hoverFollowsCardsMovedByADuplicate()
    {
        AppState app;
        HomeView home(app);
        // Within the test screen, where the pointer can be found.
        home.setGeometry(0, 0, 760, 580);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        stored(app, u"Older"_s);
        const Project newer = stored(app, u"Newer"_s);
        QCoreApplication::processEvents();
        ProjectPosterCard* older = home.posterCards().at(1);
        ProjectPosterCard* slid = home.posterCards().at(0);
        QCOMPARE(slid->projectID(), newer.id);
        QTest::mouseMove(older);
        QTRY_VERIFY(older->isHovering());

        QVERIFY(home.duplicateProject(newer.id));
        QCOMPARE(home.posterCards().at(1), slid);
        QTRY_VERIFY(slid->geometry().contains(slid->parentWidget()->mapFromGlobal(QCursor::pos())));
        QTRY_VERIFY(!older->isHovering());
        QTRY_VERIFY(slid->isHovering());
    }

    void contextMenu()
    {
        AppState app;
        HomeView home(app);
        const Project p = stored(app, u"Menu"_s);
        QString revealed;
        home.setRevealer([&](const QString& path) {
            revealed = path;
            return true;
        });
        std::unique_ptr<QMenu> menu(home.contextMenu(p.id));
        const QList<QAction*> items = menu->actions();
        QStringList texts;
        for (QAction* a : items)
            texts.append(a->isSeparator() ? u"—"_s : a->text());
        QCOMPARE(texts, (QStringList{u"Open"_s, u"Duplicate"_s, u"Reveal in Finder"_s, u"—"_s, u"Move to Trash"_s}));

        items[2]->trigger();
        QCOMPARE(revealed, ProjectStore::folderPath(p.id));
        QVERIFY(revealed.endsWith(uuidString(p.id) + u".palisademotion"_s));

        items[1]->trigger();
        QCOMPARE(app.store().projects().size(), 2);

        items[0]->trigger();
        QCoreApplication::processEvents();
        QVERIFY(selectedSession(app));
        QCOMPARE(selectedSession(app)->id(), p.id);

        items[4]->trigger();
        QVERIFY(home.trashConfirmation());
        QCOMPARE(home.pendingDelete(), p.id);
        home.trashConfirmation()->reject();
    }

    // Without the pointer: Tab reaches the new-production card, then every
    // poster as the grid reads (a copy made last leads it), then the footer;
    // Space and Return do what a click does, the Menu key opens the card's
    // menu on the card.
    void cardsAreReachedAndUsedFromTheKeyboard()
    {
        AppState app;
        HomeView home(app);
        home.resize(1100, 800);
        home.show();
        QVERIFY(QTest::qWaitForWindowActive(&home));
        const Project older = stored(app, u"Older"_s);
        stored(app, u"Newer"_s);
        QVERIFY(home.duplicateProject(older.id));
        QCoreApplication::processEvents();

        QList<QWidget*> expected{home.newProjectCard()};
        for (ProjectPosterCard* card : home.posterCards())
            expected << card;
        expected << home.footerSampleMenu();
        QList<QWidget*> reached;
        home.newProjectCard()->setFocus(Qt::TabFocusReason);
        for (QWidget* focus = QApplication::focusWidget(); focus && reached.size() < expected.size();
             focus = QApplication::focusWidget()) {
            reached << focus;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(reached, expected);

        home.newProjectCard()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(home.newProjectCard(), Qt::Key_Space);
        QVERIFY(app.showingNewProject());
        app.setShowingNewProject(false);

        ProjectPosterCard* card = home.posterCards().last();
        card->setFocus(Qt::TabFocusReason);
        const QRect onScreen(card->mapToGlobal(QPoint(0, 0)), card->size());
        // The Menu key (as the window system reports it, with the pointer
        // anywhere), then Shift+F10.
        for (const bool menuKey : {true, false}) {
            if (menuKey) {
                QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(-500, -500));
                QApplication::sendEvent(card, &event);
            } else {
                QTest::keyClick(card, Qt::Key_F10, Qt::ShiftModifier);
            }
            QMenu* menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
            QVERIFY(onScreen.contains(menu->geometry().topLeft()));
            QCOMPARE(menu->actions().first()->text(), u"Open"_s);
            QTest::keyClick(menu, Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QCOMPARE(QApplication::focusWidget(), card);
        }

        QTest::keyClick(card, Qt::Key_Return);
        QTRY_VERIFY(selectedSession(app));
        QCOMPARE(selectedSession(app)->id(), older.id);
    }

    // A card trashed from the keyboard hands the keyboard to the card now in
    // its place; the last one to the first-run panel. It never falls out of
    // the library (in the window, the tab strip comes next).
    void theKeyboardStaysInTheLibraryAsCardsGo()
    {
        AppState app;
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        column->addWidget(new QPushButton(u"After the library"_s));
        auto* home = new HomeView(app);
        column->addWidget(home);
        window.resize(1100, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const QString& name : {u"C"_s, u"B"_s, u"A"_s})
            stored(app, name);
        QCoreApplication::processEvents();
        // The card in the middle, then the one that took its place, then
        // the last one left.
        home->posterCards().at(1)->setFocus(Qt::TabFocusReason);
        for (const QString& next : {u"C"_s, u"A"_s, QString()}) {
            auto* card = qobject_cast<ProjectPosterCard*>(QApplication::focusWidget());
            QVERIFY(card);
            home->requestTrash(card->projectID());
            Alert* box = home->trashConfirmation();
            QVERIFY(box->isAncestorOf(QApplication::focusWidget()));
            button(box, u"Move to Trash"_s)->click();
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(home->isAncestorOf(focused));
            if (next.isEmpty()) {
                // With no card left the keyboard rests on the page: Return
                // and Space there start no new production.
                QVERIFY(home->showsFirstRun());
                QVERIFY(!qobject_cast<QAbstractButton*>(focused));
                QTest::keyClick(focused, Qt::Key_Return);
                QTest::keyClick(focused, Qt::Key_Space);
                QCoreApplication::processEvents();
                QVERIFY(!NewProjectSheet::openFor(app));
            } else {
                QVERIFY(qobject_cast<ProjectPosterCard*>(focused));
                QCOMPARE(static_cast<ProjectPosterCard*>(focused)->face().name, next);
            }
        }
    }

    void clickOpensTheProduction()
    {
        AppState app;
        HomeView home(app);
        home.resize(1100, 800);
        home.show();
        const Project p = stored(app, u"Click me"_s);
        QCoreApplication::processEvents();
        ProjectPosterCard* card = home.posterCards().first();
        QTest::mouseClick(card, Qt::LeftButton, {}, card->rect().center());
        QCoreApplication::processEvents();
        QVERIFY(selectedSession(app));
        QCOMPARE(selectedSession(app)->id(), p.id);
    }

    void trashAfterConfirmation()
    {
        AppState app;
        HomeView home(app);
        home.show();
        const Project first = stored(app, u"First"_s);
        const Project second = stored(app, u"Second <b>bold</b>"_s);
        const QString folder = ProjectStore::folderPath(first.id);
        QVERIFY(QFileInfo(folder).isDir());

        // Cancel leaves everything as it was.
        home.requestTrash(first.id);
        Alert* box = home.trashConfirmation();
        QVERIFY(box);
        QCOMPARE(home.pendingDelete(), first.id);
        QCOMPARE(box->text(), u"Move to Trash?"_s);
        QCOMPARE(box->informativeText(), u"“"_s + text::isolated(u"First"_s) + u"” and its files will move to the Trash."_s);
        button(box, u"Cancel"_s)->click();
        QVERIFY(!home.pendingDelete());
        QCOMPARE(app.store().projects().size(), 2);
        QVERIFY(QFileInfo(folder).isDir());

        // Another card's request names that card; its name is shown as typed.
        home.requestTrash(second.id);
        box = home.trashConfirmation();
        QCOMPARE(box->informativeText(),
                 u"“"_s + text::isolated(u"Second <b>bold</b>"_s) + u"” and its files will move to the Trash."_s);
        box->reject(); // dismissed some other way
        QVERIFY(!home.pendingDelete());
        QCOMPARE(app.store().projects().size(), 2);

        home.requestTrash(first.id);
        button(home.trashConfirmation(), u"Move to Trash"_s)->click();
        QVERIFY(!home.pendingDelete());
        QCOMPARE(ids(app.store().projects()), QStringList{uuidString(second.id)});
        QCOMPARE(home.posterCards().size(), 1);
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QFileInfo(dataHome() + u"/Trash/files/"_s + QFileInfo(folder).fileName()).isDir());

        // Trashing the last production brings the first-run panel back.
        home.requestTrash(second.id);
        button(home.trashConfirmation(), u"Move to Trash"_s)->click();
        QVERIFY(home.showsFirstRun());
    }

    void failedTrashKeepsTheCard()
    {
        AppState app;
        HomeView home(app);
        home.show();
        const Project p = stored(app, u"Stays"_s);
        QSignalSpy errors(&app.store(), &ProjectStore::errorOccurred);
        {
            Blocked trash(dataHome() + u"/Trash"_s);
            home.requestTrash(p.id);
            button(home.trashConfirmation(), u"Move to Trash"_s)->click();
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().first().toString().startsWith(u"Move to Trash failed: "_s));
        QCOMPARE(home.posterCards().size(), 1);
        QVERIFY(QFileInfo(ProjectStore::folderPath(p.id)).isDir());
    }

    // A production trashed while its tab is open loses its poster and its tab.
    void trashingAnOpenProduction()
    {
        AppState app;
        HomeView home(app);
        home.show();
        const Project p = stored(app, u"Open elsewhere"_s);
        app.openProject(p);
        const qsizetype tabs = app.tabs().size();
        home.requestTrash(p.id);
        button(home.trashConfirmation(), u"Move to Trash"_s)->click();
        QVERIFY(home.posterCards().isEmpty());
        QCOMPARE(app.tabs().size(), tabs - 1);
        QVERIFY(!app.tabForProject(p.id));
    }

    void actionsOnAGoneProductionDoNothing()
    {
        AppState app;
        HomeView home(app);
        bool revealed = false;
        home.setRevealer([&](const QString&) { return revealed = true; });
        const QUuid gone = newId();
        QVERIFY(!home.duplicateProject(gone));
        home.revealProject(gone);
        home.requestTrash(gone);
        home.openProject(gone);
        QVERIFY(!revealed);
        QVERIFY(!home.trashConfirmation());
        QCOMPARE(app.tabs().size(), 1);
        QVERIFY(app.store().projects().isEmpty());
    }

    void newProductionCardRaisesTheRequest()
    {
        AppState app;
        HomeView home(app);
        stored(app, u"Any"_s);
        QVERIFY(!home.newProjectCard()->isHidden());
        home.newProjectCard()->click();
        QVERIFY(app.showingNewProject());
    }

    void sheetFollowsTheRequest()
    {
        AppState app;
        HomeView home(app);
        home.show();
        QCoreApplication::processEvents();
        app.setShowingNewProject(true);
        QPointer<NewProjectSheet> sheet = home.newProjectSheet();
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());

        // Closing the sheet in any way ends the request.
        sheet->reject();
        QVERIFY(!app.showingNewProject());
        QTRY_VERIFY(!sheet);

        // Cleared elsewhere, the request takes the sheet away.
        app.setShowingNewProject(true);
        sheet = home.newProjectSheet();
        QVERIFY(sheet);
        app.setShowingNewProject(false);
        QVERIFY(!sheet->isVisible());
        QTRY_VERIFY(!sheet);
    }

    // A request raised while the library is off screen is answered when it
    // is shown again; only the library on screen presents the sheet.
    void onlyTheLibraryOnScreenPresents()
    {
        AppState app;
        HomeView hidden(app);
        HomeView shown(app);
        shown.show();
        QCoreApplication::processEvents();
        app.setShowingNewProject(true);
        QVERIFY(!hidden.newProjectSheet());
        QVERIFY(shown.newProjectSheet());
        shown.newProjectSheet()->reject();

        shown.hide();
        app.setShowingNewProject(true);
        QVERIFY(!hidden.newProjectSheet());
        QVERIFY(!shown.newProjectSheet());
        hidden.show();
        QCoreApplication::processEvents();
        QVERIFY(hidden.newProjectSheet());
        // Showing a second library meanwhile opens no second sheet.
        shown.show();
        QCoreApplication::processEvents();
        QVERIFY(!shown.newProjectSheet());
        hidden.newProjectSheet()->reject();
        QVERIFY(!app.showingNewProject());
    }
};

QTEST_MAIN(HomeViewTest)
#include "HomeViewTest.moc"
