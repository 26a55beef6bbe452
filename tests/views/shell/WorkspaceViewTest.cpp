// The workspace as a whole: header texts per phase, the Assist menu and its
// busy state, the error banner, the choice sheet, the autosave hook, and
// refreshes that leave focus alone.

#include "support/AssistFixtures.h"

#include "design/widgets/GhostButton.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/AssistMenu.h"
#include "views/shell/ErrorBanner.h"
#include "views/shell/PhaseRail.h"
#include "views/shell/PhaseRailRow.h"
#include "views/phases/spark/SparkView.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/WorkspaceHeader.h"

#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

AIChoicePrompt promptWith(int options, bool subtitle = true, const QString& label = u"Option"_s)
{
    AIChoicePrompt prompt;
    prompt.title = u"A drafted premise"_s;
    if (subtitle)
        prompt.subtitle = u"Replace your current premise with this?"_s;
    for (int i = 0; i < options; ++i) {
        AIChoiceOption option;
        option.label = label + QString::number(i);
        option.detail = i % 2 ? std::nullopt : std::optional<QString>(u"Detail"_s);
        option.apply = [i](Project& p) { p.idea.premise = u"Picked %1"_s.arg(i); };
        prompt.options << option;
    }
    return prompt;
}

QStringList menuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? u"--"_s : action->text());
    return texts;
}

} // namespace

class WorkspaceViewTest : public QObject {
    Q_OBJECT

private:
    ScriptedModel model;

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void init()
    {
        model = ScriptedModel();
        model.install();
    }

    void cleanup() { ScriptedModel::uninstall(); }

