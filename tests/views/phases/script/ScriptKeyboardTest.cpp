// The Script screen without a pointer: Tab through the toolbar into the page
// and from element to element, the caret across elements as in a document
// editor (lines, pages, the script's ends) and out of the page in one key,
// the element's menu on the Menu key, and what assistive technology reads of
// the painted script, element by element.

#include "design/widgets/GhostButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SymbolButton.h"
#include "design/DesignSystem.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptScreen.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

// A stop after the page, as the window has one after the screen.
QPushButton* addStopAfter(Screen& s)
{
    auto* after = new QPushButton(u"After"_s, s.view.get());
    s.view->layout()->addWidget(after);
    after->show();
    return after;
}

void press(const QKeySequence& keys)
{
    for (int i = 0; i < keys.count(); ++i) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys[i]));
        QCoreApplication::processEvents();
    }
}

// Where the caret stands, in the page's coordinates.
QRect caretOnPage(const Screen& s)
{
    const QRect caret = s.edit()->cursorRect();
    return QRect(s.edit()->viewport()->mapTo(s.page(), caret.topLeft()), caret.size());
}

bool caretInView(const Screen& s)
{
    QWidget* viewport = s.view->scrollArea()->viewport();
    const QRect caret = s.edit()->cursorRect();
    return viewport->rect().contains(QRect(s.edit()->viewport()->mapTo(viewport, caret.topLeft()), caret.size()));
}

// The caret's line in the element being written: its first, its last (or
// both), as the cursor tells.
bool onFirstLine(QTextEdit* edit)
{
    QTextCursor c = edit->textCursor();
    return !c.movePosition(QTextCursor::Up);
}

bool onLastLine(QTextEdit* edit)
{
    QTextCursor c = edit->textCursor();
    return !c.movePosition(QTextCursor::Down);
}

// Whether the caret stands at page x `x` as well as its line allows: there,
// or at the line's start or end when `x` lies beyond them.
bool keepsColumn(const Screen& s, int x)
{
    QTextEdit* edit = s.edit();
    const int caretX = caretOnPage(s).left();
    const int slack = QFontMetrics(edit->document()->defaultFont()).averageCharWidth() / 2 + 1;
    if (std::abs(caretX - x) <= slack)
        return true;
    QTextCursor c = edit->textCursor();
    const QTextLine line = c.block().layout()->lineForTextPosition(c.positionInBlock());
    const int at = c.positionInBlock();
    return (x < caretX && at == line.textStart()) || (x > caretX && at == line.textStart() + line.textLength());
}

// The Menu key on the element being written: its menu, at the caret.
QMenu* openMenu(Screen& s)
{
    const QRect area = s.edit()->cursorRect();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, area.center(), s.edit()->viewport()->mapToGlobal(area.center()));
    QApplication::sendEvent(s.edit(), &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// An entry picked with the keyboard; the window takes the keyboard back from
// the menu (as a window manager gives it back).
bool pickEntry(Screen& s, QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            s.view->activateWindow();
            return QTest::qWaitForWindowActive(s.view.get());
        }
    }
    return false;
}

} // namespace

class ScriptKeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void paintedElementsAreReadable()
    {
        // Assistive technology reads every element of the script, in script
        // order, however long: its kind as its name, its text through its
        // text interface. The element being written reads the live editor's
        // text and caret, and holds the keyboard itself.
        QList<ScriptElement> elements{element(K::sceneHeading, u"INT. LAMP ROOM \u2014 NIGHT"_s),
                                      element(K::character, u"EDA"_s), element(K::dialogue, u"Log it."_s),
                                      element(K::action)};
        for (int i = 0; i < 2400; ++i)
            elements << element(i % 2 ? K::dialogue : K::action, u"Line %1 of the long script."_s.arg(i));
        Screen s(production(elements));
        QVERIFY(s.ready());
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(s.page());
        QVERIFY(page);
        const auto read = [&] {
            QStringList out;
            for (int i = 0; i < page->childCount(); ++i) {
                QAccessibleInterface* child = page->child(i);
                if (!child || child->object() || page->indexOfChild(child) != i)
                    break; // past the elements: the page's own controls
                QAccessibleTextInterface* text = child->textInterface();
                out << child->text(QAccessible::Name) + u": "_s
                        + (text ? text->text(0, text->characterCount()) : u"(unreadable)"_s);
            }
            return out;
        };
        QStringList expected;
        for (const ScriptElement& e : elements)
            expected << ScriptElementRow::style(e.kind).label + u": "_s + e.text;
        QCOMPARE(read(), expected);
        // The same child each time it is asked for.
        QCOMPARE(page->child(1500), page->child(1500));

        s.focus(2);
        QTest::keyClicks(s.edit(), u" Now."_s);
        expected[2] = u"Dialogue: Log it. Now."_s;
        QCOMPARE(read(), expected);
        QAccessibleInterface* line = page->child(2);
        QCOMPARE(line->childCount(), 0);
        QVERIFY(line->state().focused);
        QCOMPARE(page->focusChild(), line);
        QCOMPARE(line->textInterface()->cursorPosition(), s.edit()->textCursor().position());
        s.focus(1);
        QVERIFY(!page->child(2)->state().focused);

        // An element gone takes its place in the list with it.
        s.session.edit([](Project& p) { p.episodes.first().script.elements.removeAt(0); });
        expected.removeFirst();
        QCOMPARE(read(), expected);
    }

    void theKeyboardReachesTheToolbarAndThePage()
    {
        Screen s(production({element(K::sceneHeading, u"INT. HALL \u2014 DAY"_s), element(K::action, u"Rain."_s),
                             element(K::dialogue, u"Go."_s)}));
        QVERIFY(s.ready());
        const QList<ScriptCapsule*> capsules = s.view->kindButtons();
        const auto tab = [](Qt::Key key = Qt::Key_Tab) {
            QTest::keyClick(QApplication::focusWidget(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        };

        // The kind buttons one after the other, then the page at its first
        // element, written after its text.
        capsules.first()->setFocus(Qt::TabFocusReason);
        for (ScriptCapsule* capsule : capsules) {
            QCOMPARE(QApplication::focusWidget(), capsule);
            tab();
        }
        QTRY_VERIFY(s.focused(0));
        QCOMPARE(s.edit()->textCursor().position(), int(elementsOf(s.session)[0].text.size()));
        tab();
        QVERIFY(s.focused(1));
        tab(Qt::Key_Backtab);
        QVERIFY(s.focused(0));
        tab(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), capsules.last());

        // Shift+Tab from after the page comes in at its last element.
        capsules.first()->setFocus(Qt::TabFocusReason);
        tab(Qt::Key_Backtab);
        QTRY_VERIFY(s.focused(2));

        // Space and Return press a kind button as a click does.
        capsules.at(4)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(capsules.at(4), Qt::Key_Space);
        QCOMPARE(elementsOf(s.session).size(), 4);
        QCOMPARE(elementsOf(s.session).last().kind, K::dialogue);
        QTRY_VERIFY(s.focused(3));
        capsules.last()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(capsules.last(), Qt::Key_Return);
        QCOMPARE(elementsOf(s.session).size(), 5);
        QCOMPARE(elementsOf(s.session).last().text, u"CUT TO:"_s);
        QTRY_VERIFY(s.focused(4));
    }

    void theCaretCrossesElements_data()
    {
        QTest::addColumn<int>("from");           // the element written in
        QTest::addColumn<int>("at");             // the caret's place there, -1 its end
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("to");             // the element written in after
        QTest::addColumn<QString>("lands");

        QTest::newRow("down from the heading keeps the column") << 0 << 12 << QKeySequence(u"Down"_s) << 1 << u"first line"_s;
        QTest::newRow("up to the last line before") << 2 << -1 << QKeySequence(u"Up"_s) << 1 << u"last line"_s;
        QTest::newRow("the column is kept past a short line")
            << 3 << 30 << QKeySequence(u"Up, Up"_s) << 1 << u"last line"_s;
        QTest::newRow("and back down it") << 1 << -1 << QKeySequence(u"Down, Down"_s) << 3 << u"first line"_s;
        // The cue's line starts right of the column.
        QTest::newRow("the column is kept through a short centred cue")
            << 3 << 10 << QKeySequence(u"Down, Up"_s) << 3 << u"last line"_s;
        QTest::newRow("and on past it") << 3 << 10 << QKeySequence(u"Down, Down"_s) << 5 << u"first line"_s;
        QTest::newRow("page down to the last line") << 0 << 12 << QKeySequence(u"PgDown"_s) << 6 << u"last line"_s;
        QTest::newRow("page up to the first") << 5 << 3 << QKeySequence(u"PgUp"_s) << 0 << u"first line"_s;
        QTest::newRow("ctrl+end") << 1 << 0 << QKeySequence(u"Ctrl+End"_s) << 6 << u"end"_s;
        QTest::newRow("ctrl+home") << 5 << -1 << QKeySequence(u"Ctrl+Home"_s) << 0 << u"start"_s;
    }

    void theCaretCrossesElements()
    {
        QFETCH(int, from);
        QFETCH(int, at);
        QFETCH(QKeySequence, keys);
        QFETCH(int, to);
        QFETCH(QString, lands);
        Screen s(production({
            element(K::sceneHeading, u"INT. LIGHTHOUSE LAMP ROOM \u2014 NIGHT"_s),
            element(K::action, u"The lamp turns above the harbor, slow and patient, throwing its beam across the black "
                               u"water and the boats that lie there, and over the roofs of the town asleep below."_s),
            element(K::action, u"Rain."_s),
            element(K::action, u"Eda climbs the last of the stairs and sets the log down."_s),
            element(K::character, u"EDA"_s),
            element(K::dialogue, u"Log it."_s),
            element(K::transition, u"CUT TO:"_s),
        }));
        QVERIFY(s.ready());
        s.focus(from);
        QTextCursor c = s.edit()->textCursor();
        c.setPosition(at < 0 ? int(elementsOf(s.session)[from].text.size()) : at);
        s.edit()->setTextCursor(c);
        const int x = caretOnPage(s).left();

        press(keys);
        QVERIFY(s.focused(to));
        if (lands == u"start"_s)
            QCOMPARE(s.edit()->textCursor().position(), 0);
        if (lands == u"end"_s)
            QCOMPARE(s.edit()->textCursor().position(), int(elementsOf(s.session)[to].text.size()));
        if (lands == u"first line"_s || lands == u"last line"_s) {
            QVERIFY(lands == u"first line"_s ? onFirstLine(s.edit()) : onLastLine(s.edit()));
            QVERIFY2(keepsColumn(s, x), qPrintable(u"x %1, caret at %2"_s.arg(x).arg(caretOnPage(s).left())));
        }
        // What is typed next lands there.
        const QString before = elementsOf(s.session)[to].text;
        const int caret = s.edit()->textCursor().position();
        QTest::keyClick(s.edit(), Qt::Key_Z);
        QCOMPARE(elementsOf(s.session)[to].text, QString(before).insert(caret, u'z'));
    }

    // Any other key or a click lets the column go: the next vertical move
    // keeps the x the caret has then.
    void aKeyOrAClickAcrossSetsANewColumn_data()
    {
        QTest::addColumn<bool>("click");
        QTest::newRow("End") << false;
        QTest::newRow("a click at the cue's end") << true;
    }

    void aKeyOrAClickAcrossSetsANewColumn()
    {
        QFETCH(bool, click);
        Screen s(production({element(K::action, u"Eda climbs the last of the stairs and sets the log down."_s),
                             element(K::character, u"EDA"_s)}));
        QVERIFY(s.ready());
        s.focus(0);
        QTextCursor c = s.edit()->textCursor();
        c.setPosition(5);
        s.edit()->setTextCursor(c);
        // Into the centred cue, the column kept left of it.
        press(QKeySequence(u"Down"_s));
        QVERIFY(s.focused(1));
        if (click) {
            QTextCursor end = s.edit()->textCursor();
            end.movePosition(QTextCursor::End);
            QTest::mouseClick(s.edit()->viewport(), Qt::LeftButton, {}, s.edit()->cursorRect(end).center());
            QCOMPARE(s.edit()->textCursor().position(), 3);
        } else {
            press(QKeySequence(u"End"_s));
        }
        const int x = caretOnPage(s).left();
        press(QKeySequence(u"Up"_s));
        QVERIFY(s.focused(0));
        QVERIFY2(keepsColumn(s, x), qPrintable(u"x %1, caret at %2"_s.arg(x).arg(caretOnPage(s).left())));
    }

    void theKeysReachTheWholeOfALongScript()
    {
        // A feature's length, built once: the keys go as far as the script
        // does, scroll with the caret, and never lay out what lies between.
        QList<ScriptElement> elements;
        for (int i = 0; i < 2400; ++i)
            elements << element(i % 3 ? K::action : K::dialogue, u"Line %1 of the long script."_s.arg(i));
        Screen s(production(elements));
        QVERIFY(s.ready());
        QPushButton* after = addStopAfter(s);
        QScrollBar* bar = s.view->scrollArea()->verticalScrollBar();
        const int last = int(elements.size()) - 1;
        s.focus(0);

        press(QKeySequence(u"Ctrl+End"_s));
        QVERIFY(s.focused(last));
        QCOMPARE(s.edit()->textCursor().position(), int(elements[last].text.size()));
        QTRY_VERIFY(caretInView(s));
        QVERIFY(!s.page()->isLaidOut(s.id(last / 2)));
        QTest::keyClick(s.edit(), Qt::Key_Z);
        QCOMPARE(elementsOf(s.session)[last].text, elements[last].text + u'z');

        press(QKeySequence(u"Ctrl+Home"_s));
        QVERIFY(s.focused(0));
        QCOMPARE(s.edit()->textCursor().position(), 0);
        QTRY_COMPARE(bar->value(), 0);

        // Page Down moves the caret about a page and scrolls by as much;
        // Page Up brings both back.
        const int pageHeight = s.page()->visibleArea().height();
        int y = caretOnPage(s).top();
        for (int i = 0; i < 3; ++i) {
            const int scrolled = bar->value();
            press(QKeySequence(u"PgDown"_s));
            QTRY_VERIFY(caretInView(s));
            QVERIFY2(std::abs(caretOnPage(s).top() - y - pageHeight) < pageHeight / 4,
                     qPrintable(u"caret from %1 to %2"_s.arg(y).arg(caretOnPage(s).top())));
            QVERIFY(std::abs(bar->value() - scrolled - pageHeight) < pageHeight / 4);
            y = caretOnPage(s).top();
        }
        for (int i = 0; i < 3; ++i)
            press(QKeySequence(u"PgUp"_s));
        QVERIFY(s.focused(0));
        QTRY_COMPARE(bar->value(), 0);

        // Down goes on element after element, past the foot of the view.
        for (int i = 1; i <= 40; ++i) {
            press(QKeySequence(u"Down"_s));
            QVERIFY(s.focused(i));
        }
        QTRY_VERIFY(caretInView(s));
        QVERIFY(bar->value() > 0);
        press(QKeySequence(u"Up"_s));
        QVERIFY(s.focused(39));

        // Out of the page in one key either way, and Tab past its last
        // element.
        press(QKeySequence(u"Ctrl+Tab"_s));
        QCOMPARE(QApplication::focusWidget(), after);
        s.focus(1200);
        press(QKeySequence(u"Ctrl+Shift+Tab"_s));
        QCOMPARE(QApplication::focusWidget(), s.view->kindButtons().last());
        s.focus(last);
        press(QKeySequence(u"Tab"_s));
        QCOMPARE(QApplication::focusWidget(), after);
    }

    void theMenuKeyOffersWhatTheRowControlsDo()
    {
        Screen s(production({element(K::sceneHeading), element(K::dialogue, u"Run."_s),
                             element(K::action, u"She runs."_s)}));
        QVERIFY(s.ready());
        // The Menu key (or Shift+F10) on the element being written: its
        // menu, at the caret.
        QPoint caret;
        const auto menuKey = [&](int index) {
            s.focus(index);
            caret = s.edit()->viewport()->mapToGlobal(s.edit()->cursorRect().bottomLeft());
            return openMenu(s);
        };
        const auto pick = [&](QMenu* menu, const QString& text) { return pickEntry(s, menu, text); };

        // Retyped: same id, same text, the new kind; typing goes on there.
        const QUuid line = s.id(1);
        QMenu* menu = menuKey(1);
        QVERIFY(menu);
        QVERIFY((menu->pos() - caret).manhattanLength() <= 2);
        QVERIFY(pick(menu, u"Transition"_s));
        QCOMPARE(elementsOf(s.session)[1].kind, K::transition);
        QCOMPARE(elementsOf(s.session)[1].text, u"Run."_s);
        QCOMPARE(elementsOf(s.session)[1].id, line);
        QTRY_VERIFY(s.focused(1));

        // The chips of a heading are there too.
        menu = menuKey(0);
        QVERIFY(menu);
        QVERIFY(pick(menu, u"NIGHT"_s));
        QCOMPARE(elementsOf(s.session)[0].text, u"INT. HARBOR \u2014 NIGHT"_s);

        // Deleted.
        menu = menuKey(1);
        QVERIFY(menu);
        QVERIFY(pick(menu, u"Delete element"_s));
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(findScriptElement(s.session.project(), s.session.activeEpisodeID(), line) == nullptr);
    }

    // The element being written deleted, by its menu or its ×: the keyboard
    // goes on to the element now in its place (else the one before), and Tab
    // goes on from there; the last one gone, it rests on the empty state,
    // where Return and Space write nothing.
    void aDeleteHandsTheKeyboardOn_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("the Menu key, Up, Return") << true;
        QTest::newRow("a click on its remove mark") << false;
    }

    void aDeleteHandsTheKeyboardOn()
    {
        QFETCH(bool, byMenu);
        Project p = production({element(K::sceneHeading, u"INT. HALL \u2014 DAY"_s), element(K::action, u"Rain."_s),
                                element(K::character, u"EDA"_s), element(K::dialogue, u"Go."_s)});
        // With beats, "Draft from Story beats" shows on an empty script.
        Act act;
        act.beats << Beat{.summary = u"The lamp fails."_s};
        p.episodes.first().structure.acts << act;
        Screen s(p);
        QVERIFY(s.ready());
        const auto deleteWritten = [&] {
            const QUuid going = s.page()->editorID();
            if (byMenu) {
                QMenu* menu = openMenu(s);
                if (!menu)
                    return false;
                QTest::keyClick(menu, Qt::Key_Up);
                if (!menu->activeAction() || menu->activeAction()->text() != u"Delete element"_s)
                    return false;
                QTest::keyClick(menu, Qt::Key_Return);
                s.view->activateWindow();
                if (!QTest::qWaitForWindowActive(s.view.get()))
                    return false;
            } else {
                // The pointer over the element being written: its controls.
                QTest::mouseMove(s.page(), s.page()->textRect(going).center());
                if (!QTest::qWaitFor([&] { return s.view->hoveredID() == going; }))
                    return false;
                QTest::mouseClick(s.page()->removeButton(), Qt::LeftButton);
            }
            return !findScriptElement(s.session.project(), s.session.activeEpisodeID(), going);
        };
        const auto tab = [](bool forward) {
            QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
        };

        const QUuid cue = s.id(2);
        const QUuid dialogue = s.id(3);
        s.focus(1);
        QVERIFY(deleteWritten());
        QTRY_COMPARE(s.page()->editorID(), cue);
        QVERIFY(s.focused(1));
        tab(true);
        QVERIFY(s.page()->hasTextFocus(dialogue));
        tab(false);
        tab(false);
        QVERIFY(s.focused(0));
        QTest::keyClicks(QApplication::focusWidget(), u"!"_s);
        QCOMPARE(elementsOf(s.session)[0].text, u"INT. HALL \u2014 DAY!"_s);

        // The last element: the one before takes its place.
        s.focus(2);
        QVERIFY(deleteWritten());
        QTRY_COMPARE(s.page()->editorID(), cue);
        QVERIFY(s.focused(1));
        tab(false);
        QVERIFY(s.focused(0));

        while (elementsOf(s.session).size() > 1)
            QVERIFY(deleteWritten());
        QVERIFY(s.focused(0));
        QVERIFY(deleteWritten());
        QVERIFY(elementsOf(s.session).isEmpty());
        QWidget* empty = s.page()->emptyState();
        QTRY_COMPARE(QApplication::focusWidget(), empty);
        QCOMPARE(QAccessible::queryAccessibleInterface(empty)->text(QAccessible::Name), u"Empty script"_s);
        QVERIFY(!s.view->storyDraftButton()->isHidden());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Return, Qt::Key_Space}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
        }
        QVERIFY(elementsOf(s.session).isEmpty());
        QCOMPARE(QApplication::focusWidget(), empty);
        // Shift+Tab goes back to the toolbar, and Tab from there to the
        // empty state's buttons.
        tab(false);
        QCOMPARE(QApplication::focusWidget(), s.view->storyDraftButton());
        tab(true);
        QCOMPARE(QApplication::focusWidget(), s.page()->addHeadingButton());
        QVERIFY(elementsOf(s.session).isEmpty());
    }
};

QTEST_MAIN(ScriptKeyboardTest)
#include "ScriptKeyboardTest.moc"
