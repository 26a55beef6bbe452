// The new-production sheet: its starting values, the format presets and
// runtime ranges, whole numbers, the texts that follow the format, and the
// production "Create Production" makes for every format.

#include "design/widgets/Chip.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Slider.h"
#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/home/FormatCard.h"
#include "views/home/NewProjectDetailsForm.h"
#include "views/home/NewProjectSheet.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A window for the sheet to belong to, and the sheet, shown.
struct Presented {
    explicit Presented(AppState& app)
    {
        window.resize(900, 700);
        window.show();
        app.setShowingNewProject(true);
        sheet = new NewProjectSheet(app, &window);
        sheet->present();
        QCoreApplication::processEvents();
    }
    QWidget window;
    QPointer<NewProjectSheet> sheet;
};

} // namespace

class NewProjectSheetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }
    void init() { QDir(ProjectStore::rootPath()).removeRecursively(); }

    void startsAtTheFormatGrid()
    {
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        const rules::NewProjectDraft& d = sheet.draft();
        QCOMPARE(d.step, 0);
        QCOMPARE(d.format, ProjectFormat::shortFilm);
        QVERIFY(!d.hasPickedFormat);
        QVERIFY(d.name.isEmpty());
        QVERIFY(d.genres.isEmpty());
        QCOMPARE(d.runtime, 12.0);
        QCOMPARE(d.episodeCount, 6.0);
        QCOMPARE(sheet.title(), u"What are we making?"_s);
        QCOMPARE(sheet.subtitle(), u"Pick a format — everything else adapts to it."_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(&sheet)->text(QAccessible::Name), sheet.title());
        // shortFilm is the format, yet no card is drawn as chosen.
        for (ProjectFormat f : allCases<ProjectFormat>())
            QVERIFY(!sheet.formatCard(f)->isSelected());
        QVERIFY(sheet.showsTip());
        QVERIFY(sheet.backButton()->isHidden());
        QVERIFY(sheet.createButton()->isHidden());
        QVERIFY(sheet.details()->isHidden());
    }

    // The sheet opens with the keyboard on its first format, the close
    // button before it as it reads; Return picks a format as a click does,
    // the title then has the keyboard, and Return there creates.
    void theKeyboardGoesThroughTheSheetAsItReads()
    {
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        QTRY_VERIFY(sheet.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), sheet.formatCard(ProjectFormat::shortFilm));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), sheet.closeButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet.formatCard(ProjectFormat::feature));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(sheet.draft().step, 1);
        QCOMPARE(sheet.draft().format, ProjectFormat::feature);

        QCOMPARE(QApplication::focusWidget(), sheet.details()->titleField()->lineEdit());
        QTest::keyClicks(QApplication::focusWidget(), u"Harbour Lights"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(sheet.isFinished());
        QCOMPARE(app.store().projects().size(), 1);
        QCOMPARE(app.store().projects().first().name, u"Harbour Lights"_s);
    }

    // The arrow keys move through the format grid by place, two cards to a
    // row, and stay put at its edges.
    void theArrowsWalkTheGridAsLaidOut_data()
    {
        QTest::addColumn<ProjectFormat>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<ProjectFormat>("to");
        QTest::newRow("down") << ProjectFormat::shortFilm << int(Qt::Key_Down) << ProjectFormat::series;
        QTest::newRow("up") << ProjectFormat::sitcom << int(Qt::Key_Up) << ProjectFormat::series;
        QTest::newRow("right edge") << ProjectFormat::feature << int(Qt::Key_Right) << ProjectFormat::feature;
        QTest::newRow("bottom edge") << ProjectFormat::custom << int(Qt::Key_Down) << ProjectFormat::custom;
    }
    void theArrowsWalkTheGridAsLaidOut()
    {
        QFETCH(ProjectFormat, from);
        QFETCH(int, key);
        QFETCH(ProjectFormat, to);
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        QTRY_VERIFY(sheet.isActiveWindow());
        sheet.formatCard(from)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), sheet.formatCard(to));
        QCOMPARE(sheet.draft().step, 0);
    }

    // Drawn inside its window as a rounded card: its corners show the window
    // behind it, whatever the window system can do with windows.
    void aRoundedCardInItsWindow()
    {
        AppState app;
        Presented p(app);
        QVERIFY(QTest::qWaitForWindowExposed(&p.window));
        QCOMPARE(p.sheet->window(), &p.window);
        const QPoint corner = p.sheet->mapTo(&p.window, QPoint(1, 1));
        const QPoint middle = p.sheet->mapTo(&p.window, p.sheet->rect().center());
        const QImage withSheet = p.window.grab().toImage();
        p.sheet->reject();
        QTRY_VERIFY(!p.sheet);
        const QImage without = p.window.grab().toImage();
        QCOMPARE(withSheet.pixelColor(corner), without.pixelColor(corner));
        QVERIFY(withSheet.pixelColor(middle) != without.pixelColor(middle));
    }

    void formatPresets_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<double>("preset");
        QTest::addColumn<QString>("runtimeCaption");
        QTest::addColumn<bool>("episodes");
        QTest::addColumn<QString>("structure");
        QTest::newRow("short film") << ProjectFormat::shortFilm << 12.0 << u"Target runtime"_s << false
                                    << u"Three-Act"_s;
        QTest::newRow("feature") << ProjectFormat::feature << 100.0 << u"Target runtime"_s << false
                                 << u"15-Beat Sheet"_s;
        QTest::newRow("series") << ProjectFormat::series << 42.0 << u"Target runtime per episode"_s << true
                                << u"Five-Act TV"_s;
        QTest::newRow("anthology") << ProjectFormat::anthology << 25.0 << u"Target runtime per segment"_s << true
                                   << u"Anthology Tale"_s;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << 22.0 << u"Target runtime per episode"_s << true
                                << u"Sitcom Engine"_s;
        QTest::newRow("custom") << ProjectFormat::custom << 30.0 << u"Target runtime"_s << false << u"Three-Act"_s;
    }
    void formatPresets()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(double, preset);
        QFETCH(bool, episodes);
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.formatCard(format)->click();
        QCOMPARE(sheet.draft().step, 1);
        QCOMPARE(sheet.draft().runtime, preset);
        QVERIFY(sheet.formatCard(format)->isSelected());
        QCOMPARE(sheet.title(), u"Name it. Shape it."_s);
        QCOMPARE(sheet.subtitle(), label(format) + u" · you can change all of this later."_s);
        NewProjectDetailsForm* form = sheet.details();
        QTEST(form->runtimeCaption(), "runtimeCaption");
        QCOMPARE(form->runtimeText(), QString::number(qint64(preset)) + u" min"_s);
        QCOMPARE(form->showsEpisodes(), episodes);
        // A screen reader names the sliders by their captions.
        const auto nameOf = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QTEST(nameOf(form->runtimeSlider()), "runtimeCaption");
        if (episodes)
            QCOMPARE(nameOf(form->episodeSlider()), form->episodesCaption());
        QTEST(form->structureLabel(), "structure");
        QVERIFY(!form->structurePills().isEmpty());
        QVERIFY(form->structurePills().size() <= 4);
        QVERIFY(!sheet.backButton()->isHidden());
        QVERIFY(!sheet.createButton()->isHidden());
        QVERIFY(!sheet.showsTip());
    }

    void anthologyTexts()
    {
        AppState app;
        Presented p(app);
        p.sheet->pickFormat(ProjectFormat::anthology);
        NewProjectDetailsForm* form = p.sheet->details();
        QCOMPARE(form->episodesCaption(), u"Segments in season one"_s);
        QCOMPARE(form->structureBlurb(), u"A framed tale that turns — built for the twist."_s);
        QCOMPARE(form->seasonTotal(), u"Season total ≈ 150 minutes"_s);
    }

    // The runtime slider runs over the format's range and no further.
    void runtimeClampsPerFormat_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        for (ProjectFormat f : allCases<ProjectFormat>())
            QTest::newRow(qPrintable(rawValue(f))) << f;
    }
    void runtimeClampsPerFormat()
    {
        QFETCH(ProjectFormat, format);
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.pickFormat(format);
        Slider* slider = sheet.details()->runtimeSlider();
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(sheet.draft().runtime, double(runtimeMax(format)));
        QCOMPARE(sheet.details()->runtimeText(), QString::number(runtimeMax(format)) + u" min"_s);
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(sheet.draft().runtime, double(runtimeMin(format)));
        QCOMPARE(sheet.details()->runtimeText(), QString::number(runtimeMin(format)) + u" min"_s);
    }

    void episodesAreWholeFromOneToTwentyFour()
    {
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.pickFormat(ProjectFormat::series);
        Slider* episodes = sheet.details()->episodeSlider();
        episodes->setFocus();
        QTest::keyClick(episodes, Qt::Key_Right);
        QCOMPARE(sheet.draft().episodeCount, 7.0);
        QTest::keyClick(episodes, Qt::Key_Left);
        QTest::keyClick(episodes, Qt::Key_Left);
        QCOMPARE(sheet.draft().episodeCount, 5.0);
        QTest::keyClick(episodes, Qt::Key_End);
        QCOMPARE(sheet.draft().episodeCount, 24.0);
        QTest::keyClick(sheet.details()->runtimeSlider(), Qt::Key_End);
        QCOMPARE(sheet.details()->episodesText(), u"24"_s);
        QCOMPARE(sheet.details()->seasonTotal(), u"Season total ≈ 1440 minutes"_s);
        QTest::keyClick(episodes, Qt::Key_Home);
        QCOMPARE(sheet.draft().episodeCount, 1.0);
        // A drag lands between whole numbers; the count does not.
        Q_EMIT episodes->valueEdited(3.4);
        QCOMPARE(sheet.draft().episodeCount, 3.0);
    }

    void backKeepsTheValues()
    {
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.pickFormat(ProjectFormat::series);
        QTest::keyClicks(sheet.details()->titleField()->lineEdit(), u"Harbour Lights"_s);
        sheet.details()->genreChip(Genre::mystery)->click();
        Q_EMIT sheet.details()->runtimeSlider()->valueEdited(58);
        Q_EMIT sheet.details()->episodeSlider()->valueEdited(8);
        QTRY_VERIFY(sheet.isActiveWindow());
        sheet.details()->titleField()->lineEdit()->setFocus();
        QCOMPARE(QApplication::focusWidget(), sheet.details()->titleField()->lineEdit());

        sheet.backButton()->click();
        QCOMPARE(sheet.draft().step, 0);
        // The focus left with the details for the format picked, not onto
        // the Close button.
        QCOMPARE(QApplication::focusWidget(), sheet.formatCard(ProjectFormat::series));
        QVERIFY(sheet.formatCard(ProjectFormat::series)->isSelected());
        QCOMPARE(sheet.draft().name, u"Harbour Lights"_s);
        QCOMPARE(sheet.draft().runtime, 58.0);

        // Another format presets its runtime; the rest stays.
        sheet.pickFormat(ProjectFormat::feature);
        QCOMPARE(sheet.draft().runtime, 100.0);
        QVERIFY(!sheet.details()->showsEpisodes());
        QCOMPARE(sheet.details()->runtimeCaption(), u"Target runtime"_s);
        QCOMPARE(sheet.draft().episodeCount, 8.0);
        QCOMPARE(sheet.draft().genres, QList<Genre>{Genre::mystery});
        QCOMPARE(sheet.details()->titleField()->text(), u"Harbour Lights"_s);

        // Even the same format again resets the runtime.
        Q_EMIT sheet.details()->runtimeSlider()->valueEdited(180);
        sheet.goBack();
        sheet.pickFormat(ProjectFormat::feature);
        QCOMPARE(sheet.draft().runtime, 100.0);
    }

    void genreChipsToggle()
    {
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.pickFormat(ProjectFormat::shortFilm);
        Chip* horror = sheet.details()->genreChip(Genre::horror);
        horror->click();
        QVERIFY(horror->isOn());
        horror->click();
        QVERIFY(!horror->isOn());
        QVERIFY(sheet.draft().genres.isEmpty());
        // Any number may be on; they are kept in the catalog's order.
        const QList<Genre> all = allCases<Genre>();
        for (auto it = all.crbegin(); it != all.crend(); ++it)
            sheet.details()->genreChip(*it)->click();
        QCOMPARE(sheet.draft().genres, all);
    }

    void createsTheProductionOfEachFormat_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<int>("episodes");
        QTest::addColumn<StructureKind>("structure");
        QTest::newRow("short film") << ProjectFormat::shortFilm << 1 << StructureKind::threeAct;
        QTest::newRow("feature") << ProjectFormat::feature << 1 << StructureKind::beatSheet;
        QTest::newRow("series") << ProjectFormat::series << 6 << StructureKind::fiveAct;
        QTest::newRow("anthology") << ProjectFormat::anthology << 6 << StructureKind::anthologyTale;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << 6 << StructureKind::sitcom;
        QTest::newRow("custom") << ProjectFormat::custom << 1 << StructureKind::threeAct;
    }
    void createsTheProductionOfEachFormat()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(int, episodes);
        QFETCH(StructureKind, structure);
        AppState app;
        Presented p(app);
        NewProjectSheet& sheet = *p.sheet;
        sheet.pickFormat(format);
        QTest::keyClicks(sheet.details()->titleField()->lineEdit(), u"  Tide Table "_s);
        sheet.details()->genreChip(Genre::drama)->click();
        sheet.details()->genreChip(Genre::sciFi)->click();
        Q_EMIT sheet.details()->runtimeSlider()->valueEdited(double(runtimeMin(format)) + 0.9);

        sheet.createButton()->click();
        QCOMPARE(app.store().projects().size(), 1);
        const Project& created = app.store().projects().first();
        QCOMPARE(created.name, u"  Tide Table "_s);
        QCOMPARE(created.format, format);
        QCOMPARE(created.idea.genres, (QList<Genre>{Genre::drama, Genre::sciFi}));
        QCOMPARE(created.idea.targetRuntimeMinutes, runtimeMin(format));
        QCOMPARE(created.episodes.size(), episodes);
        for (const Episode& e : created.episodes)
            QCOMPARE(e.structure.kind, structure);

        // Opened in a new selected tab; the sheet closed and the request ended.
        QVERIFY(app.selectedTab()->session());
        QCOMPARE(app.selectedTab()->session()->id(), created.id);
        QVERIFY(!app.showingNewProject());
        QTRY_VERIFY(!p.sheet);
    }

    void blankTitleBecomesUntitled()
    {
        AppState app;
        Presented p(app);
        p.sheet->pickFormat(ProjectFormat::feature);
        QTest::keyClicks(p.sheet->details()->titleField()->lineEdit(), u" \t "_s);
        p.sheet->createProduction();
        QCOMPARE(app.store().projects().first().name, u"Untitled"_s);
    }

    void closingCreatesNothing()
    {
        AppState app;
        Presented p(app);
        p.sheet->pickFormat(ProjectFormat::sitcom);
        p.sheet->closeButton()->click();
        QVERIFY(!app.showingNewProject());
        QVERIFY(app.store().projects().isEmpty());
        QCOMPARE(app.tabs().size(), 1);
        QVERIFY(!p.sheet->createProduction());
        QVERIFY(app.store().projects().isEmpty());

        // Esc dismisses too.
        Presented again(app);
        QCOMPARE(again.sheet->draft().step, 0); // a new presentation starts afresh
        QTest::keyClick(again.sheet, Qt::Key_Escape);
        QVERIFY(!app.showingNewProject());
        QVERIFY(app.store().projects().isEmpty());
    }

    // A failed save is reported by the store; the production opens anyway.
    void failedSaveStillOpens()
    {
        AppState app;
        Presented p(app);
        p.sheet->pickFormat(ProjectFormat::shortFilm);
        QSignalSpy errors(&app.store(), &ProjectStore::errorOccurred);
        const QString root = ProjectStore::rootPath();
        QDir().rename(root, root + u".aside"_s);
        {
            QFile blocker(root);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const auto created = p.sheet->createProduction();
        QFile::remove(root);
        QDir().rename(root + u".aside"_s, root);
        QVERIFY(created);
        QCOMPARE(errors.size(), 1);
        QVERIFY(app.store().projects().isEmpty());
        QCOMPARE(app.selectedTab()->session()->id(), created->id);
        QVERIFY(!app.showingNewProject());
    }
};

QTEST_MAIN(NewProjectSheetTest)
#include "NewProjectSheetTest.moc"
