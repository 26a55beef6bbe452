// The Story screen against a live session: the engine alert, the fields that
// only episodic formats show, edits landing in the episode active when they
// run, actions whose target is gone, and typing that keeps its focus and
// caret while an assist fills other beats.

#include "support/AssistFixtures.h"

#include "design/widgets/Alert.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/MenuButton.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/SymbolButton.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/story/ActColumn.h"
#include "views/phases/story/BeatCard.h"
#include "views/phases/story/DashedAddButton.h"
#include "views/phases/story/PulseLine.h"
#include "views/phases/story/StoryView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(studio::ProjectFormat)

namespace {

Project storyProject(ProjectFormat format = ProjectFormat::series)
{
    Project p;
    p.format = format;
    p.activePhase = PhaseID::story;
    Episode& e = p.episodes[0];
    e.title = u"Pilot"_s;
    e.synopsis = u"A keeper hears the sea."_s;
    e.structure = StoryStructure{StructureKind::fiveAct, structureTemplate(StructureKind::fiveAct)};
    return p;
}

QAction* menuEntry(MenuButton* button, const QString& text)
{
    for (QAction* action : button->menu()->actions()) {
        if (action->text() == text || action->text() == Theme::escapeMnemonic(text))
            return action;
    }
    return nullptr;
}

Alert* openAlert(QWidget* view)
{
    for (Alert* box : view->window()->findChildren<Alert*>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

const Episode& firstEpisode(const ProjectSession& session)
{
    return session.project().episodes.first();
}

} // namespace

class StoryViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void structureSwitchAsksFirst_data()
    {
        QTest::addColumn<int>("answer"); // 0 switch, 1 Cancel, 2 Esc
        QTest::newRow("switch") << 0;
        QTest::newRow("cancel") << 1;
        QTest::newRow("escape") << 2;
    }

    void structureSwitchAsksFirst()
    {
        QFETCH(int, answer);
        ProjectSession session(storyProject(ProjectFormat::anthology));
        StoryView view(session);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const Episode before = firstEpisode(session);

        // The engine in use asks nothing and changes nothing.
        menuEntry(view.structureMenu(), u"Five-Act TV — Teaser plus four acts — built for episodic momentum."_s)
            ->trigger();
        QVERIFY(!openAlert(&view));
        QVERIFY(!view.pendingStructure());

        menuEntry(view.structureMenu(), u"Hero's Journey — Departure, initiation, return. Myth-shaped stories."_s)
            ->trigger();
        Alert* box = openAlert(&view);
        QVERIFY(box);
        QCOMPARE(view.pendingStructure(), std::optional(StructureKind::heroJourney));
        QCOMPARE(box->text(), u"Switch story engine?"_s);
        QCOMPARE(box->informativeText(),
                 u"“Hero's Journey” will replace the current acts and beats for this segment."_s);
        QCOMPARE(box->returnButton()->text(), u"Cancel"_s);
        if (answer == 2)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            (answer == 0 ? box->destructiveButton() : box->cancelButton())->click();
        QTRY_VERIFY(!openAlert(&view));
        QVERIFY(!view.pendingStructure());

        const Episode& after = firstEpisode(session);
        if (answer != 0) {
            QCOMPARE(after, before);
            QCOMPARE(view.structureMenu()->label(), u"Five-Act TV"_s);
            return;
        }
        QCOMPARE(after.structure.kind, StructureKind::heroJourney);
        QCOMPARE(after.structure.acts.size(), structureTemplate(StructureKind::heroJourney).size());
        QCOMPARE(view.structureMenu()->label(), u"Hero's Journey"_s);
        QCOMPARE(view.actColumns().size(), after.structure.acts.size());
    }

    void episodicFieldsFollowTheFormat_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        for (ProjectFormat format : allCases<ProjectFormat>())
            QTest::newRow(qPrintable(rawValue(format))) << format;
    }

    void episodicFieldsFollowTheFormat()
    {
        QFETCH(ProjectFormat, format);
        ProjectSession session(storyProject(format));
        StoryView view(session);
        const bool episodic = isEpisodic(format);
        QCOMPARE(view.titleField()->isVisibleTo(&view), episodic);
        QCOMPARE(view.synopsisField()->isVisibleTo(&view), episodic);
        if (!episodic)
            return;
        QCOMPARE(view.titleField()->text(), u"Pilot"_s);
        // Each field writes its own field of the episode on every keystroke.
        QTest::keyClick(view.titleField()->lineEdit(), Qt::Key_End);
        QTest::keyClicks(view.titleField()->lineEdit(), u" II"_s);
        QTest::keyClick(view.synopsisField()->lineEdit(), Qt::Key_End);
        QTest::keyClicks(view.synopsisField()->lineEdit(), u" Twice."_s);
        QCOMPARE(firstEpisode(session).title, u"Pilot II"_s);
        QCOMPARE(firstEpisode(session).synopsis, u"A keeper hears the sea. Twice."_s);
    }

