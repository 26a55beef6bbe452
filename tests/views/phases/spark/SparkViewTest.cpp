// The Spark screen against a live session: each control writes its one field
// through the edit door, showing the screen rewrites nothing, the
// interrogation card walks the deck and answers onto the board, idea cards
// are kept by id while the production changes under them.

#include "support/AssistFixtures.h"
#include "support/ResidentMemory.h"

#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/MenuButton.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/ScrollColumn.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "state/edits/SparkEdits.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/IdeaCardView.h"
#include "views/phases/spark/InterrogationCard.h"
#include "views/phases/spark/SparkView.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

struct Shown {
    ProjectSession session;
    SparkView view;
    explicit Shown(const Project& p)
        : session(p)
        , view(session)
    {
        view.resize(1080, 700);
        view.show();
    }
};

// Chooses the menu entry with that text from a menu button's menu.
bool choose(MenuButton* menuButton, const QString& text)
{
    for (QAction* action : menuButton->menu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return true;
        }
    }
    return false;
}

Project sparkProject()
{
    Project p;
    p.idea.cards.clear();
    return p;
}

} // namespace

class SparkViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void eachControlWritesItsField()
    {
        Project p = sparkProject();
        p.episodes.clear(); // a hand-made document: nothing here needs an episode
        Shown s(p);
        QSignalSpy changes(&s.session, &ProjectSession::projectChanged);

        QTest::keyClicks(s.view.loglineEditor()->textEdit(), u"A keeper"_s);
        QCOMPARE(s.session.project().idea.logline, u"A keeper"_s);
        QCOMPARE(changes.count(), 8); // one write per keystroke
        QCOMPARE(s.view.loglineCounter()->text(), u"8 characters"_s);

        // An emptied working title stays empty.
        s.view.titleField()->lineEdit()->selectAll();
        QTest::keyClick(s.view.titleField()->lineEdit(), Qt::Key_Delete);
        QCOMPARE(s.session.project().name, QString());

        for (Genre g : {Genre::drama, Genre::comedy, Genre::drama})
            QTest::mouseClick(s.view.genreChip(g), Qt::LeftButton);
        QCOMPARE(s.session.project().idea.genres, QList<Genre>{Genre::comedy});
        QVERIFY(s.view.genreChip(Genre::comedy)->isOn() && !s.view.genreChip(Genre::drama)->isOn());

        s.session.edit([](Project& p) { p.idea.targetRuntimeMinutes = 42; });
        QVERIFY(choose(s.view.formatMenu(), u"Sitcom"_s));
        QCOMPARE(s.session.project().format, ProjectFormat::sitcom);
        QCOMPARE(s.session.project().idea.targetRuntimeMinutes, 30);
        QCOMPARE(s.view.runtimeText()->text(), u"30m"_s);
        QCOMPARE(s.view.runtimeCaption()->text(), u"RUNTIME PER EPISODE"_s);
    }

    void showingRewritesNothing()
    {
        Project p = sparkProject();
        p.format = ProjectFormat::feature;
        p.idea.targetRuntimeMinutes = 900;
        p.idea.tone.realism = 0.123456789;
        ProjectSession session(p);
        QSignalSpy changes(&session, &ProjectSession::projectChanged);
        SparkView view(session);
        view.resize(1080, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(session.project(), p);
        QCOMPARE(view.runtimeText()->text(), u"900m"_s);
        QCOMPARE(view.runtimeSlider()->position(), 240.0);

        // A user's move writes a whole number inside the range.
        view.runtimeSlider()->setFocus();
        QTest::keyClick(view.runtimeSlider(), Qt::Key_Home);
        QCOMPARE(session.project().idea.targetRuntimeMinutes, 40);
        QCOMPARE(session.project().idea.tone.realism, 0.123456789);
    }

    void aToneDialWritesWhereThePointerOrAKeyPutsIt()
    {
        Shown s(sparkProject());
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        Slider* dial = s.view.toneDial(1)->slider();
        s.view.page()->ensureWidgetVisible(dial);
        // A third of the way along, where the knob's own steps have no value.
        const QPoint at((dial->width() - 14) / 3 + 7, dial->height() / 2);
        QTest::mouseClick(dial, Qt::LeftButton, {}, at);
        const double written = s.session.project().idea.tone.realism;
        QVERIFY(std::abs(written - 1.0 / 3.0) < 0.02);
        const double steps = written * 10000;
        QVERIFY2(std::abs(steps - std::round(steps)) > 1e-6, qPrintable(QString::number(written, 'g', 17)));
        // A key steps from there, as exactly.
        QTest::keyClick(dial, Qt::Key_Left);
        const double stepped = s.session.project().idea.tone.realism;
        QVERIFY2(std::abs(stepped - (written - 0.01)) < 1e-12, qPrintable(QString::number(stepped, 'g', 17)));
    }

    void interrogationWalksAndAnswers()
    {
        Project p = sparkProject();
        p.id = QUuid();
        Shown s(p);
        InterrogationCard* card = s.view.interrogationCard();
        QCOMPARE(card->counterText(), u"10/22"_s);
        for (int i = 0; i < 13; ++i)
            QTest::mouseClick(card->nextButton(), Qt::LeftButton);
        QCOMPARE(card->counterText(), u"1/22"_s);
        const QString first = InterrogationDeck::questions().first();
        QCOMPARE(card->question(), first);

        QTest::mouseClick(card->answerButton(), Qt::LeftButton);
        QTest::mouseClick(card->answerButton(), Qt::LeftButton);
        const QList<IdeaCard> cards = s.session.project().idea.cards;
        QCOMPARE(cards.size(), 2);
        QVERIFY(cards[0].id != cards[1].id);
        for (const IdeaCard& c : cards) {
            QCOMPARE(c.kind, IdeaCardKind::concept_);
            QCOMPARE(c.text, first + u"\n\u2192 "_s);
        }
        // Changes from anywhere leave the question where it is.
        s.session.edit([](Project& p) { p.idea.logline = u"Elsewhere"_s; });
        QCOMPARE(card->counterText(), u"1/22"_s);
        // A screen built again opens on the production's own question.
        SparkView again(s.session);
        QCOMPARE(again.interrogationCard()->counterText(), u"10/22"_s);
    }

    void ideaBoardAddsEditsAndDeletesByID()
    {
        Shown s(sparkProject());
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        IdeaBoard* board = s.view.ideaBoard();
        QVERIFY(board->isEmptyStateShown());
        for (const QString& kind : {u"Theme"_s, u"Concept"_s, u"Theme"_s})
            QVERIFY(choose(board->addMenu(), kind));
        QVERIFY(!board->isEmptyStateShown());
        const QList<IdeaCardView*> views = board->cardViews();
        QCOMPARE(views[1]->kindTitle(), u"CONCEPT"_s);

        QTest::keyClicks(views[1]->editor()->textEdit(), u"salt"_s);
        QCOMPARE(s.session.project().idea.cards[1].text, u"salt"_s);

        // A card's delete button shows (and answers) only while the pointer is over that card.
        IdeaCardView* middle = views[1];
        s.view.page()->ensureWidgetVisible(middle);
        QVERIFY(!middle->isDeleteShown());
        QTest::mouseMove(middle);
        QTRY_VERIFY(middle->isDeleteShown());
        QVERIFY(!views[0]->isDeleteShown());
        QTest::mouseClick(middle->deleteButton(), Qt::LeftButton);
        const QList<IdeaCard> left = s.session.project().idea.cards;
        QCOMPARE(left.size(), 2);
        QCOMPARE(board->cardViews(), (QList<IdeaCardView*>{views[0], views[2]}));
        QCOMPARE(left[0].id, views[0]->cardID());
        QCOMPARE(left[1].id, views[2]->cardID());

        s.session.edit([](Project& p) { p.idea.cards.clear(); });
        QVERIFY(board->isEmptyStateShown());
    }

    void firstFragmentLeavesThePageWhereItWas()
    {
        // Scrolled to the foot of the page, the first card (an assist's,
        // landing while the user reads) replaces the empty board below what
        // the user looks at: the page must not move.
        Shown s(sparkProject());
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        QScrollBar* bar = s.view.page()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const int before = bar->value();
        s.session.edit([](Project& p) { edits::appendIdeaCard(p, IdeaCardKind::concept_, u"salt"_s); });
        QTRY_COMPARE(s.view.ideaBoard()->cardViews().size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), before);
    }

    // The strip slides cards under a resting pointer (a wheel turn, a
    // delete): the delete mark is on exactly the card under the pointer, and
    // on none once the pointer has left the cards.
    void theDeleteMarkFollowsThePointerAsCardsSlide()
    {
        Project p = sparkProject();
        for (int i = 0; i < 60; ++i)
            p.idea.cards << IdeaCard{.id = newId(), .kind = IdeaCardKind::line, .text = u"Fragment %1"_s.arg(i)};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        IdeaBoard* board = s.view.ideaBoard();
        s.view.page()->ensureWidgetVisible(board->strip());
        const auto marked = [board] {
            QList<QUuid> ids;
            for (IdeaCardView* card : board->cardViews()) {
                if (card->isDeleteShown())
                    ids << card->cardID();
            }
            return ids;
        };
        const auto underPointer = [board]() -> IdeaCardView* {
            for (IdeaCardView* card : board->cardViews()) {
                if (card->isVisible() && card->rect().contains(card->mapFromGlobal(QCursor::pos())))
                    return card;
            }
            return nullptr;
        };
        IdeaCardView* first = board->cardViews().at(1);
        QTest::mouseMove(first, first->rect().center());
        QTRY_COMPARE(marked(), QList<QUuid>{first->cardID()});

        // Four notches sideways bring the next card under the pointer.
        QWidget* viewport = board->strip()->viewport();
        const QPointF at = viewport->mapFromGlobal(QPointF(QCursor::pos()));
        QWheelEvent wheel(at, QCursor::pos(), QPoint(), QPoint(-480, 0), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &wheel);
        IdeaCardView* slid = underPointer();
        QVERIFY(slid && slid != first);
        QTRY_COMPARE(marked(), QList<QUuid>{slid->cardID()});

        // The pointer moves on to the card after it.
        IdeaCardView* next = board->cardViews().at(board->cardViews().indexOf(slid) + 1);
        QTest::mouseMove(next, next->rect().center());
        QTRY_COMPARE(marked(), QList<QUuid>{next->cardID()});

        // Deleting it brings its neighbour under the pointer, and only there.
        const QUuid deleted = next->cardID();
        QTest::mouseClick(next->deleteButton(), Qt::LeftButton);
        QVERIFY(!board->cardView(deleted));
        IdeaCardView* neighbour = underPointer();
        QVERIFY(neighbour);
        QTRY_COMPARE(marked(), QList<QUuid>{neighbour->cardID()});

        // Off the cards, no mark stays.
        QTest::mouseMove(s.view.interrogationCard(), QPoint(4, 4));
        QTRY_COMPARE(marked(), QList<QUuid>());
    }

    void buildingAFarCardLeavesThePageWhereItWas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("words") << u"A fragment long enough to take many lines of its card. "_s.repeated(8);
        QTest::newRow("one endless word") << u"x"_s.repeated(400);
    }

    void buildingAFarCardLeavesThePageWhereItWas()
    {
        // Scrolled to its foot, the page shows the strip's lower edge: a card
        // built as the strip scrolls far along must not move it, nor a card
        // deleted once that one is out of reach again.
        QFETCH(QString, text);
        Project p = sparkProject();
        for (int i = 0; i < 80; ++i)
            p.idea.cards << IdeaCard{.id = newId(), .kind = IdeaCardKind::image, .text = u"Fragment %1"_s.arg(i)};
        p.idea.cards[70].text = text;
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        IdeaBoard* board = s.view.ideaBoard();
        QScrollBar* page = s.view.page()->verticalScrollBar();
        QTRY_VERIFY(page->maximum() > 0);
        page->setValue(page->maximum());
        const int before = page->value();
        // Once the board and the page have laid themselves out again, the
        // page is where it was.
        const QWidget* content = s.view.page()->widget();
        const auto settled = [&] {
            return board->height() == board->sizeHint().height() && content->height() == content->sizeHint().height();
        };

        IdeaCardView* tall = board->revealCard(p.idea.cards[70].id);
        QVERIFY(tall);
        QTRY_VERIFY(tall->height() > board->cardViews().first()->height());
        QTRY_VERIFY(settled());
        QCOMPARE(page->value(), before);
        QVERIFY(tall->geometry().bottom() < board->strip()->viewport()->height());

        board->strip()->horizontalScrollBar()->setValue(0);
        QTRY_VERIFY(!board->cardView(p.idea.cards[70].id));
        page->setValue(page->maximum());
        const int foot = page->value();
        s.session.edit([](Project& p) { p.idea.cards.removeFirst(); });
        QTRY_VERIFY(settled());
        QCOMPARE(page->value(), foot);
    }

    void aLongThemeKeepsItsRemoveButtonInReach()
    {
        Project p = sparkProject();
        p.idea.themes = {u"Belonging"_s, u"A theme pasted from a whole paragraph about belonging and scale "_s.repeated(2)};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        TagField* themes = s.view.themesField();
        const QList<SymbolButton*> removes = themes->findChildren<SymbolButton*>();
        QCOMPARE(removes.size(), 2);
        for (SymbolButton* remove : removes) {
            const QRect at(remove->mapTo(themes, QPoint(0, 0)), remove->size());
            QVERIFY(themes->rect().contains(at));
        }
        QTest::mouseClick(removes.last(), Qt::LeftButton);
        QCOMPARE(s.session.project().idea.themes, QStringList{u"Belonging"_s});
    }

    // Tab reads the page as it stands: from the argument through the theme
    // tags to their draft; from "Add fragment" on through every card of a
    // long strip, each card's delete mark (shown while the card has the
    // focus) before its text; Space on the mark deletes that card, and on a
    // theme's mark that theme, the keyboard going on to nothing they'd press.
    void tabReachesThemesCardsAndTheirDeleteMarks()
    {
        Project p = sparkProject();
        p.idea.themes = {u"salt"_s, u"tide"_s};
        for (int i = 0; i < 30; ++i)
            p.idea.cards << IdeaCard{.id = newId(), .kind = IdeaCardKind::scene, .text = u"Fragment %1"_s.arg(i)};
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        const auto tab = [](Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            return QApplication::focusWidget();
        };
        const auto name = [](QWidget* w) {
            return w ? QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name) : QString();
        };

        s.view.argumentField()->lineEdit()->setFocus(Qt::TabFocusReason);
        QCOMPARE(name(tab()), u"Remove salt"_s);
        QCOMPARE(name(tab()), u"Remove tide"_s);
        QCOMPARE(tab(), s.view.themesField()->draftEdit());

        IdeaBoard* board = s.view.ideaBoard();
        board->addMenu()->setFocus(Qt::TabFocusReason);
        IdeaCardView* previous = nullptr;
        for (const IdeaCard& card : p.idea.cards) {
            QWidget* mark = tab();
            IdeaCardView* view = board->cardView(card.id);
            QVERIFY2(view && mark == view->deleteButton(), qPrintable(card.text));
            QVERIFY(view->isDeleteShown());
            if (previous)
                QVERIFY(!previous->isDeleteShown());
            QCOMPARE(tab(), view->editor()->textEdit());
            QVERIFY(view->isDeleteShown());
            previous = view;
        }
        // Past the last card the focus leaves the board.
        QWidget* after = tab();
        QVERIFY(!board->isAncestorOf(after));
        previous->editor()->textEdit()->setFocus(Qt::TabFocusReason);

        QCOMPARE(tab(Qt::ShiftModifier), previous->deleteButton());
        QTest::keyClick(previous->deleteButton(), Qt::Key_Space);
        QCOMPARE(s.session.project().idea.cards.size(), p.idea.cards.size() - 1);
        QVERIFY(!findIdeaCard(s.session.project(), p.idea.cards.last().id));
        // The last card gone, the keyboard goes to the text of the card
        // before it; one before others, to the text of the card now in its
        // place. Return and Space there type, deleting nothing.
        QCOMPARE(QApplication::focusWidget(), board->cardView(p.idea.cards.at(28).id)->editor()->textEdit());
        board->revealCard(p.idea.cards[0].id)->deleteButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), board->cardView(p.idea.cards[1].id)->editor()->textEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(s.session.project().idea.cards.size(), p.idea.cards.size() - 2);

        // A theme's × leaves the keyboard resting on the field (the next tag
        // has no stop but its own ×): Return and Space remove nothing more,
        // and Tab goes on to the next tag.
        s.view.argumentField()->lineEdit()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tab(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), s.view.themesField());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(s.session.project().idea.themes, QStringList{u"tide"_s});
        QCOMPARE(name(tab()), u"Remove tide"_s);
    }

    void fieldsAreReadOutByTheirLabels()
    {
        Project p = sparkProject();
        p.format = ProjectFormat::anthology;
        Shown s(p);
        const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(s.view.loglineEditor()->textEdit()), u"Logline \u2014 the one-sentence movie"_s);
        QCOMPARE(name(s.view.argumentField()->lineEdit()), u"The argument \u2014 what the film proves"_s);
        QCOMPARE(name(s.view.themesField()->draftEdit()), u"Themes & motifs"_s);
        QCOMPARE(name(s.view.titleField()->lineEdit()), u"Working title"_s);
        QCOMPARE(name(s.view.runtimeSlider()), u"Runtime per segment"_s);
        QVERIFY(choose(s.view.formatMenu(), u"Feature Film"_s));
        QCOMPARE(name(s.view.runtimeSlider()), u"Target runtime"_s);
    }

    void aLongBoardBuildsWhatIsInViewAndWritesByID()
    {
        Project p = sparkProject();
        for (int i = 0; i < 400; ++i)
            p.idea.cards << IdeaCard{.id = newId(), .kind = IdeaCardKind::image, .text = u"Fragment %1"_s.arg(i)};
        p.idea.cards[250].text = u"A fragment long enough to take many lines of its card. "_s.repeated(8);
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        IdeaBoard* board = s.view.ideaBoard();
        QVERIFY(board->cardViews().size() < 40);
        QCOMPARE(board->cardViews().first()->cardID(), p.idea.cards.first().id);
        // The strip is as tall as the tallest card, built or not.
        const int tallest = board->strip()->height();
        IdeaCardView* tall = board->revealCard(p.idea.cards[250].id);
        QVERIFY(tall);
        QTRY_VERIFY(tall->height() > board->cardViews().first()->height());
        QVERIFY(board->strip()->height() >= tallest);
        QVERIFY(!board->cardView(p.idea.cards.first().id));

        // Far along the strip, typing still reaches its own card; the card
        // in use stays while the strip scrolls away from it.
        IdeaCardView* card = board->revealCard(p.idea.cards[300].id);
        QTextEdit* edit = card->editor()->textEdit();
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, u"!"_s);
        QCOMPARE(s.session.project().idea.cards[300].text, u"Fragment 300!"_s);
        board->strip()->horizontalScrollBar()->setValue(0);
        QCOMPARE(board->cardView(p.idea.cards[300].id), card);
        QTest::keyClicks(edit, u"?"_s);
        QCOMPARE(s.session.project().idea.cards[300].text, u"Fragment 300!?"_s);

        // Deleting a far card removes that one.
        IdeaCardView* last = board->revealCard(p.idea.cards.last().id);
        Q_EMIT last->deleteRequested(last->cardID());
        QCOMPARE(s.session.project().idea.cards.size(), 399);
        QCOMPARE(s.session.project().idea.cards.last().id, p.idea.cards[398].id);
    }

    void typingKeepsFocusWhileFragmentsLand()
    {
        ScriptedModel model;
        model.install();
        model.reply(uR"({"fragments":[{"kind":"image","text":"A lamp in fog"},{"kind":"line","text":"Stay."}]})"_s);
        model.hold();
        AppState app;
        Project p = sparkProject();
        p.activePhase = PhaseID::spark;
        p.idea.cards = {IdeaCard{.id = newId(), .kind = IdeaCardKind::scene, .text = u"Dock"_s}};
        ProjectSession& session = openSession(app, p);
        SparkView view(session);
        view.resize(1080, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        IdeaCardView* card = view.ideaBoard()->cardViews().first();
        QTextEdit* edit = card->editor()->textEdit();
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        QTRY_VERIFY(edit->hasFocus());

        QVERIFY(runEntry(session, u"Brainstorm idea fragments"_s));
        QTest::keyClicks(edit, u"side"_s);
        model.release();
        QTRY_COMPARE(session.project().idea.cards.size(), 3);
        QCOMPARE(view.ideaBoard()->cardViews().first(), card);
        QVERIFY(edit->hasFocus());
        QTest::keyClicks(edit, u" at dusk"_s);
        QCOMPARE(session.project().idea.cards.first().text, u"Dockside at dusk"_s);
        QCOMPARE(view.ideaBoard()->cardViews().at(2)->text(), u"Stay."_s);
    }

    // A long working title is held by its line edit only around the caret:
    // the refreshes that follow edits elsewhere leave the title where the
    // user left it, and it stays whole.
    void aLongTitleStaysWhereTheUserLeftIt()
    {
        Project p = sparkProject();
        p.name = u"The keeper counts the ships that never come. "_s.repeated(2000);
        Shown s(p);
        QVERIFY(QTest::qWaitForWindowExposed(&s.view));
        QLineEdit* title = s.view.titleField()->lineEdit();
        title->setFocus();
        QTest::keyClick(title, Qt::Key_End);
        QTest::keyClicks(title, u"!"_s);
        QCOMPARE(s.session.project().name, p.name + u"!"_s);
        s.view.loglineEditor()->textEdit()->setFocus();
        QTRY_VERIFY(!title->hasFocus());
        for (int i = 0; i < 4; ++i) {
            QTest::keyClicks(s.view.loglineEditor()->textEdit(), u"A"_s);
            QCoreApplication::processEvents();
        }
        QVERIFY(title->text().endsWith(u"never come. !"_s));
        QCOMPARE(s.view.titleField()->text(), p.name + u"!"_s);
    }

    // The board estimates a card's height again at each keystroke in it; what
    // it keeps of those estimates must not hold a copy of every version of a
    // long card's text (2,000 keystrokes in 20,000 characters kept 100 MB).
    void typingInALongCardKeepsNoCopyPerKeystroke()
    {
        if (!test::residentMemoryTellsWhatIsKept())
            QSKIP("freed memory stays resident under AddressSanitizer");
        QString text = u"The keeper counts the ships that never come. "_s.repeated(450);
        IdeaCardView::estimatedHeight(text);
        const double before = residentMegabytes();
        QVERIFY(before > 0);
        for (int i = 0; i < 2000; ++i) {
            text.append(QChar(u'a' + i % 26));
            IdeaCardView::estimatedHeight(text);
        }
        QCOMPARE_LT(residentMegabytes() - before, 16.0);
    }
};

QTEST_MAIN(SparkViewTest)
#include "SparkViewTest.moc"