    void headerNamesTheActivePhase_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("tagline");
        QTest::addColumn<bool>("assists");
        QTest::newRow("spark") << PhaseID::spark << u"Spark"_s << u"What if\u2026? Capture the idea while it's hot."_s
                               << true;
        QTest::newRow("story") << PhaseID::story << u"Story"_s << u"Shape the journey, beat by beat."_s << true;
        QTest::newRow("cast") << PhaseID::cast << u"Cast & World"_s << u"Who lives here? Faces, voices, places."_s
                              << true;
        QTest::newRow("script") << PhaseID::script << u"Script"_s << u"The words on the page."_s << true;
        QTest::newRow("look") << PhaseID::look << u"The Look"_s << u"How it feels before a single frame exists."_s
                              << true;
        QTest::newRow("scenes") << PhaseID::scenes << u"Storyboard"_s
                                << u"Every scene, every shot, planned visually."_s << true;
        QTest::newRow("footage") << PhaseID::footage << u"Footage"_s
                                 << u"Bring shots to life, within the engine's limits."_s << false;
        QTest::newRow("cut") << PhaseID::cut << u"The Cut"_s << u"Order, pacing, music. The film takes shape."_s
                             << true;
        QTest::newRow("premiere") << PhaseID::premiere << u"Premiere"_s << u"Final checks, then out into the world."_s
                                  << true;
    }

    void headerNamesTheActivePhase()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, title);
        QFETCH(QString, tagline);
        QFETCH(bool, assists);
        AppState app;
        Project project;
        project.activePhase = phase;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        QCOMPARE(workspace.header()->titleText(), title);
        QCOMPARE(workspace.header()->taglineText(), tagline);
        QCOMPARE(!workspace.header()->assistMenu()->isHidden(), assists);
        QVERIFY(!workspace.header()->markReadyButton()->isHidden());
        QCOMPARE(workspace.shownPhase(), phase);
        QVERIFY(workspace.rail()->row(phase)->isActive());
        // Opening saves nothing.
        QVERIFY(!app.store().hasPendingAutosave(project.id));
    }

    void aRailClickSwitchesThePhase()
    {
        AppState app;
        ProjectSession session(Project{});
        ProjectWorkspaceView workspace(app, session);
        workspace.rail()->row(PhaseID::footage)->click();
        QCOMPARE(session.project().activePhase, PhaseID::footage);
        QCOMPARE(workspace.shownPhase(), PhaseID::footage);
        QCOMPARE(workspace.header()->titleText(), u"Footage"_s);
        QVERIFY(workspace.header()->assistMenu()->isHidden());
        QVERIFY(workspace.rail()->row(PhaseID::footage)->isActive());
        QVERIFY(!workspace.rail()->row(PhaseID::spark)->isActive());

        // The Phases menu changes it without the rail.
        session.edit([](Project& p) { p.activePhase = PhaseID::cut; });
        QCOMPARE(workspace.header()->titleText(), u"The Cut"_s);
        QVERIFY(!workspace.header()->assistMenu()->isHidden());
        QCOMPARE(workspace.shownPhase(), PhaseID::cut);
    }

    void onlyARailClickFades()
    {
        qputenv("PALISADEMOTION_REDUCE_MOTION", "0");
        AppState app;
        ProjectSession session(Project{});
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1100, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workspace));
        const auto fade = [&] { return workspace.phaseArea()->findChild<QWidget*>(u"phaseFade"_s); };

        session.edit([](Project& p) { p.activePhase = PhaseID::story; }); // the Phases menu
        QVERIFY(!fade());
        workspace.rail()->row(PhaseID::cast)->click();
        QVERIFY(fade());
        QVERIFY(fade()->testAttribute(Qt::WA_TransparentForMouseEvents));
        QTRY_VERIFY(!fade()); // gone once faded
        qputenv("PALISADEMOTION_REDUCE_MOTION", "1");
        workspace.rail()->row(PhaseID::look)->click();
        QVERIFY(!fade());
    }

    // A tag being typed when the phase changes (the Phases menu) goes into
    // the production as the screen goes.
    void aDraftTagGoesWithItsScreen()
    {
        AppState app;
        ProjectSession session(Project{});
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1100, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        auto* spark = qobject_cast<SparkView*>(workspace.phaseScreen());
        QVERIFY(spark);
        QLineEdit* draft = spark->themesField()->draftEdit();
        draft->setFocus();
        QTest::keyClicks(draft, u"Belonging"_s);
        session.edit([](Project& p) { p.activePhase = PhaseID::story; });
        QCOMPARE(workspace.shownPhase(), PhaseID::story);
        QTRY_COMPARE(session.project().idea.themes, QStringList{u"Belonging"_s});
    }

    void changesMadeOnScreenAreSaved()
    {
        AppState app;
        Project project;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        QVERIFY(!app.store().hasPendingAutosave(project.id));
        workspace.rail()->row(PhaseID::look)->click();
        QVERIFY(app.store().hasPendingAutosave(project.id));
        session.edit([](Project& p) { p.name = u"Second"_s; });
        QTRY_VERIFY_WITH_TIMEOUT(findProject(app.store().projects(), project.id), 4000);
        const Project* stored = findProject(app.store().projects(), project.id);
        QCOMPARE(stored->name, u"Second"_s);
        QCOMPARE(stored->activePhase, PhaseID::look);
    }

    void assistMenuListsThePhaseAndFollowsBusy()
    {
        AppState app;
        Project project;
        project.activePhase = PhaseID::script;
        ScriptElement line;
        project.episodes[0].script.elements << line;
        ProjectSession session(project);
        ProjectWorkspaceView workspace(app, session);
        AssistMenu* assist = workspace.header()->assistMenu();
        QCOMPARE(assist->labelText(), u"Assist"_s);
        QVERIFY(assist->isEnabled());
        QVERIFY(assist->toolTip().startsWith(u"Kimi-powered assists for this phase."_s));

        assist->rebuildMenu();
        QCOMPARE(menuTexts(assist->menu()), (QStringList{u"Draft the opening from beats"_s, u"Continue the scene"_s,
                                                         u"--"_s, u"AI settings\u2026"_s}));
        session.edit([](Project& p) { p.activePhase = PhaseID::spark; });
        assist->rebuildMenu();
        QCOMPARE(assist->menu()->actions().size(), 6);

        model.hold();
        model.reply(u"{\"fragments\":[{\"text\":\"A lamp\"}]}"_s);
        assist->menu()->actions().at(3)->trigger(); // Brainstorm idea fragments
        QVERIFY(session.aiBusy());
        QCOMPARE(assist->labelText(), u"Thinking\u2026"_s);
        QVERIFY(!assist->isEnabled());
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(assist->labelText(), u"Assist"_s);
        QVERIFY(assist->isEnabled());
        QCOMPARE(session.project().idea.cards.size(), 1);

        assist->rebuildMenu();
        assist->menu()->actions().last()->trigger();
        QVERIFY(app.showSettingsRequest());
    }

    void bannerShowsAndClearsTheError()
    {
        AppState app;
        Project project;
        project.activePhase = PhaseID::script;
        ProjectSession session(project);
        ProjectWorkspaceView workspace(app, session);
        ErrorBanner* banner = workspace.errorBanner();
        QVERIFY(banner->isHidden());

        QVERIFY(runEntry(session, u"Continue the scene"_s));
        QTRY_VERIFY(!session.aiBusy());
        QVERIFY(!banner->isHidden());
        QCOMPARE(banner->message(),
                 u"Couldn't read the model's reply. Nothing to continue \u2014 draft an opening first."_s);

        banner->closeButton()->click();
        QCOMPARE(session.aiError(), std::nullopt);
        QVERIFY(banner->isHidden());

        session.setAiError(QString()); // an empty text still shows the strip
        QVERIFY(!banner->isHidden());
        QCOMPARE(banner->message(), QString());

        // The next assist clears it as it starts.
        model.hold();
        QVERIFY(runEntry(session, u"Draft the opening from beats"_s));
        QVERIFY(banner->isHidden());
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }

    void pickingAnOptionAppliesThenCloses()
    {
        AppState app;
        ProjectSession session(Project{});
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1080, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workspace));

        session.setChoicePrompt(promptWith(2));
        QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->optionCards().size(), 2);
        QCOMPARE(sheet->width(), AIChoiceSheet::sheetWidth);

        sheet->optionCards().at(1)->click();
        QCOMPARE(session.project().idea.premise, u"Picked 1"_s);
        QVERIFY(!session.choicePrompt());
        QTRY_VERIFY(!sheet);
        QVERIFY(!workspace.choiceSheet());
    }

    void everyOtherWayOutKeepsTheProduction_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Keep what I have") << 0;
        QTest::newRow("xmark") << 1;
        QTest::newRow("Esc") << 2;
    }

    void everyOtherWayOutKeepsTheProduction()
    {
        QFETCH(int, way);
        AppState app;
        Project project;
        project.idea.premise = u"Mine"_s;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workspace));
        session.setChoicePrompt(promptWith(3));
        QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
        QVERIFY(sheet);
        if (way == 0)
            sheet->keepButton()->click();
        else if (way == 1)
            sheet->closeButton()->click();
        else
            QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!session.choicePrompt());
        QCOMPARE(session.project(), project);
        QTRY_VERIFY(!sheet);
        QVERIFY(!app.store().hasPendingAutosave(project.id));
    }

    void aPromptSetWhileHiddenIsShownLater()
    {
        AppState app;
        ProjectSession session(Project{});
        session.setChoicePrompt(promptWith(1)); // set while another tab was on screen
        ProjectWorkspaceView workspace(app, session);
        QVERIFY(!workspace.choiceSheet());
        workspace.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workspace));
        QVERIFY(workspace.choiceSheet());
        QCOMPARE(workspace.choiceSheet()->promptID(), session.choicePrompt()->id);

        // A newer prompt replaces the sheet.
        const AIChoicePrompt next = promptWith(1);
        session.setChoicePrompt(next);
        QVERIFY(workspace.choiceSheet());
        QCOMPARE(workspace.choiceSheet()->promptID(), next.id);
    }

    void sheetLayoutFollowsThePrompt()
    {
        AIChoicePrompt empty = promptWith(0, false);
        AIChoiceSheet bare(nullptr, empty);
        QVERIFY(!bare.findChild<QWidget*>(u"choiceSubtitle"_s));
        QVERIFY(bare.optionCards().isEmpty());
        QVERIFY(bare.height() < AIChoiceSheet::maximumHeight);

        AIChoiceSheet many(nullptr, promptWith(12, true, QString(40, u'w') + u" long label that wraps "_s));
        QCOMPARE(many.height(), AIChoiceSheet::maximumHeight);
        QVERIFY(many.findChild<QWidget*>(u"choiceSubtitle"_s));
        many.show();
        QVERIFY(QTest::qWaitForWindowExposed(&many));
        QVERIFY(many.optionList()->verticalScrollBar()->maximum() > 0);
        // Long labels wrap: the card and its label grow to every line.
        const auto* label = many.optionCards().first()->findChild<TextLabel*>();
        QVERIFY(label->heightForWidth(label->width()) >= 2 * QFontMetrics(label->font()).height());
        QCOMPARE(label->height(), label->heightForWidth(label->width()));
    }

    // Assist, busy with what its menu started, keeps the keyboard (the entry
    // taken with a key or with the pointer); the options sheet opens on
    // itself, reads as it shows, and gives the keyboard back to Assist:
    // Return never reaches "Mark ready".
    void theKeyboardComesBackToAssist_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Spark, by key") << PhaseID::spark << u"Sharpen my logline (3 options)"_s << true;
        QTest::newRow("Premiere, by pointer") << PhaseID::premiere << u"Write the press kit"_s << false;
    }
    void theKeyboardComesBackToAssist()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, entry);
        QFETCH(bool, byKey);
        AppState app;
        Project project;
        project.activePhase = phase;
        project.idea.premise = u"Mine"_s;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1080, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        AssistMenu* assist = workspace.header()->assistMenu();
        MarkReadyButton* ready = workspace.header()->markReadyButton();
        model.hold();
        model.reply(u"{\"options\":[\"A\",\"B\",\"C\"]}"_s);
        assist->setFocus(Qt::TabFocusReason);
        QTest::keyClick(assist, Qt::Key_Return);
        QMenu* menu = assist->menu();
        QTRY_VERIFY(menu->isVisible());
        QAction* wanted = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == entry)
                wanted = action;
        }
        QVERIFY(wanted);
        if (byKey) {
            menu->setActiveAction(wanted);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(wanted).center());
        }
        QTRY_VERIFY(session.aiBusy());
        QTRY_COMPARE(QApplication::focusWidget(), assist);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!menu->isVisible());
        QCOMPARE(ready->labelText(), u"Mark ready"_s);

        model.release();
        QTRY_VERIFY(!session.aiBusy());
        if (phase == PhaseID::spark) {
            QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
            QVERIFY(sheet);
            QTRY_VERIFY(sheet->isVisible());
            // The window back in front (offscreen, nothing gives it back
            // after a menu): its keyboard is on the sheet.
            workspace.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&workspace));
            const QList<QAbstractButton*> options = sheet->optionCards();
            QCOMPARE(QApplication::focusWidget(), sheet.data());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), sheet->closeButton());
            for (QAbstractButton* option : options) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), option);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), sheet->keepButton());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(session.project().idea.logline, u"C"_s);
            QTRY_VERIFY(!sheet);
        }
        // The window back in front (offscreen, nothing gives it back after a
        // menu or a sheet), the keyboard is on Assist.
        workspace.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        QCOMPARE(QApplication::focusWidget(), assist);
        QCOMPARE(ready->labelText(), u"Mark ready"_s);
    }

    void refreshLeavesFocusAlone()
    {
        AppState app;
        ProjectSession session(Project{});
        ProjectWorkspaceView workspace(app, session);
        workspace.show();
        workspace.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        MarkReadyButton* ready = workspace.header()->markReadyButton();
        ready->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), ready);
        session.edit([](Project& p) { p.name = u"Renamed"_s; });
        session.setAiError(u"Oops"_s);
        ready->click();
        QCOMPARE(QApplication::focusWidget(), ready);
    }
};

QTEST_MAIN(WorkspaceViewTest)
#include "WorkspaceViewTest.moc"