    void editsLandInTheEpisodeActiveWhenTheyRun()
    {
        Project project = storyProject();
        Episode second;
        second.number = 2;
        second.structure.acts = {Act{.title = u"Only"_s, .beats = {Beat{}}}};
        project.episodes << second;
        ProjectSession session(project);
        session.setActiveEpisodeID(QUuid::createUuid()); // names no episode: the first one is shown
        StoryView view(session);
        QCOMPARE(view.actColumns().size(), project.episodes[0].structure.acts.size());

        session.setActiveEpisodeID(second.id);
        QCOMPARE(view.actColumns().size(), 1);
        QCOMPARE(view.countsLabel()->text(), u"1 acts · 1 beats"_s);
        QVERIFY(!view.pulseLine()->isVisibleTo(&view));
        view.addActTile()->click();
        const Episode& now = session.project().episodes[1];
        QCOMPARE(now.structure.acts.last().title, u"New Act"_s);
        QCOMPARE(session.project().episodes[0], project.episodes[0]);
        QCOMPARE(view.countsLabel()->text(), u"2 acts · 2 beats"_s);
        QVERIFY(view.pulseLine()->isVisibleTo(&view));
        QCOMPARE(view.actColumns().last()->actID(), now.structure.acts.last().id);
    }

    void actionsOfAGoneActChangeNothing()
    {
        ProjectSession session(storyProject());
        StoryView view(session);
        const QList<Act> acts = firstEpisode(session).structure.acts;
        ActColumn* column = view.actColumn(acts[1].id);
        BeatCard* card = column->beatCards().first();
        QAction* moveDown = menuEntry(card->menuButton(), u"Move down"_s);
        QAction* deleteBeat = menuEntry(card->menuButton(), u"Delete beat"_s);

        // "Delete act" removes exactly that act, at once.
        menuEntry(column->menuButton(), u"Delete act"_s)->trigger();
        QList<Act> expected = acts;
        expected.removeAt(1);
        QCOMPARE(firstEpisode(session).structure.acts, expected);

        // The column is on its way out; what it still sends finds nothing.
        const Project kept = session.project();
        moveDown->trigger();
        deleteBeat->trigger();
        card->chargeButton()->click();
        menuEntry(column->menuButton(), u"Add beat"_s)->trigger();
        QCOMPARE(session.project(), kept);
    }

    // Deleted from their menus by the keyboard: a beat or an act hands it
    // to the title of the one now in its place, where Return and Space
    // delete and add nothing; an act's last beat leaves it resting on the
    // act, Shift+Tab going back to the act's menu; the last act, on the board.
    void deletingFromTheKeyboardHandsItToTheNextInPlace()
    {
        Project p = storyProject();
        p.episodes[0].structure.acts = {Act{.title = u"A"_s, .beats = {Beat{}, Beat{}}}, Act{.title = u"B"_s}};
        const QList<Act> acts = p.episodes[0].structure.acts;
        ProjectSession session(p);
        StoryView view(session);
        view.resize(1080, 700);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const auto act = [&session](int i) { return firstEpisode(session).structure.acts.value(i); };
        const auto pressNothing = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        };
        const auto choose = [](MenuButton* menu, const QString& entry) {
            menu->setFocus(Qt::TabFocusReason);
            menuEntry(menu, entry)->trigger();
        };
        ActColumn* first = view.actColumn(acts[0].id);
        choose(first->beatCard(acts[0].beats[0].id)->menuButton(), u"Delete beat"_s);
        QCOMPARE(QApplication::focusWidget(), first->beatCard(acts[0].beats[1].id)->titleField()->lineEdit());
        pressNothing();
        QCOMPARE(act(0).beats.size(), 1);

        choose(first->beatCard(acts[0].beats[1].id)->menuButton(), u"Delete beat"_s);
        QCOMPARE(QApplication::focusWidget(), first);
        pressNothing();
        QCOMPARE(act(0).beats.size(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), first->menuButton());

