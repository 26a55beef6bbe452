// The Script screen with a live session: the editing flow of the page (Return,
// remove, retype, chips, focus, hover), the toolbar, the story draft and the
// AI draft landing where it was asked, while the user keeps typing.

#include "support/AssistFixtures.h"

#include "design/GhostButton.h"
#include "design/MenuButton.h"
#include "design/PlainTextEditor.h"
#include "design/PrimaryButton.h"
#include "design/SymbolButton.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QApplication>
#include <QMenu>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

ScriptElement element(K kind, const QString& text = QString())
{
    return ScriptElement{.kind = kind, .text = text};
}

Project production(const QList<ScriptElement>& elements, const QStringList& cast = {},
                   const QStringList& places = {u"Harbor"_s})
{
    Project p;
    p.episodes.first().script.elements = elements;
    for (const QString& name : cast) {
        CastMember m;
        m.name = name;
        p.cast << m;
    }
    for (const QString& name : places) {
        Location l;
        l.name = name;
        p.locations << l;
    }
    return p;
}

const QList<ScriptElement>& elementsOf(const ProjectSession& session)
{
    return findActiveEpisode(session.project(), session.activeEpisodeID())->script.elements;
}

QString draftReply(const QStringList& texts)
{
    QString items;
    for (const QString& t : texts)
        items += (items.isEmpty() ? u""_s : u","_s) + u"{\"kind\":\"action\",\"text\":\"%1\"}"_s.arg(t);
    return u"{\"elements\":[%1]}"_s.arg(items);
}

// The screen in a window of its own, shown and active.
struct Screen {
    ProjectSession session;
    std::unique_ptr<ScriptView> view;

    explicit Screen(const Project& project)
        : session(project)
        , view(std::make_unique<ScriptView>(session))
    {
        view->resize(1000, 700);
        view->show();
        view->activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(view.get()); }
    ScriptPage* page() const { return view->page(); }
    ScriptElementRow* row(int index) const { return page()->row(elementsOf(session).at(index).id); }
    QTextEdit* edit(int index) const { return row(index)->editor()->textEdit(); }
    void focus(int index)
    {
        page()->focusElement(elementsOf(session).at(index).id);
        QTest::qWait(1);
    }
    ScriptCapsule* chip(const QString& label) const
    {
        auto* chips = qobject_cast<ScriptChips*>(page()->chips());
        if (!chips)
            return nullptr;
        for (ScriptCapsule* c : chips->buttons()) {
            if (c->label() == label)
                return c;
        }
        return nullptr;
    }
};

} // namespace

class ScriptViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void returnInsertsTheNextKindAndFocusesIt()
    {
        Screen s(production({element(K::dialogue, u"Go now."_s)}, {u"Ana"_s, u"Ben"_s}));
        QVERIFY(s.ready());
        s.focus(0);
        QTextCursor caret = s.edit(0)->textCursor();
        caret.setPosition(2);
        s.edit(0)->setTextCursor(caret);

        // Return in the middle of a dialogue: nothing is split, an empty cue follows
        // and takes the focus with the cast chips.
        QTest::keyClick(s.edit(0), Qt::Key_Return);
        QCOMPARE(elementsOf(s.session).size(), 2);
        QCOMPARE(elementsOf(s.session)[0].text, u"Go now."_s);
        QCOMPARE(elementsOf(s.session)[1].kind, K::character);
        QCOMPARE(elementsOf(s.session)[1].text, QString());
        const QUuid cue = elementsOf(s.session)[1].id;
        QTRY_COMPARE(s.view->focusedID(), cue);
        QVERIFY(s.row(1)->hasTextFocus());
        QCOMPARE(s.page()->chipLabels(), (QStringList{u"Ana"_s, u"Ben"_s}));

        // Shift+Return and Enter submit too; the empty cue stays where it is.
        QTest::keyClick(s.edit(1), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session).value(2).id);
        QTest::keyClick(s.edit(2), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(s.view->focusedID(), elementsOf(s.session).value(3).id);
        const QList<K> kinds{K::dialogue, K::character, K::dialogue, K::character};
        QCOMPARE(elementsOf(s.session).size(), kinds.size());
        for (int i = 0; i < kinds.size(); ++i)
            QCOMPARE(elementsOf(s.session)[i].kind, kinds[i]);
        QCOMPARE(elementsOf(s.session)[1].id, cue);
        QVERIFY(!s.edit(1)->toPlainText().contains(u'\n'));

        // Backspace in an empty row edits the text only.
        QTest::keyClick(s.edit(3), Qt::Key_Backspace);
        QCOMPARE(elementsOf(s.session).size(), 4);
    }

    void keysTypedRightAfterReturnGoToTheNewElement()
    {
        // A fast typist's next keys can arrive before the event loop turns;
        // they belong to the element Return made, not to the one it left.
        Screen s(production({element(K::action, u"Rain."_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        QTest::keyClick(s.edit(0), Qt::Key_Return);
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
        QCOMPARE(s.edit(0)->toPlainText(), u"ANA"_s);
        QVERIFY(s.row(0)->hasTextFocus());
        QVERIFY(s.page()->chips());
        QTest::keyClicks(QApplication::focusWidget(), u" B"_s);
        QCOMPARE(elementsOf(s.session)[0].text, u"ANA B"_s);

        s.focus(1);
        QCOMPARE(s.page()->chipLabels(),
                 (QStringList{u"INT."_s, u"EXT."_s, u"Harbor"_s, u"Pier & Dock"_s, u"DAY"_s, u"NIGHT"_s, u"DUSK"_s,
                              u"DAWN"_s}));
        QVERIFY(!s.row(0)->accessory()); // only under the focused row
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
        const QUuid line = elementsOf(s.session)[1].id;
        ScriptElementRow* row = s.row(1);
        Q_EMIT row->kindMenu()->aboutToOpen();
        QAction* transition = nullptr;
        for (QAction* a : row->kindMenu()->menu()->actions()) {
            if (a->text() == u"Transition"_s)
                transition = a;
        }
        QVERIFY(transition);
        transition->trigger();
        QCOMPARE(elementsOf(s.session)[1].id, line);
        QCOMPARE(elementsOf(s.session)[1].kind, K::transition);
        QCOMPARE(elementsOf(s.session)[1].text, u"Run."_s);
        QCOMPARE(s.page()->row(line), row);
        QCOMPARE(row->kind(), K::transition);

        // Removing another row by a click keeps the focus and chips where they are.
        s.focus(0);
        QVERIFY(s.page()->chips());
        QTest::mouseClick(s.row(2)->removeButton(), Qt::LeftButton);
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(s.row(0)->hasTextFocus());
        s.session.edit([](Project& p) { p.episodes.first().script.elements << element(K::action); });

        // Removing the focused heading leaves no chips anywhere and the focus on no other row.
        QVERIFY(s.page()->chips());
        s.row(0)->removeButton()->click();
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(!s.page()->chips());
        QTest::qWait(1);
        for (ScriptElementRow* r : s.page()->rows())
            QVERIFY(!r->hasTextFocus() && !r->accessory());

        // The last one gone brings the empty state back.
        QVERIFY(s.page()->emptyState()->isHidden());
        s.row(1)->removeButton()->click();
        s.row(0)->removeButton()->click();
        QVERIFY(elementsOf(s.session).isEmpty());
        QVERIFY(!s.page()->emptyState()->isHidden());
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
        QTRY_VERIFY(s.row(3)->hasTextFocus());
    }

    void hoverShowsControlsWithoutMovingText()
    {
        Screen s(production({element(K::action, u"One."_s), element(K::action, u"Two."_s)}));
        QVERIFY(s.ready());
        QTest::qWait(20);
        const QRect textBefore = s.row(0)->editor()->geometry();
        QTest::mouseMove(s.row(0)->line(), s.row(0)->line()->rect().center());
        QTRY_COMPARE(s.view->hoveredID(), elementsOf(s.session)[0].id);
        QVERIFY(s.row(0)->removeButton()->isVisible());
        QVERIFY(!s.row(1)->removeButton()->isVisible());
        QCOMPARE(s.row(0)->editor()->geometry(), textBefore);

        QTest::mouseMove(s.row(1)->line(), s.row(1)->line()->rect().center());
        QTRY_COMPARE(s.view->hoveredID(), elementsOf(s.session)[1].id);
        QVERIFY(!s.row(0)->removeButton()->isVisible());
        QVERIFY(s.row(1)->removeButton()->isVisible());
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
        s.view->storyDraftButton()->click();
        QCOMPARE(elementsOf(s.session).size(), 3);
        QCOMPARE(elementsOf(s.session)[0].text, u"INT. HARBOR \u2014 DAY"_s);
        QCOMPARE(elementsOf(s.session)[2].text, u"She waits."_s);
        QVERIFY(s.view->storyDraftButton()->isHidden());
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

    void typingGoesOnWhileAnAssistLands()
    {
        ScriptedModel model;
        model.install();
        model.reply(draftReply({u"Thunder."_s}));
        model.hold();
        Screen s(production({element(K::action, u"Wind"_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        s.edit(0)->moveCursor(QTextCursor::End);
        s.view->draftWithAI();
        QTest::keyClicks(s.edit(0), u" picks"_s);
        model.release();
        QTRY_VERIFY(!s.session.aiBusy());
        QCOMPARE(elementsOf(s.session).size(), 2);
        QCOMPARE(elementsOf(s.session)[1].text, u"Thunder."_s);

        // The same editor, caret and undo history: typing simply goes on.
        QVERIFY(s.row(0)->hasTextFocus());
        QVERIFY(s.edit(0)->document()->isUndoAvailable());
        QTest::keyClicks(s.edit(0), u" up."_s);
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
        QCOMPARE(s.page()->rows().size(), 1);
        QCOMPARE(s.page()->rows().first()->text(), u"Second."_s);
        QVERIFY(!s.page()->chips());
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
        QTest::qWait(10);
        QCOMPARE(model.requestCount(), 0);
    }
};

QTEST_MAIN(ScriptViewTest)
#include "ScriptViewTest.moc"
