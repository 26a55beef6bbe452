// The Script screen with a live session: the editing flow of the page (Return,
// remove, retype, chips, focus, hover), the toolbar, the story draft and the
// AI draft landing where it was asked, while the user keeps typing; and a
// long script, laid out where it is looked at. (The keyboard's and a screen
// reader's way through it: ScriptKeyboardTest.)

#include "support/AssistFixtures.h"

#include "design/widgets/GhostButton.h"
#include "design/widgets/MenuButton.h"
#include "design/text/PlainTextEditor.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SymbolButton.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/edits/ScriptEdits.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptScreen.h"
#include "views/phases/script/ScriptView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

QString draftReply(const QStringList& texts)
{
    QString items;
    for (const QString& t : texts)
        items += (items.isEmpty() ? u""_s : u","_s) + u"{\"kind\":\"action\",\"text\":\"%1\"}"_s.arg(t);
    return u"{\"elements\":[%1]}"_s.arg(items);
}

} // namespace

class ScriptViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void returnInsertsTheNextKindAndFocusesIt()
    {
        Screen s(production({element(K::dialogue, u"Go now."_s)}, {u"Ana"_s, u"Ben"_s}));
        QVERIFY(s.ready());
        s.focus(0);
        QTextCursor caret = s.edit()->textCursor();
        caret.setPosition(2);
        s.edit()->setTextCursor(caret);

        // Return in the middle of a dialogue: nothing is split, an empty cue follows
        // and takes the focus with the cast chips.
        QTest::keyClick(s.edit(), Qt::Key_Return);
        QCOMPARE(elementsOf(s.session).size(), 2);
        QCOMPARE(elementsOf(s.session)[0].text, u"Go now."_s);
        QCOMPARE(elementsOf(s.session)[1].kind, K::character);
        QCOMPARE(elementsOf(s.session)[1].text, QString());
        const QUuid cue = elementsOf(s.session)[1].id;
        QTRY_COMPARE(s.view->focusedID(), cue);
        QVERIFY(s.focused(1));
        QCOMPARE(s.page()->chipLabels(), (QStringList{u"Ana"_s, u"Ben"_s}));

        // Shift+Return and Enter submit too; the empty cue stays where it is.
        QTest::keyClick(s.edit(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session).value(2).id);
        QTest::keyClick(s.edit(), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session).value(3).id);
        const QList<K> kinds{K::dialogue, K::character, K::dialogue, K::character};
        QCOMPARE(elementsOf(s.session).size(), kinds.size());
        for (int i = 0; i < kinds.size(); ++i)
            QCOMPARE(elementsOf(s.session)[i].kind, kinds[i]);
        QCOMPARE(elementsOf(s.session)[1].id, cue);
        for (const ScriptElement& e : elementsOf(s.session))
            QVERIFY(!e.text.contains(u'\n'));

        // Backspace at the start of a row, empty or not, edits the text only.
        QTest::keyClick(s.edit(), Qt::Key_Backspace);
        QCOMPARE(elementsOf(s.session).size(), 4);
        s.focus(0);
        QTest::keyClick(s.edit(), Qt::Key_Home);
        QTest::keyClick(s.edit(), Qt::Key_Backspace);
        QCOMPARE(elementsOf(s.session).size(), 4);
        QCOMPARE(elementsOf(s.session)[0].text, u"Go now."_s);
    }

    void keysTypedRightAfterReturnGoToTheNewElement()
    {
        // A fast typist's next keys can arrive before the event loop turns;
        // they belong to the element Return made, not to the one it left.
        Screen s(production({element(K::action, u"Rain."_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        QTest::keyClick(s.edit(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), u"Thunder"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), u"Hail"_s);
        QStringList texts;
        for (const ScriptElement& e : elementsOf(s.session))
            texts << e.text;
        QCOMPARE(texts, (QStringList{u"Rain."_s, u"Thunder"_s, u"Hail"_s}));
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session).value(2).id);
    }

    void chipsFillTheFocusedElement()
    {
        Screen s(production({element(K::character, u"an"_s), element(K::sceneHeading),
                             element(K::action, u"Rain."_s)},
                            {u"Ana"_s, u"Ben"_s, u"Ana"_s}, {u"Harbor"_s, u"Pier & Dock"_s}));
        QVERIFY(s.ready());
        QVERIFY(!s.page()->chips());

        s.focus(0);
        QCOMPARE(s.page()->chipLabels(), (QStringList{u"Ana"_s, u"Ben"_s}));
        QVERIFY(s.chip(u"Ana"_s));
        // A real click: the chip takes no focus and neither does the page, so
        // the caret stays in the cue and typing goes on there.
        QTest::mouseClick(s.chip(u"Ana"_s), Qt::LeftButton);
        QCOMPARE(elementsOf(s.session)[0].text, u"ANA"_s);
        QCOMPARE(s.edit()->toPlainText(), u"ANA"_s);
        QVERIFY(s.focused(0));
        QVERIFY(s.page()->chips());
        QTest::keyClicks(QApplication::focusWidget(), u" B"_s);
        QCOMPARE(elementsOf(s.session)[0].text, u"ANA B"_s);

        s.focus(1);
        QCOMPARE(s.page()->chipLabels(),
                 (QStringList{u"INT."_s, u"EXT."_s, u"Harbor"_s, u"Pier & Dock"_s, u"DAY"_s, u"NIGHT"_s, u"DUSK"_s,
                              u"DAWN"_s}));
        // Only under the focused row, from the page's leading edge.
        QVERIFY(s.page()->rowRect(s.id(1)).contains(s.page()->chips()->geometry()));
        QVERIFY(s.page()->chips()->geometry().top() >= s.page()->textRect(s.id(1)).bottom());
        QCOMPARE(s.page()->chips()->geometry().left(), s.page()->rowRect(s.id(1)).left());
        s.chip(u"NIGHT"_s)->click();
        QCOMPARE(elementsOf(s.session)[1].text, u"INT. HARBOR \u2014 NIGHT"_s);
        s.chip(u"Pier & Dock"_s)->click();
        s.chip(u"EXT."_s)->click();
        QCOMPARE(elementsOf(s.session)[1].text, u"EXT. PIER & DOCK \u2014 NIGHT"_s);

        s.focus(2); // an action has none
        QVERIFY(!s.page()->chips());

        // Without a cast a cue has none either.
        s.session.edit([](Project& p) { p.cast.clear(); });
        s.focus(0);
        QVERIFY(!s.page()->chips());
    }

    void removeAndRetypeByID()
    {
        Screen s(production({element(K::sceneHeading, u"INT. HALL \u2014 DAY"_s), element(K::dialogue, u"Run."_s),
                             element(K::action, u"She runs."_s)}));
        QVERIFY(s.ready());

        // Retyped through the row's menu: same id, same text, the new kind's layout.
        const QUuid line = s.id(1);
        const QRect before = s.page()->textRect(line);
        s.hover(1);
        QTRY_COMPARE(s.view->hoveredID(), line);
        Q_EMIT s.page()->kindMenu()->aboutToOpen();
        QAction* transition = nullptr;
        for (QAction* a : s.page()->kindMenu()->menu()->actions()) {
            if (a->text() == u"Transition"_s)
                transition = a;
        }
        QVERIFY(transition);
        transition->trigger();
        QCOMPARE(elementsOf(s.session)[1].id, line);
        QCOMPARE(elementsOf(s.session)[1].kind, K::transition);
        QCOMPARE(elementsOf(s.session)[1].text, u"Run."_s);
        QVERIFY(s.page()->textRect(line).isValid());
        QVERIFY(s.page()->textRect(line).right() > before.right()); // set against the controls now

        // Removing another row by a click keeps the focus and chips where they are.
        s.focus(0);
        QVERIFY(s.page()->chips());
        s.hover(2);
        QTRY_COMPARE(s.view->hoveredID(), s.id(2));
        QTest::mouseClick(s.page()->removeButton(), Qt::LeftButton);
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(s.focused(0));
        s.session.edit([](Project& p) { p.episodes.first().script.elements << element(K::action); });

        // Removing the focused heading takes its chips with it; the element
        // now in its place is written in (a transition: no chips).
        QVERIFY(s.page()->chips());
        s.hover(0);
        QTRY_COMPARE(s.view->hoveredID(), s.id(0));
        s.page()->removeButton()->click();
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(!s.page()->chips());
        QVERIFY(s.focused(0));

        // The last one gone brings the empty state back.
        QVERIFY(s.page()->emptyState()->isHidden());
        for (int i = 1; i >= 0; --i) {
            s.hover(i);
            QTRY_COMPARE(s.view->hoveredID(), s.id(i));
            s.page()->removeButton()->click();
        }
        QVERIFY(elementsOf(s.session).isEmpty());
        QVERIFY(!s.page()->emptyState()->isHidden());
        QVERIFY(!s.page()->controls()->isVisible());
    }

    void toolbarAppendsAtTheEnd()
    {
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Two."_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        s.view->kindButtons().last()->click(); // transition
        s.view->kindButtons().at(4)->click();  // dialogue
        QCOMPARE(elementsOf(s.session).size(), 4);
        QCOMPARE(elementsOf(s.session)[2].text, u"CUT TO:"_s);
        QCOMPARE(elementsOf(s.session)[3].kind, K::dialogue);
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session)[3].id);
        QTRY_VERIFY(s.focused(3));
    }

    void focusWithoutAClickWritesAfterTheText()
    {
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Two."_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        QTest::keyClicks(s.edit(), u"A"_s);
        QTest::keyClick(s.edit(), Qt::Key_Tab);
        QVERIFY(s.focused(1));
        QTest::keyClicks(s.edit(), u"B"_s);
        QTest::keyClick(s.edit(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(s.focused(0));
        QTest::keyClicks(s.edit(), u"C"_s);
        s.view->kindButtons().last()->click(); // a transition
        QTRY_VERIFY(s.focused(2));
        QTest::keyClicks(QApplication::focusWidget(), u" D"_s);
        QStringList texts;
        for (const ScriptElement& e : elementsOf(s.session))
            texts << e.text;
        QCOMPARE(texts, (QStringList{u"One.AC"_s, u"Two.B"_s, u"CUT TO: D"_s}));
    }

    void anElementTakenAgainHasTheHeightOfItsText()
    {
        // Grown onto a second line and shortened again, left for a narrower
        // element and taken again: one line, as before.
        Screen s(production({element(K::action, u"One line of action that is long enough to come near the end."_s),
                             element(K::character, u"ORRO"_s)}));
        QVERIFY(s.ready());
        const QRect before = s.page()->textRect(s.id(0));
        s.focus(0);
        const QString more = u" And more words, onto a second line of the page."_s;
        QTest::keyClicks(s.edit(), more);
        QTRY_VERIFY(s.page()->textRect(s.id(0)).height() > before.height());
        for (qsizetype i = 0; i < more.size(); ++i)
            QTest::keyClick(s.edit(), Qt::Key_Backspace);
        QTest::keyClick(s.edit(), Qt::Key_Tab);
        QTest::keyClick(s.edit(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(s.focused(0));
        QCoreApplication::processEvents();
        QCOMPARE(s.page()->textRect(s.id(0)), before);
        QCOMPARE(s.page()->editor()->height(), before.height());
    }

    void hoverShowsControlsWithoutMovingText()
    {
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Two."_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        QCoreApplication::processEvents();
        const QRect textBefore = s.page()->textRect(s.id(0));
        const QRect editorBefore = s.page()->editor()->geometry();
        s.hover(0);
        QTRY_COMPARE(s.view->hoveredID(), s.id(0));
        QVERIFY(s.page()->removeButton()->isVisible());
        QVERIFY(s.page()->rowRect(s.id(0)).contains(s.page()->controls()->geometry()));
        QVERIFY(!s.page()->controls()->geometry().intersects(textBefore));
        QCOMPARE(s.page()->textRect(s.id(0)), textBefore);
        QCOMPARE(s.page()->editor()->geometry(), editorBefore);

        s.hover(1);
        QTRY_COMPARE(s.view->hoveredID(), s.id(1));
        QVERIFY(s.page()->rowRect(s.id(1)).contains(s.page()->controls()->geometry()));

        // Off the page, no row shows them.
        QTest::mouseMove(s.view.get(), QPoint(2, 2));
        QTRY_VERIFY(s.view->hoveredID().isNull());
        QVERIFY(!s.page()->controls()->isVisible());
    }

    void storyDraftOnlyForAnEmptyScript()
    {
        Project p = production({});
        p.episodes.first() = episodeWithBeats({QString(), QString()});
        Screen s(p);
        QVERIFY(s.ready());
        QVERIFY(s.view->storyDraftButton()->isHidden()); // titles alone don't count

        s.session.edit([](Project& p) { p.episodes.first().structure.acts[0].beats[1].summary = u"She waits."_s; });
        QVERIFY(!s.view->storyDraftButton()->isHidden());
        const auto capsuleAt = [&s] { return s.view->kindButtons().first()->mapTo(s.view.get(), QPoint(0, 0)); };
        const QPoint capsule = capsuleAt();
        s.view->storyDraftButton()->click();
        QCOMPARE(elementsOf(s.session).size(), 3);
        QCOMPARE(elementsOf(s.session)[0].text, u"INT. HARBOR \u2014 DAY"_s);
        QCOMPARE(elementsOf(s.session)[2].text, u"She waits."_s);
        QVERIFY(s.view->storyDraftButton()->isHidden());
        // The toolbar doesn't shrink under the capsules as the button goes.
        s.view->kindButtons().first()->parentWidget()->layout()->activate();
        s.view->layout()->activate();
        QCOMPARE(capsuleAt(), capsule);
        QVERIFY(s.page()->emptyState()->isHidden());
    }

    void aiDraftLandsWhereItWasAsked_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("the user appends") << "append";
        QTest::newRow("the user switches episodes") << "switch";
        QTest::newRow("the request fails") << "fail";
    }

    void aiDraftLandsWhereItWasAsked()
    {
        QFETCH(QString, meanwhile);
        ScriptedModel model;
        model.install();
        if (meanwhile == u"fail"_s)
            model.fail(AIError::http(500, u"Server down"_s));
        else
            model.reply(draftReply({u"Fog rolls in."_s, u"A bell."_s}));
        model.hold();
        Project p = production({});
        p.episodes << Episode{};
        const QUuid first = p.episodes[0].id;
        const QUuid second = p.episodes[1].id;
        Screen s(p);
        QVERIFY(s.ready());

        // A double click starts one request; the button says so meanwhile.
        s.page()->aiDraftButton()->click();
        s.page()->aiDraftButton()->click();
        QVERIFY(s.session.aiBusy());
        QCOMPARE(s.page()->aiDraftButton()->text(), u"Writing\u2026"_s);
        QVERIFY(!s.page()->aiDraftButton()->isEnabled());
        QTRY_COMPARE(model.requestCount(), 1);

        if (meanwhile == u"append"_s)
            s.view->append(K::sceneHeading);
        if (meanwhile == u"switch"_s)
            s.session.setActiveEpisodeID(second);
        model.release();
        QTRY_VERIFY(!s.session.aiBusy());
        QCOMPARE(model.requestCount(), 1);
        QCOMPARE(s.page()->aiDraftButton()->text(), u"Draft with AI"_s);

        const QList<ScriptElement>& asked = findEpisode(s.session.project(), first)->script.elements;
        const QList<ScriptElement>& other = findEpisode(s.session.project(), second)->script.elements;
        QVERIFY(other.isEmpty());
        if (meanwhile == u"fail"_s) {
            QVERIFY(asked.isEmpty());
            QVERIFY(s.session.aiError());
            return;
        }
        const qsizetype before = meanwhile == u"append"_s ? 1 : 0;
        QCOMPARE(asked.size(), before + 2);
        if (before)
            QCOMPARE(asked[0].kind, K::sceneHeading);
        QCOMPARE(asked[before].text, u"Fog rolls in."_s);
        QCOMPARE(asked[before + 1].text, u"A bell."_s);
    }

    // Elements come while the keyboard is on the empty state (resting there
    // after the last delete, or kept on "Draft with AI" as it writes): it
    // stays put, where Return writes nothing, and Tab goes on to the first
    // element, not past the page.
    void elementsComingTakeTheKeyboardOnFromTheEmptyState_data()
    {
        QTest::addColumn<bool>("byDraft");
        QTest::newRow("the last element deleted, a draft lands") << false;
        QTest::newRow("Draft with AI pressed by the keyboard") << true;
    }

    void elementsComingTakeTheKeyboardOnFromTheEmptyState()
    {
        QFETCH(bool, byDraft);
        ScriptedModel model;
        model.install();
        model.reply(draftReply({u"Fog rolls in."_s, u"A bell."_s}));
        model.hold();
        Screen s(production(byDraft ? QList<ScriptElement>() : QList<ScriptElement>{element(K::action, u"Rain."_s)}));
        QVERIFY(s.ready());
        auto* after = new QPushButton(u"After"_s, s.view.get());
        s.view->layout()->addWidget(after);
        after->show();
        if (byDraft) {
            s.page()->aiDraftButton()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(s.page()->aiDraftButton(), Qt::Key_Return);
        } else {
            s.focus(0);
            s.hover(0);
            QTRY_COMPARE(s.view->hoveredID(), s.id(0));
            QTest::mouseClick(s.page()->removeButton(), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), s.page()->emptyState());
            s.view->draftWithAI();
        }
        QVERIFY(s.session.aiBusy());
        model.release();
        QTRY_VERIFY(!s.session.aiBusy());
        QCOMPARE(elementsOf(s.session).size(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(elementsOf(s.session).size(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(s.focused(0));
    }

    void typingGoesOnWhileAnAssistLands()
    {
        ScriptedModel model;
        model.install();
        model.reply(draftReply({u"Thunder."_s}));
        model.hold();
        Screen s(production({element(K::action, u"Wind"_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        s.edit()->moveCursor(QTextCursor::End);
        s.view->draftWithAI();
        QTest::keyClicks(s.edit(), u" picks"_s);
        model.release();
        QTRY_VERIFY(!s.session.aiBusy());
        QCOMPARE(elementsOf(s.session).size(), 2);
        QCOMPARE(elementsOf(s.session)[1].text, u"Thunder."_s);

        // The same editor, caret and undo history: typing simply goes on.
        QVERIFY(s.focused(0));
        QVERIFY(s.edit()->document()->isUndoAvailable());
        QTest::keyClicks(s.edit(), u" up."_s);
        QCOMPARE(elementsOf(s.session)[0].text, u"Wind picks up."_s);
    }

    void episodeSwitchShowsTheOtherScript()
    {
        Project p = production({element(K::action, u"First."_s)});
        Episode other;
        other.script.elements << element(K::dialogue, u"Second."_s);
        p.episodes << other;
        Screen s(p);
        QVERIFY(s.ready());
        s.focus(0);
        s.session.setActiveEpisodeID(other.id);
        QCOMPARE(s.page()->rowCount(), 1);
        QVERIFY(!s.page()->chips());
        s.focus(0);
        QCOMPARE(s.edit()->toPlainText(), u"Second."_s);
        s.view->kindButtons().first()->click();
        QCOMPARE(findEpisode(s.session.project(), other.id)->script.elements.size(), 2);
        QCOMPARE(s.session.project().episodes[0].script.elements.size(), 1);
    }

    void noEpisodeDoesNothing()
    {
        ScriptedModel model;
        model.install();
        Project p = production({});
        p.episodes.clear();
        Screen s(p);
        QVERIFY(s.ready());
        QVERIFY(!s.page()->emptyState()->isHidden());
        for (ScriptCapsule* button : s.view->kindButtons())
            button->click();
        s.page()->addHeadingButton()->click();
        s.page()->aiDraftButton()->click();
        s.view->draftFromStory();
        QVERIFY(s.session.project().episodes.isEmpty());
        QVERIFY(!s.session.aiBusy());
        QCoreApplication::processEvents();
        QCOMPARE(model.requestCount(), 0);
    }

    void aDocumentReadWithoutEpisodesTakesItsScript()
    {
        // A damaged document in the library: its empty list of episodes reads.
        Project damaged = production({});
        QJsonObject document = QJsonDocument::fromJson(json::encodePretty(damaged)).object();
        document.insert(u"episodes"_s, QJsonArray());
        QVERIFY(QDir().mkpath(ProjectStore::folderPath(damaged.id)));
        QFile file(ProjectStore::folderPath(damaged.id) + u"/project.json"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(document).toJson());
        file.close();
        ProjectStore store;
        store.load();
        const Project* stored = findProject(store.projects(), damaged.id);
        QVERIFY(stored);

        Screen s(*stored);
        QVERIFY(s.ready());
        s.view->kindButtons().first()->click();
        QCOMPARE(s.session.project().episodes.size(), 1);
        QCOMPARE(elementsOf(s.session).size(), 1);
    }

    void editsElsewhereKeepTheCaretAndUndo()
    {
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Wind picks"_s),
                             element(K::action, u"Three."_s)}));
        QVERIFY(s.ready());
        s.focus(1);
        QTest::keyClick(s.edit(), Qt::Key_Home);
        QTest::keyClicks(s.edit(), u"XY"_s);
        QTest::keyClick(s.edit(), Qt::Key_Left);
        const QUuid typing = s.id(1);
        // An assist (or another window) adds an element above and takes one below away.
        s.session.edit([](Project& p) {
            QList<ScriptElement>& elements = p.episodes.first().script.elements;
            elements.removeLast();
            elements.prepend(element(K::sceneHeading, u"INT. HALL \u2014 DAY"_s));
            elements.prepend(element(K::action, u"Zero."_s));
        });
        QCOMPARE(s.page()->editorID(), typing);
        QVERIFY(s.page()->hasTextFocus(typing));
        QCOMPARE(s.edit()->textCursor().position(), 1);
        QTest::keyClicks(s.edit(), u"-"_s);
        QCOMPARE(findScriptElement(s.session.project(), s.session.activeEpisodeID(), typing)->text,
                 u"X-YWind picks"_s);
        // Its own history is intact: undo takes back only what was typed here.
        s.edit()->undo();
        QCOMPARE(findScriptElement(s.session.project(), s.session.activeEpisodeID(), typing)->text,
                 u"XYWind picks"_s);
        QCOMPARE(elementsOf(s.session).size(), 4);

        // A click on another row takes the editor there, caret at the click.
        const QRect one = s.page()->textRect(s.id(2));
        QTest::mouseClick(s.page(), Qt::LeftButton, {}, QPoint(one.left() + 1, one.center().y()));
        QCOMPARE(s.page()->editorID(), s.id(2));
        QVERIFY(s.focused(2));
        QCOMPARE(s.edit()->textCursor().position(), 0);
        // Nothing of the last element's history comes with it.
        QVERIFY(!s.edit()->document()->isUndoAvailable());
    }

    // The element being written rewritten from elsewhere (an assist): the
    // caret and the selection keep their place in the text kept at either
    // end, and one inside what changed goes after the new part; typing
    // lands there.
    void aRewriteCarriesTheCaretThrough_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        // From "Wind picks up."
        QTest::newRow("in the kept start") << 4 << 4 << u"Wind picks up slowly."_s << u"!"_s
                                           << u"Wind! picks up slowly."_s;
        QTest::newRow("in the kept end") << 10 << 10 << u"A cold wind picks up."_s << u"!"_s
                                         << u"A cold wind picks! up."_s;
        QTest::newRow("inside what changed") << 7 << 7 << u"Wind dies down."_s << u"!"_s << u"Wind dies down!."_s;
        QTest::newRow("a selection in the kept end") << 5 << 10 << u"A wind picks up."_s << u"rises"_s
                                                     << u"A wind rises up."_s;
        QTest::newRow("a selection backwards") << 10 << 5 << u"A wind picks up."_s << u"rises"_s
                                               << u"A wind rises up."_s;
    }

    void aRewriteCarriesTheCaretThrough()
    {
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, rewritten);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Wind picks up."_s)}));
        QVERIFY(s.ready());
        s.focus(1);
        QTextCursor c = s.edit()->textCursor();
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        s.edit()->setTextCursor(c);
        const QUuid id = s.id(1);
        s.session.edit([&](Project& p) { edits::setScriptElementText(p, s.session.activeEpisodeID(), id, rewritten); });
        QVERIFY(s.focused(1));
        QCOMPARE(s.edit()->toPlainText(), rewritten);
        QTest::keyClicks(s.edit(), typed);
        QCOMPARE(elementsOf(s.session)[1].text, result);
    }

    // The same rewrite while the keyboard is elsewhere for a moment (a sheet
    // in the window holds it, or a window of its own is active): the keys
    // typed once it is back go after the new text.
    void aRewriteWhileTheKeyboardIsElsewhereCarriesTheCaretThrough_data()
    {
        QTest::addColumn<bool>("otherWindow");
        QTest::newRow("a control of the window") << false;
        QTest::newRow("another window") << true;
    }
    void aRewriteWhileTheKeyboardIsElsewhereCarriesTheCaretThrough()
    {
        QFETCH(bool, otherWindow);
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Wind picks up."_s)}));
        QVERIFY(s.ready());
        s.focus(1);
        s.edit()->moveCursor(QTextCursor::End);
        QLineEdit sheet(otherWindow ? nullptr : s.view.get());
        sheet.show();
        sheet.activateWindow();
        sheet.setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(!s.edit()->hasFocus());
        const QUuid id = s.id(1);
        const QString drafted = u"Wind dies down at dusk."_s;
        s.session.edit([&](Project& p) { edits::setScriptElementText(p, s.session.activeEpisodeID(), id, drafted); });
        sheet.hide();
        s.view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.view.get()));
        s.edit()->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(s.edit()->hasFocus());
        QTest::keyClicks(s.edit(), u"KKK"_s);
        QCOMPARE(elementsOf(s.session)[1].text, drafted + u"KKK"_s);
    }

    void aClickPutsTheCaretWhereClicked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a sentence") << QString();
        QTest::newRow("a long text") << u"Salt on the glass, and the lamp turning. "_s.repeated(400);
    }

    void aClickPutsTheCaretWhereClicked()
    {
        QFETCH(QString, text);
        Project p = SampleFactory::lighthouse();
        QList<ScriptElement>& script = p.episodes.first().script.elements;
        int at = 0;
        while (!script[at].text.endsWith(u"her tea."_s))
            ++at;
        if (!text.isEmpty())
            script[at].text = text;
        text = script[at].text;
        Screen s(p);
        QVERIFY(s.ready());

        // The first click on the page as built, past the end of the
        // element's first line: the caret is where the pointer is, and
        // typing lands there.
        const QRect area = s.page()->textRect(s.id(at));
        const QPoint click(area.right() - 1, area.top() + 4);
        QTest::mouseClick(s.page(), Qt::LeftButton, {}, click);
        QVERIFY(s.focused(at));
        const QRect caret = s.edit()->cursorRect().translated(s.edit()->viewport()->mapTo(s.page(), QPoint(0, 0)));
        QVERIFY2(caret.top() <= click.y() && click.y() <= caret.bottom() && qAbs(caret.center().x() - click.x()) < 80,
                 qPrintable(u"caret at %1,%2"_s.arg(caret.x()).arg(caret.y())));
        const int offset = s.edit()->textCursor().position();
        QTest::keyClicks(s.edit(), u"Q"_s);
        QCOMPARE(elementsOf(s.session)[at].text, text.left(offset) + u"Q"_s + text.mid(offset));
        if (text.size() < 200) // one line: after its last word
            QCOMPARE(elementsOf(s.session)[at].text, text + u"Q"_s);
    }

    void anEndlessWordIsPaintedAsTheEditorShowsIt()
    {
        // A paste with no break in it: the row wraps it where the editor
        // does, so nothing moves when the editor takes the row over.
        QString word(6000, Qt::Uninitialized);
        for (qsizetype i = 0; i < word.size(); ++i)
            word[i] = QChar(char16_t(u'a' + i % 26));
        Screen s(production({element(K::action, u"ORRO pastes: "_s + word), element(K::action, u"Rain."_s)}));
        QVERIFY(s.ready());
        const int flash = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        const auto restore = qScopeGuard([flash] { QApplication::setCursorFlashTime(flash); });
        const auto firstLines = [&] {
            const QRect text = s.page()->textRect(s.id(0));
            return s.page()->grab(QRect(text.topLeft(), QSize(text.width(), 40))).toImage();
        };
        QTRY_VERIFY(s.page()->isLaidOut(s.id(0)));
        const QRect text = s.page()->textRect(s.id(0));
        const QImage painted = firstLines();
        s.focus(0);
        QVERIFY(s.focused(0));
        QCOMPARE(s.page()->textRect(s.id(0)), text);
        QCOMPARE(firstLines(), painted);
    }

    // Typing, Return and a removal repaint only what moved; the window shows
    // what a fresh paint of the screen shows.
    void whatMovesIsPaintedAgain()
    {
        QList<ScriptElement> elements;
        for (int i = 0; i < 80; ++i)
            elements << element(i % 4 ? K::action : K::character, u"Line %1 of a script that goes on."_s.arg(i));
        Screen s(production(elements));
        QVERIFY(s.ready());
        const int flash = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0); // the caret holds still
        const auto restore = qScopeGuard([flash] { QApplication::setCursorFlashTime(flash); });
        s.focus(6);
        QTest::keyClicks(s.edit(), u"More words, enough to wrap onto a second line of the page and back."_s);
        QTest::keyClick(s.edit(), Qt::Key_Return);
        QTest::keyClick(s.edit(), Qt::Key_Return);
        QTest::keyClicks(s.edit(), u"New."_s);
        s.session.edit([](Project& p) { p.episodes.first().script.elements.removeAt(3); });
        QTest::keyClick(s.edit(), Qt::Key_Backspace);
        // The paper in view, as the window shows it and as painted afresh.
        QWidget* viewport = s.view->scrollArea()->viewport();
        const QRect paper = QRect(s.page()->mapTo(s.view.get(), QPoint(0, 0)), s.page()->size())
                                .intersected(QRect(viewport->mapTo(s.view.get(), QPoint(0, 0)), viewport->size()))
                                .adjusted(8, 8, -8, -8);
        const auto shown = [&] {
            return s.view->screen()->grabWindow(s.view->winId()).toImage().convertToFormat(QImage::Format_RGB32).copy(paper);
        };
        const auto fresh = [&] { return s.view->grab(paper).toImage().convertToFormat(QImage::Format_RGB32); };
        QTRY_VERIFY(shown() == fresh());
    }

    void aLongScriptIsLaidOutWhereItIsLooked()
    {
        QList<ScriptElement> elements;
        for (int i = 0; i < 3000; ++i)
            elements << element(i % 3 ? K::action : K::character, u"Line %1 of the long script."_s.arg(i));
        Screen s(production(elements));
        QVERIFY(s.ready());
        const QUuid first = s.id(0);
        const QUuid last = s.id(2999);
        QTRY_VERIFY(s.page()->isLaidOut(first));
        QVERIFY(!s.page()->isLaidOut(last));

        // Scrolled to the end: the rows there are laid out, those far above let go.
        QScrollBar* bar = s.view->scrollArea()->verticalScrollBar();
        bar->setValue(bar->maximum());
        QTRY_VERIFY(s.page()->isLaidOut(last));
        QVERIFY(!s.page()->isLaidOut(first));
        QTRY_COMPARE(bar->value(), bar->maximum());

        // Going to an element far away brings it into view, focused, with
        // its id; typing lands there.
        const QUuid middle = s.id(1500);
        s.page()->focusElement(middle);
        QVERIFY(s.page()->hasTextFocus(middle));
        const QRect shown(s.page()->mapTo(s.view->scrollArea()->viewport(), s.page()->textRect(middle).topLeft()),
                          s.page()->textRect(middle).size());
        QTRY_VERIFY(s.view->scrollArea()->viewport()->rect().contains(shown));
        QTest::keyClicks(s.edit(), u" Now"_s);
        QCOMPARE(elementsOf(s.session)[1500].text, u"Line 1500 of the long script. Now"_s);
        QCOMPARE(elementsOf(s.session)[1500].id, middle);
        QCOMPARE(s.page()->rowCount(), 3000);

        // Removed by its mark, the element being written leaves the page
        // where it was.
        s.hover(1500);
        QTRY_COMPARE(s.view->hoveredID(), middle);
        const int at = bar->value();
        QTest::mouseClick(s.page()->removeButton(), Qt::LeftButton);
        QCOMPARE(s.page()->rowCount(), 2999);
        QCoreApplication::processEvents(); // (what a focus change queues has run)
        QCOMPARE(bar->value(), at);
    }
};

QTEST_MAIN(ScriptViewTest)
#include "ScriptViewTest.moc"
