// The Premiere screen against a live session: the preset cards drive the
// export button, "Go" and "New poster" write through the edit door, the
// press kit keeps its caret while the production changes around it, and the
// export run is the session's: it shows its progress and result on whichever
// screen is built, outlives the screen and is never started twice.

#include "support/AssistFixtures.h"

#include "design/widgets/GhostButton.h"
#include "model/Lookup.h"
#include "design/widgets/PrimaryButton.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/StatTile.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "views/phases/premiere/DeliveryChecklist.h"
#include "views/phases/premiere/DeliveryPresets.h"
#include "views/phases/premiere/ExportBar.h"
#include "views/phases/premiere/PremierePoster.h"
#include "views/phases/premiere/PremiereStats.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/phases/premiere/PressKitCard.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "state/ExportRun.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct Shown {
    ProjectSession session;
    PremiereView view;
    explicit Shown(const Project& p, const QString& folder = QString())
        : session(p)
        , view(session)
    {
        session.setExportTarget(folder, 1ms);
        view.resize(1080, 700);
        view.show();
    }
    QString buttonText() const { return view.exportBar()->exportButton()->text(); }
    std::optional<QString> exportedPath() const
    {
        return session.lastExport() ? session.lastExport()->path : std::nullopt;
    }
};

// What the bar shows: a run under way (progress in the button's place).
bool showsRun(ExportBar* bar)
{
    return bar->exportButton()->isHidden() && !bar->progressBar()->isHidden();
}

Project production()
{
    Project p;
    p.name = u"Night/Day"_s;
    p.format = ProjectFormat::series;
    p.episodes = {Episode{}, Episode{}};
    p.episodes[0].scenes = {sceneWithShots(2, 1)};
    return p;
}

QStringList statValues(PremiereView& view)
{
    QStringList values;
    for (StatTile* tile : view.stats()->visibleTiles())
        values << tile->value();
    return values;
}

} // namespace

class PremiereViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void presetCardsNameTheExportButton()
    {
        Shown s(production());
        const Project before = s.session.project();
        QCOMPARE(s.view.selectedPresetID(), u"streaming"_s);
        QVERIFY(s.view.presets()->card(u"streaming"_s)->isSelected());
        QCOMPARE(s.buttonText(), u"Export Streaming Master"_s);
        QTest::mouseClick(s.view.presets()->card(u"web"_s), Qt::LeftButton);
        QCOMPARE(s.buttonText(), u"Export Web & Social"_s);
        QTest::mouseClick(s.view.presets()->card(u"web"_s), Qt::LeftButton);
        int selected = 0;
        for (PresetCard* card : s.view.presets()->cards())
            selected += card->isSelected() ? 1 : 0;
        QCOMPARE(selected, 1);
        QVERIFY(s.view.presets()->card(u"web"_s)->isSelected());
        // The choice is the screen's: nothing of the production changed.
        QCOMPARE(s.session.project(), before);
        s.view.setSelectedPresetID(u"nonesuch"_s);
        QCOMPARE(s.buttonText(), u"Export Master"_s);
        // A screen built anew starts from streaming again.
        PremiereView again(s.session);
        QCOMPARE(again.selectedPresetID(), u"streaming"_s);
    }

    void newPosterWritesAFreshSeed()
    {
        Shown s(production());
        const QString before = s.session.project().posterSeed;
        QTest::mouseClick(s.view.poster()->newPosterButton(), Qt::LeftButton);
        const QString after = s.session.project().posterSeed;
        QVERIFY(after != before);
        QVERIFY(parseUuid(after));
        QCOMPARE(after, after.toUpper());
        QCOMPARE(s.view.poster()->seed(), after);
    }

    void goInTheWorkspaceOpensThatPhase()
    {
        AppState app;
        Project p = production();
        p.activePhase = PhaseID::premiere;
        ProjectSession& session = openSession(app, p);
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1280, 800);
        workspace.show();
        auto* view = qobject_cast<PremiereView*>(workspace.phaseScreen());
        QVERIFY(view);
        QTest::mouseClick(view->checklist()->row(u"Visual style locked"_s)->goButton(), Qt::LeftButton);
        QTRY_VERIFY(!qobject_cast<PremiereView*>(workspace.phaseScreen()));
        QCOMPARE(session.project().activePhase, PhaseID::look);
        // Only the phase changed: nothing was marked ready.
        QVERIFY(session.project().completedPhases.isEmpty());
    }

    void checklistAndStatsFollowEveryChange()
    {
        Shown s(production());
        QCOMPARE(statValues(s.view), QStringList({u"2"_s, u"1"_s, u"2"_s, u"1"_s, u"0s"_s}));
        QVERIFY(!s.view.checklist()->row(u"Footage rendered"_s)->isOk());
        const QUuid open = s.session.project().episodes[0].scenes[0].shots[1].id;
        const QUuid episode = s.session.project().episodes[0].id;
        const QUuid scene = s.session.project().episodes[0].scenes[0].id;
        s.session.edit([&](Project& p) { findShot(p, episode, scene, open)->takes << Take{}; });
        QVERIFY(s.view.checklist()->row(u"Footage rendered"_s)->isOk());
        QCOMPARE(statValues(s.view).at(3), u"2"_s);
        QVERIFY(s.view.checklist()->row(u"Footage rendered"_s)->goButton()->isHidden());
        // A shot without takes reopens it.
        s.session.edit([&](Project& p) { findScene(p, episode, scene)->shots << Shot{}; });
        QVERIFY(!s.view.checklist()->row(u"Footage rendered"_s)->isOk());
        s.session.edit([](Project& p) { p.format = ProjectFormat::feature; });
        QCOMPARE(statValues(s.view).size(), 4);
    }

    void pressKitKeepsItsCaretWhileTheProductionChanges()
    {
        Shown s(production());
        QTextEdit* edit = s.view.pressKit()->editor()->textEdit();
        QVERIFY(s.view.pressKit()->editor()->isPlaceholderShown());
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        edit->setFocus();
        QTest::keyClicks(edit, u"SYNOPSIS"_s);
        QCOMPARE(s.session.project().idea.pressKit, u"SYNOPSIS"_s);
        QTextCursor caret = edit->textCursor();
        caret.setPosition(3);
        edit->setTextCursor(caret);
        // A renderer in the background attaches a take between keystrokes.
        const QUuid episode = s.session.project().episodes[0].id;
        const QUuid scene = s.session.project().episodes[0].scenes[0].id;
        const QUuid shot = s.session.project().episodes[0].scenes[0].shots[1].id;
        s.session.edit([&](Project& p) { findShot(p, episode, scene, shot)->takes << Take{}; });
        QTest::keyClicks(edit, u"x"_s);
        QCOMPARE(s.session.project().idea.pressKit, u"SYNxOPSIS"_s);
        QCOMPARE(edit->textCursor().position(), 4);
        QVERIFY(edit->hasFocus());
        // The assist's text arrives as a change and shows.
        s.session.edit([](Project& p) { p.idea.pressKit = u"SYNOPSIS\nA keeper."_s; });
        QCOMPARE(s.view.pressKit()->editor()->text(), u"SYNOPSIS\nA keeper."_s);
    }

    void exportShowsProgressThenTheWrittenFile()
    {
        QTemporaryDir root;
        Shown s(production(), root.path());
        ExportBar* bar = s.view.exportBar();
        QTest::mouseClick(bar->exportButton(), Qt::LeftButton);
        // At once: the progress in the button's place, at 0 %.
        QVERIFY(s.session.exportRun());
        QVERIFY(showsRun(bar));
        QCOMPARE(bar->percentLabel()->text(), u"0%"_s);
        QTRY_VERIFY(!s.session.exportRun());
        QVERIFY(!bar->exportButton()->isHidden());
        QVERIFY(bar->progressBar()->isHidden());
        QVERIFY(!bar->successRow()->isHidden());
        QVERIFY(bar->errorRow()->isHidden());
        const QString path = QDir(root.path()).filePath(u"Night-Day \u2014 Streaming Master.json"_s);
        QCOMPARE(s.exportedPath(), std::optional<QString>(path));
        QVERIFY(QFile::exists(path));

        // A second run hides the success row for its length.
        QTest::mouseClick(bar->exportButton(), Qt::LeftButton);
        QVERIFY(bar->successRow()->isHidden());
        QVERIFY(!s.exportedPath());
        QTRY_VERIFY(!bar->successRow()->isHidden());
    }

    void theKeyboardGoesThroughInReadingOrderAndExports()
    {
        QTemporaryDir root;
        Shown s(production(), root.path());
        s.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        s.view.poster()->newPosterButton()->setFocus(Qt::TabFocusReason);
        QList<QWidget*> stops{QApplication::focusWidget()};
        ExportBar* bar = s.view.exportBar();
        while (stops.size() < 40 && stops.last() != bar->exportButton()) {
            QTest::keyClick(stops.last(), Qt::Key_Tab);
            stops << QApplication::focusWidget();
        }
        const auto at = [&stops](QWidget* w) { return stops.indexOf(w); };
        QTextEdit* pressKit = s.view.pressKit()->editor()->textEdit();
        const QList<qsizetype> order{at(s.view.poster()->newPosterButton()),
                                     at(s.view.checklist()->row(u"Logline written"_s)->goButton()),
                                     at(s.view.checklist()->row(u"Cut assembled"_s)->goButton()),
                                     at(s.view.presets()->card(u"streaming"_s)),
                                     at(s.view.presets()->card(u"archive"_s)),
                                     at(pressKit),
                                     at(bar->exportButton())};
        QVERIFY2(!order.contains(-1) && std::is_sorted(order.cbegin(), order.cend()),
                 "Tab misses a control or leaves reading order");
        // The press kit is named by its caption; a card reads as chosen or not.
        QCOMPARE(QAccessible::queryAccessibleInterface(pressKit)->text(QAccessible::Name), u"Synopsis & taglines"_s);
        PresetCard* web = s.view.presets()->card(u"web"_s);
        web->setFocus(Qt::TabFocusReason);
        QTest::keyClick(web, Qt::Key_Return);
        QCOMPARE(s.buttonText(), u"Export Web & Social"_s);
        QVERIFY(QAccessible::queryAccessibleInterface(web)->state().checked);
        QVERIFY(!QAccessible::queryAccessibleInterface(s.view.presets()->card(u"streaming"_s))->state().checked);

        // Space exports; the keyboard waits in the bar while the progress
        // stands in the button's place and is on the button when it is back.
        bar->exportButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar->exportButton(), Qt::Key_Space);
        QVERIFY(showsRun(bar));
        QVERIFY(bar->isAncestorOf(QApplication::focusWidget()));
        QTRY_VERIFY(!s.session.exportRun());
        QVERIFY(QFile::exists(*s.exportedPath()));
        QCOMPARE(QApplication::focusWidget(), bar->exportButton());
        QTest::keyClick(bar->exportButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar->revealButton());
    }

    void aFailedExportShowsTheErrorRowOnly()
    {
        QTemporaryDir root;
        QFile blocker(root.filePath(u"Exports"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        Shown s(production(), root.filePath(u"Exports"_s));
        s.view.runExport();
        QTRY_VERIFY(!s.session.exportRun());
        ExportBar* bar = s.view.exportBar();
        QVERIFY(bar->successRow()->isHidden());
        QVERIFY(!bar->errorRow()->isHidden());
        QVERIFY(bar->errorLabel()->text().startsWith(u"Couldn't write the export manifest: "_s));
        QCOMPARE(std::optional<QString>(bar->errorLabel()->text()), s.session.lastExport()->error);
        // The next run clears it at once.
        s.view.runExport();
        QVERIFY(bar->errorRow()->isHidden());
        QTRY_VERIFY(!s.session.exportRun());
    }

    void aScreenGoneMidRunStillGetsItsFileWritten()
    {
        QTemporaryDir root;
        ProjectSession session(production());
        session.setExportTarget(root.path(), 20ms);
        auto* view = new PremiereView(session);
        QTest::mouseClick(view->presets()->card(u"archive"_s), Qt::LeftButton);
        view->runExport();
        QTRY_VERIFY(session.exportRun()->progress() > 0);
        delete view;
        // Changes made after the screen went away are in the file.
        session.edit([](Project& p) { p.episodes << Episode{}; });
        const QString path = QDir(root.path()).filePath(u"Night-Day \u2014 Archive Master.json"_s);
        QTRY_VERIFY(QFile::exists(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()).object().value(u"episodes"_s).toInt(), 3);
    }

    void noEpisodeShowsEmptyFiguresAndStillExports()
    {
        QTemporaryDir root;
        Project p = production();
        p.episodes.clear();
        Shown s(p, root.path());
        QCOMPARE(statValues(s.view), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0s"_s}));
        QVERIFY(!s.view.checklist()->row(u"Footage rendered"_s)->isOk());
        QVERIFY(s.view.checklist()->row(u"Cut assembled"_s)->isOk());
        s.view.runExport();
        QTRY_VERIFY(s.exportedPath());
    }

    void aScreenBuiltMidRunShowsTheRunAndStartsNoSecond()
    {
        QTemporaryDir root;
        ProjectSession session(production());
        session.setExportTarget(root.path(), 20ms);
        auto* first = new PremiereView(session);
        QTest::mouseClick(first->presets()->card(u"archive"_s), Qt::LeftButton);
        first->runExport();
        QTRY_VERIFY(session.exportRun()->progress() > 0);
        // Leave Premiere and come back: the run's preset is the one chosen.
        delete first;
        PremiereView again(session);
        ExportBar* bar = again.exportBar();
        QVERIFY(showsRun(bar));
        QVERIFY(bar->percentLabel()->text() != u"0%"_s);
        QCOMPARE(again.selectedPresetID(), u"archive"_s);
        QVERIFY(again.presets()->card(u"archive"_s)->isSelected());
        QVERIFY(!again.presets()->card(u"streaming"_s)->isSelected());
        again.runExport();
        QCOMPARE(session.findChildren<ExportRun*>().size(), 1);
        // The result of that run shows on the new screen, and stays with the
        // session for the next one built.
        QTRY_VERIFY(!bar->successRow()->isHidden());
        QVERIFY(!bar->exportButton()->isHidden());
        QCOMPARE(bar->exportButton()->text(), u"Export Archive Master"_s);
        QVERIFY(session.lastExport()->path->endsWith(u"Archive Master.json"_s));
        PremiereView later(session);
        QVERIFY(!later.exportBar()->successRow()->isHidden());
        QVERIFY(QFile::exists(*session.lastExport()->path));
    }
};

QTEST_MAIN(PremiereViewTest)
#include "PremiereViewTest.moc"