        choose(first->menuButton(), u"Delete act"_s);
        QCOMPARE(QApplication::focusWidget(), view.actColumn(acts[1].id)->titleField()->lineEdit());
        choose(view.actColumn(acts[1].id)->menuButton(), u"Delete act"_s);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), u"Acts"_s);
        pressNothing();
        QVERIFY(firstEpisode(session).structure.acts.isEmpty());
    }

    void beatCardsFollowTheirBeats()
    {
        ProjectSession session(storyProject());
        StoryView view(session);
        const Act act = firstEpisode(session).structure.acts[1];
        ActColumn* column = view.actColumn(act.id);
        BeatCard* first = column->beatCard(act.beats[0].id);

        // A move keeps each beat's card.
        menuEntry(first->menuButton(), u"Move down"_s)->trigger();
        QCOMPARE(findAct(firstEpisode(session), act.id)->beats[1].id, act.beats[0].id);
        QCOMPARE(column->beatCards().value(1), first);

        // The charge button cycles the stored charge; card and pulse follow.
        const qsizetype inPulse = firstEpisode(session).structure.acts[0].beats.size() + 1;
        first->chargeButton()->click();
        QCOMPARE(findAct(firstEpisode(session), act.id)->beats[1].charge, 1.0);
        QCOMPARE(first->chargeButton()->symbol(), u"arrow.up.circle.fill"_s);
        QCOMPARE(view.pulseLine()->charges().value(inPulse), 1.0);
        first->chargeButton()->click();
        QCOMPARE(first->chargeButton()->symbol(), u"arrow.down.circle.fill"_s);
        QCOMPARE(view.pulseLine()->charges().value(inPulse), -1.0);
        // Lift and drop are solid discs: between the rim and the arrow is ink.
        for (const QString& name : {u"arrow.up.circle.fill"_s, u"arrow.down.circle.fill"_s}) {
            const QImage glyph = Symbols::pixmap(name, 40, Qt::white).toImage();
            const int n = glyph.width();
            for (const QPointF at : {QPointF(0.28, 0.28), QPointF(0.28, 0.72), QPointF(0.72, 0.72)})
                QVERIFY2(qAlpha(glyph.pixel(int(at.x() * n), int(at.y() * n))) > 200, qPrintable(name));
        }

        // Adding appends a card showing the default placeholder.
        column->addBeatButton()->click();
        QCOMPARE(column->beatCards().size(), act.beats.size() + 1);
        QCOMPARE(column->beatCards().last()->summaryEditor()->placeholder(), u"What happens here?"_s);
    }

    void theActBoardTakesTheScreensHeight()
    {
        Project p = storyProject();
        for (int i = 0; i < 8; ++i)
            p.episodes[0].structure.acts << Act{.title = u"Extra %1"_s.arg(i), .beats = {Beat{.title = u"Beat"_s}}};
        ProjectSession session(p);
        StoryView view(session);
        view.resize(1080, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        HorizontalStrip* board = view.actBoard();
        QScrollBar* bar = board->horizontalScrollBar();
        QTRY_VERIFY(bar->isVisible() && bar->maximum() > 0);
        // The sideways scroll bar sits at the foot of the screen.
        QTRY_VERIFY(bar->mapTo(&view, QPoint(0, bar->height())).y() >= view.height() - 2);

        // A wheel turn over the empty space below the columns scrolls the acts.
        const QPoint below(board->viewport()->width() / 2, board->viewport()->height() - 30);
        QVERIFY(!board->viewport()->childAt(below) || board->viewport()->childAt(below) == board->widget());
        QWheelEvent wheel(below, board->viewport()->mapToGlobal(below), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(board->viewport(), &wheel);
        QVERIFY(bar->value() > 0);
    }

    // A paste that ends below the fold brings the caret into view, as
    // typing does: the beat's card grows inside its column, the board and
    // the page, and the page follows once all of them have grown.
    void aPasteBelowTheFoldIsFollowed()
    {
        Project project = storyProject();
        project.episodes[0] = episodeWithBeats({u"short"_s, u"short"_s});
        ProjectSession session(project);
        StoryView view(session);
        view.resize(1080, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const Act act = firstEpisode(session).structure.acts[0];
        QTextEdit* editor = view.actColumn(act.id)->beatCard(act.beats[0].id)->summaryEditor()->textEdit();
        editor->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(u"pasted words "_s.repeated(400));
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(view.rect().contains(
            QRect(editor->viewport()->mapTo(&view, editor->cursorRect().topLeft()), editor->cursorRect().size())));
    }

    void typingKeepsFocusWhileBeatsFillIn()
    {
        ScriptedModel model;
        model.install();
        Project project = storyProject();
        project.episodes[0] = episodeWithBeats({QString(), QString()});
        project.episodes[0].title = u"Pilot"_s;
        ProjectSession session(project);
        StoryView view(session);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const Act act = firstEpisode(session).structure.acts[0];
        ActColumn* column = view.actColumn(act.id);
        BeatCard* typing = column->beatCard(act.beats[0].id);
        BeatCard* filled = column->beatCard(act.beats[1].id);
        QTextEdit* editor = typing->summaryEditor()->textEdit();
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClicks(editor, u"She lies"_s);

        model.hold();
        model.reply(u"{\"beats\":[{\"index\":0,\"summary\":\"The tide turns.\"}]}"_s);
        QVERIFY(runEntry(session, u"Write the empty beats"_s));
        QTRY_COMPARE(model.requestCount(), 1);
        QTest::keyClicks(editor, u" again"_s);
        QTest::keyClick(editor, Qt::Key_Left);
        QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
        const int position = editor->textCursor().position();
        const int anchor = editor->textCursor().anchor();
        model.release();
        QTRY_VERIFY(!session.aiBusy());

        QCOMPARE(findAct(firstEpisode(session), act.id)->beats[1].summary, u"The tide turns."_s);
        QCOMPARE(filled->summaryEditor()->text(), u"The tide turns."_s);
        QCOMPARE(column->beatCard(act.beats[0].id), typing);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->toPlainText(), u"She lies again"_s);
        QCOMPARE(editor->textCursor().position(), position);
        QCOMPARE(editor->textCursor().anchor(), anchor);
        QCOMPARE(findAct(firstEpisode(session), act.id)->beats[0].summary, u"She lies again"_s);
    }

    // Tab reads the board as it stands: each act's title, menu, beats (charge,
    // title, menu, summary) and "Add beat", act after act, then "Add Act";
    // cards and columns added later take their places in that order. Each
    // field is read out by what it is.
    void tabWalksTheBoardInReadingOrder()
    {
        Project project = storyProject();
        project.episodes[0].structure.acts.resize(2);
        ProjectSession session(project);
        StoryView view(session);
        view.resize(1440, 900);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));

        const auto expected = [&view] {
            QList<QWidget*> stops;
            for (ActColumn* column : view.actColumns()) {
                stops << column->titleField()->lineEdit() << column->menuButton();
                for (BeatCard* card : column->beatCards())
                    stops << card->chargeButton() << card->titleField()->lineEdit() << card->menuButton()
                          << card->summaryEditor()->textEdit();
                stops << column->addBeatButton();
            }
            return stops << view.addActTile();
        };
        const auto walk = [&view](int count) {
            QList<QWidget*> stops;
            view.synopsisField()->lineEdit()->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < count; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                stops << QApplication::focusWidget();
            }
            return stops;
        };

        // A beat added to the first act, and an act added by the keyboard.
        view.actColumns().first()->addBeatButton()->click();
        view.addActTile()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view.addActTile(), Qt::Key_Return);
        QCOMPARE(firstEpisode(session).structure.acts.size(), 3);
        // ... and on from "Add Act" the focus leaves the board.
        const QList<QWidget*> walked = walk(int(expected().size()) + 1);
        QCOMPARE(walked.mid(0, expected().size()), expected());
        QVERIFY(!expected().contains(walked.last()));

        const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        ActColumn* column = view.actColumns().first();
        BeatCard* card = column->beatCards().first();
        QCOMPARE(name(column->titleField()->lineEdit()), u"Act title"_s);
        QCOMPARE(name(card->titleField()->lineEdit()), u"Beat title"_s);
        QCOMPARE(name(card->summaryEditor()->textEdit()), u"Beat summary"_s);
        QCOMPARE(name(card->chargeButton()), u"Emotional charge"_s);
        QCOMPARE(name(view.titleField()->lineEdit()), u"Episode title"_s);

        // Pressed again and again, "Add Act" hands the keyboard to each new
        // act's title, in sight past the acts before it.
        view.resize(1080, 700);
        QWidget* viewport = view.actBoard()->viewport();
        for (int i = 0; i < 3; ++i) {
            view.addActTile()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(view.addActTile(), Qt::Key_Return);
            QWidget* title = view.actColumns().last()->titleField()->lineEdit();
            QCOMPARE(QApplication::focusWidget(), title);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
            QVERIFY(viewport->rect().contains(QRect(title->mapTo(viewport, QPoint(0, 0)), title->size())));
        }
        QCOMPARE(firstEpisode(session).structure.acts.size(), 6);
    }

    void noEpisodeAtAll()
    {
        Project project = storyProject();
        project.episodes.clear();
        ProjectSession session(project);
        StoryView view(session);
        QVERIFY(view.emptyState()->isVisibleTo(&view));
        QVERIFY(view.actColumns().isEmpty());
        view.chooseStructure(StructureKind::storyCircle);
        QVERIFY(!view.pendingStructure());
        QVERIFY(!openAlert(&view));
        view.addActTile()->click();
        QCOMPARE(session.project(), project);
    }
};

QTEST_MAIN(StoryViewTest)
#include "StoryViewTest.moc"
