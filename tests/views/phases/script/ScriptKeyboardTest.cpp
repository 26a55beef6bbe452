// The Script screen without a pointer: Tab through the toolbar into the page
// and from element to element, the element's menu on the Menu key, and what
// assistive technology reads of the painted script, element by element.

#include "design/GhostButton.h"
#include "design/PrimaryButton.h"
#include "design/Theme.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptScreen.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {
using K = ScriptElementKind;
} // namespace

class ScriptKeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }

    void paintedElementsAreReadable()
    {
        // Assistive technology reads every element of the script, in script
        // order, however long: its text as its name and through its text,
        // its kind as its description. The element being written holds the
        // live editor, named by its kind.
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
                const QString name = child->text(QAccessible::Name);
                if (!text || text->text(0, text->characterCount()) != name)
                    out << u"(unreadable)"_s;
                out << child->text(QAccessible::Description) + u": "_s + name;
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
        QCOMPARE(line->childCount(), 1);
        QCOMPARE(line->child(0)->object(), s.page()->editor());
        QCOMPARE(line->child(0)->text(QAccessible::Name), u"Dialogue"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(s.edit())->text(QAccessible::Name), u"Dialogue"_s);
        s.focus(1);
        QCOMPARE(page->child(2)->childCount(), 0);

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
            const QRect area = s.edit()->cursorRect();
            caret = s.edit()->viewport()->mapToGlobal(area.bottomLeft());
            QContextMenuEvent event(QContextMenuEvent::Keyboard, area.center(),
                                    s.edit()->viewport()->mapToGlobal(area.center()));
            QApplication::sendEvent(s.edit(), &event);
            return qobject_cast<QMenu*>(QApplication::activePopupWidget());
        };
        // An entry picked with the keyboard; the window takes the keyboard
        // back from the menu (as a window manager gives it back).
        const auto pick = [&](QMenu* menu, const QString& text) {
            for (QAction* action : menu->actions()) {
                if (action->text() == text) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    s.view->activateWindow();
                    return QTest::qWaitForWindowActive(s.view.get());
                }
            }
            return false;
        };

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

        // Deleted: the focus goes on to the element now in its place, and
        // with the last one gone to the empty state.
        menu = menuKey(1);
        QVERIFY(menu);
        QVERIFY(pick(menu, u"Delete element"_s));
        QCOMPARE(elementsOf(s.session).size(), 2);
        QVERIFY(findScriptElement(s.session.project(), s.session.activeEpisodeID(), line) == nullptr);
        QTRY_VERIFY(s.focused(1));
        for (int last = 1; last >= 0; --last) {
            menu = menuKey(last);
            QVERIFY(menu);
            QVERIFY(pick(menu, u"Delete element"_s));
        }
        QVERIFY(elementsOf(s.session).isEmpty());
        QTRY_VERIFY(s.page()->addHeadingButton()->hasFocus());
        // The empty page's buttons follow the kind buttons.
        QTest::keyClick(s.page()->addHeadingButton(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), s.view->kindButtons().last());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(s.page()->addHeadingButton()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.page()->aiDraftButton());
    }
};

QTEST_MAIN(ScriptKeyboardTest)
#include "ScriptKeyboardTest.moc"
