// What a screen reader hears as the items a screen paints itself come, go,
// move and are chosen: shot cards added, moved and deleted from their menu,
// clips cut and assembled, script elements spliced in and out. Each item is
// told created or removed at its place, resolving to that item (the removed
// ones while they still can), the keyboard's item is heard again when it
// changed under it, and a move through the Script's elements is heard as a
// document's paragraphs are.

#include "views/phases/storyboard/StoryboardScreen.h"
#include "views/phases/script/ScriptScreen.h"
#include "support/AssistFixtures.h"
#include "support/ListeningTest.h"

#include "design/widgets/Alert.h"
#include "design/widgets/GhostButton.h"
#include "model/Lookup.h"
#include "state/edits/CutEdits.h"
#include "views/phases/cut/ClipControls.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/TimelineLanes.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotTiles.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// One item told created or removed: where, and what it read then.
struct Told {
    QAccessible::Event type;
    int child;
    QString name;
    friend bool operator==(const Told&, const Told&) = default;
};

Told created(int child, const QString& name)
{
    return {QAccessible::ObjectCreated, child, name};
}

Told removed(int child, const QString& name)
{
    return {QAccessible::ObjectDestroyed, child, name};
}

// The items of `list` told created or removed, in the order told.
QList<Told> toldOf(const QObject* list)
{
    QList<Told> told;
    for (const HeardEvent& e : std::as_const(heard())) {
        if ((e.type == QAccessible::ObjectCreated || e.type == QAccessible::ObjectDestroyed) && e.object == list)
            told.append({e.type, e.child, e.name});
    }
    return told;
}

// The items of `list` told renamed, in the order told: where, and the name
// they read then.
using Renamed = QList<std::pair<int, QString>>;

Renamed renamedOf(QObject* list)
{
    Renamed renamed;
    QAccessibleInterface* listInterface = QAccessible::queryAccessibleInterface(list);
    for (const HeardEvent& e : std::as_const(heard())) {
        if (e.type != QAccessible::NameChanged)
            continue;
        // Told by the list with the item's place, or by the item itself.
        if (e.object == list)
            renamed.append({e.child, e.name});
        else if (!e.object && e.iface->parent() == listInterface)
            renamed.append({listInterface->indexOfChild(e.iface), e.name});
    }
    return renamed;
}

// The items of `list` told chosen (SelectionAdd) or let go (SelectionRemove),
// in the order told: where, and whether each read as chosen then.
using Choices = QList<std::pair<int, bool>>;

Choices choicesOf(const QObject* list, QAccessible::Event type)
{
    Choices told;
    for (const HeardEvent& e : heardOf(type)) {
        if (e.object == list)
            told.append({e.child, e.state.selected});
    }
    return told;
}

// The names of the list's items now, as a reader reads them.
QStringList namesOf(QObject* list)
{
    QStringList names;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    for (int i = 0; i < iface->childCount(); ++i) {
        if (iface->child(i)->role() != QAccessible::ListItem && iface->child(i)->role() != QAccessible::Paragraph)
            break;
        names << iface->child(i)->text(QAccessible::Name);
    }
    return names;
}

// The entry of the focused control's menu, picked from the keyboard: the
// Menu key, the arrows, Return.
void pickFromMenu(QWidget* window, QWidget* owner, const QString& entry)
{
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(window->windowHandle(), &event);
    QMenu* menu = nullptr;
    for (QMenu* m : owner->findChildren<QMenu*>())
        menu = m->isVisible() ? m : menu;
    QVERIFY(menu);
    for (int i = 0; i < menu->actions().size() && (!menu->activeAction() || menu->activeAction()->text() != entry); ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QCOMPARE(menu->activeAction()->text(), entry);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
}

} // namespace

QT_BEGIN_NAMESPACE
namespace QTest {
template <> char* toString(const Told& t)
{
    return qstrdup(QStringLiteral("%1 %2 \"%3\"")
                       .arg(t.type == QAccessible::ObjectCreated ? u"created"_s : u"removed"_s)
                       .arg(t.child)
                       .arg(t.name)
                       .toUtf8()
                       .constData());
}
} // namespace QTest
QT_END_NAMESPACE

class PaintedItemsHeardTest : public ListeningTest {
    Q_OBJECT

private Q_SLOTS:
    // A shot added with its tile, the focused card moved later and then
    // deleted from its menu, and a card chosen with a click.
    void shotCardsThatComeMoveAndGoAreHeard()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(3)};
        StoryboardScreen s(p);
        QVERIFY(QTest::qWaitForWindowActive(&s.view));
        const QList<Shot> shots = s.episode().scenes[0].shots;
        s.view.select({s.episode().scenes[0].id, shots[0].id});
        ShotGrid* grid = s.view.editor()->grid();
        QWidget* list = grid->viewport();
        namesOf(list); // a reader has read every card

        heard().clear();
        grid->tiles()->tile(ShotTile::Kind::add)->click();
        QCOMPARE(toldOf(list), (QList<Told>{created(3, namesOf(list)[3])}));
        QVERIFY(renamedOf(list).isEmpty());
        grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->focusedCard(), 1);

        QStringList before = namesOf(list);
        heard().clear();
        pickFromMenu(&s.view, grid, u"Move later"_s);
        QStringList after = namesOf(list);
        QCOMPARE(toldOf(list), (QList<Told>{removed(2, before[2]), removed(1, before[1]), created(1, after[1]),
                                            created(2, after[2])}));
        QVERIFY(renamedOf(list).isEmpty());
        // The keyboard went with its shot, to a card read anew.
        QCOMPARE(grid->focusedCard(), 2);
        QCOMPARE(lastFocus().object, list);
        QCOMPARE(lastFocus().child, 2);
        QCOMPARE(lastFocus().name, after[2]);

        before = after;
        heard().clear();
        pickFromMenu(&s.view, grid, u"Delete shot"_s);
        QCOMPARE(toldOf(list), (QList<Told>{removed(2, before[2])}));
        // The card after it counts one less now, and says so; those before
        // it read as they did.
        after = namesOf(list);
        QVERIFY(after[2] != before[3]);
        QCOMPARE(renamedOf(list), (Renamed{{2, after[2]}}));
        // The keyboard is heard on the card now in the deleted one's place.
        QVERIFY(grid->hasFocus());
        QCOMPARE(lastFocus().object, list);
        QCOMPARE(lastFocus().child, grid->focusedCard());
        QVERIFY(lastFocus().iface->isValid());
        QCOMPARE(lastFocus().name, grid->card(grid->focusedCard()).spokenText());

        s.view.select({s.episode().scenes[0].id, shots[0].id});
        heard().clear();
        QTest::mouseClick(list, Qt::LeftButton, {}, grid->cardRect(2).center());
        QCOMPARE(heardOf(QAccessible::SelectionRemove).size(), 1);
        QCOMPARE(choicesOf(list, QAccessible::SelectionRemove), (Choices{{0, false}}));
        QCOMPARE(heardOf(QAccessible::SelectionAdd).size(), 1);
        QCOMPARE(choicesOf(list, QAccessible::SelectionAdd), (Choices{{2, true}}));
    }

    // A clip chosen and cut from the keyboard, then the cut assembled anew.
    void clipsCutAndAssembledAreHeard()
    {
        Project p;
        p.episodes.first().scenes = {sceneWithShots(1), sceneWithShots(2)};
        edits::assembleTimeline(p, p.episodes.first().id);
        ProjectSession session(p);
        CutView view(session);
        view.resize(1080, 700);
        view.show();
        QApplication::setActiveWindow(&view);
        QVERIFY(QTest::qWaitForWindowActive(&view));
        TimelineLanes* lanes = view.lanes();
        QStringList before = namesOf(lanes);
        lanes->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lanes, Qt::Key_Right);

        heard().clear();
        QTest::keyClick(lanes, Qt::Key_Space);
        QCOMPARE(heardOf(QAccessible::SelectionAdd).size(), 1);
        QCOMPARE(choicesOf(lanes, QAccessible::SelectionAdd), (Choices{{1, true}}));

        GhostButton* cut = view.clipControls()->cutButton();
        cut->setFocus(Qt::TabFocusReason);
        heard().clear();
        QTest::keyClick(cut, Qt::Key_Space);
        QStringList after = namesOf(lanes);
        QCOMPARE(toldOf(lanes), (QList<Told>{removed(1, before[1])}));
        // Back on the lanes, on the clip now in the cut one's place.
        QCOMPARE(lastFocus().object, lanes);
        QCOMPARE(lastFocus().child, 1);
        QCOMPARE(lastFocus().name, after[1]);
        QVERIFY(renamedOf(lanes).isEmpty());

        // A clip made longer reads its new length.
        heard().clear();
        session.edit([](Project& p) { p.episodes.first().timeline[1].seconds += 2; });
        QCOMPARE(renamedOf(lanes), (Renamed{{1, namesOf(lanes)[1]}}));
        QVERIFY(namesOf(lanes)[1] != after[1]);
        after = namesOf(lanes);

        before = after;
        heard().clear();
        view.assembleButton()->click();
        QVERIFY(view.reassembleAlert());
        view.reassembleAlert()->destructiveButton()->click();
        after = namesOf(lanes);
        QCOMPARE(after.size(), 3);
        QCOMPARE(toldOf(lanes), (QList<Told>{removed(1, before[1]), removed(0, before[0]), created(0, after[0]),
                                             created(1, after[1]), created(2, after[2])}));
    }

    // One edit takes an element out of the script and puts two in its place:
    // each is told at its index, as the element it is.
    void scriptElementsSplicedAreHeard()
    {
        Screen s(production({element(ScriptElementKind::sceneHeading, u"EXT. HARBOR — NIGHT"_s),
                             element(ScriptElementKind::action, u"Rain."_s),
                             element(ScriptElementKind::action, u"Wind."_s),
                             element(ScriptElementKind::transition, u"CUT TO:"_s)}));
        QVERIFY(s.ready());
        ScriptPage* page = s.page();
        const QStringList before = namesOf(page);
        heard().clear();
        s.session.edit([](Project& p) {
            QList<ScriptElement>& elements = p.episodes.first().script.elements;
            elements.removeAt(1);
            elements.insert(1, element(ScriptElementKind::character, u"MARA"_s));
            elements.insert(2, element(ScriptElementKind::dialogue, u"Hold the light."_s));
        });
        QCOMPARE(namesOf(page), (QStringList{before[0], u"Character"_s, u"Dialogue"_s, before[2], before[3]}));
        QCOMPARE(toldOf(page), (QList<Told>{removed(1, u"Action"_s), created(1, u"Character"_s),
                                            created(2, u"Dialogue"_s)}));
    }

    // An element's name is its kind: it is told again when the kind changes,
    // the element being written's too, and never as the text changes.
    void scriptElementNamesAreToldWhenTheyChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("text") << u"text"_s << 0 << false;
        QTest::newRow("kind") << u"kind"_s << 0 << true;
        QTest::newRow("kind of the element written") << u"kind"_s << 2 << true;
        QTest::newRow("typed") << u"typed"_s << 2 << false;
    }

    void scriptElementNamesAreToldWhenTheyChange()
    {
        QFETCH(QString, change);
        QFETCH(int, changed);
        QFETCH(bool, renamed);
        Screen s(production({element(ScriptElementKind::action, u"Rain."_s),
                             element(ScriptElementKind::action, u"Wind."_s),
                             element(ScriptElementKind::dialogue, u"Go."_s)}));
        QVERIFY(s.ready());
        ScriptPage* page = s.page();
        s.focus(2);
        namesOf(page); // a reader has read every element
        heard().clear();
        if (change == u"typed"_s) {
            QTest::keyClicks(s.edit(), u" Now."_s);
            s.focus(0);
        } else {
            s.session.edit([&](Project& p) {
                ScriptElement& e = p.episodes.first().script.elements[changed];
                if (change == u"kind"_s)
                    e.kind = ScriptElementKind::character;
                else
                    e.text += u"More."_s;
            });
        }
        QCOMPARE(renamedOf(page), (renamed ? Renamed{{changed, u"Character"_s}} : Renamed()));
    }

    // The keyboard moving from one element to another, by every key that
    // does it and by a click, is heard as one focus event on the element it
    // lands in, that element's text and caret in place, and nothing else:
    // no text or caret event before it (a reader would take the element in
    // silently), none after it (it would read the line again), no change of
    // text for a text that only moved into the editor. The element reads as
    // what it is: named by its kind, editable, not read-only. A move inside
    // one element is no focus at all, but the element's own caret event.
    void scriptMovesBetweenElementsAreHeard_data()
    {
        QTest::addColumn<int>("from"); // the element written in; -1 a stop before the page, -2 after it
        QTest::addColumn<QString>("keys"); // or "click" on element `to`
        QTest::addColumn<int>("to");     // where it lands, -1 for no move

        QTest::newRow("tab") << 0 << u"Tab"_s << 1;
        QTest::newRow("shift+tab") << 2 << u"Shift+Tab"_s << 1;
        QTest::newRow("down") << 2 << u"Down"_s << 3;
        QTest::newRow("up") << 3 << u"Up"_s << 2;
        QTest::newRow("down into a long element") << 0 << u"Down"_s << 1;
        QTest::newRow("up into a long element") << 2 << u"Up"_s << 1;
        QTest::newRow("page down") << 0 << u"PgDown"_s << 3;
        QTest::newRow("ctrl+end") << 1 << u"Ctrl+End"_s << 3;
        QTest::newRow("ctrl+home") << 3 << u"Ctrl+Home"_s << 0;
        QTest::newRow("click") << 0 << u"click"_s << 2;
        QTest::newRow("tab into the page") << -1 << u"Tab"_s << 0;
        QTest::newRow("shift+tab into the page") << -2 << u"Shift+Tab"_s << 3;
        QTest::newRow("click into the page") << -1 << u"click"_s << 2;
        QTest::newRow("down inside an element") << 1 << u"Down"_s << -1;
        QTest::newRow("end inside an element") << 1 << u"End"_s << -1;
        QTest::newRow("click inside an element") << 1 << u"click"_s << -1;
    }

    void scriptMovesBetweenElementsAreHeard()
    {
        QFETCH(int, from);
        QFETCH(QString, keys);
        QFETCH(int, to);
        Screen s(production({element(ScriptElementKind::sceneHeading, u"EXT. HARBOR — NIGHT"_s),
                             element(ScriptElementKind::action,
                                     u"The lamp turns above the harbor, slow and patient, throwing its beam across "
                                     u"the black water and the boats that lie there, and over the roofs of the town."_s),
                             element(ScriptElementKind::character, u"EDA"_s),
                             element(ScriptElementKind::dialogue, u"Log it."_s)}));
        QVERIFY(s.ready());
        s.focus(from < 0 ? 1 : from);
        if (from == -1) {
            s.view->kindButtons().last()->setFocus(Qt::TabFocusReason);
        } else if (from == -2) {
            auto* after = new QPushButton(u"After"_s, s.view.get());
            s.view->layout()->addWidget(after);
            after->show();
            after->setFocus(Qt::TabFocusReason);
        } else {
            s.edit()->moveCursor(QTextCursor::Start);
        }
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(s.page());
        heard().clear();

        if (keys == u"click"_s) {
            QTest::mouseClick(s.page(), Qt::LeftButton, {}, s.page()->textRect(s.id(to < 0 ? from : to)).center());
        } else {
            const QKeySequence sequence(keys);
            QTest::keySequence(QApplication::focusWidget(), sequence);
        }
        QList<HeardEvent> told;
        for (const HeardEvent& e : std::as_const(heard())) {
            if (e.type == QAccessible::Focus || e.type == QAccessible::TextCaretMoved
                || e.type == QAccessible::TextInserted || e.type == QAccessible::TextRemoved
                || e.type == QAccessible::TextUpdated)
                told << e;
        }
        if (to < 0) {
            QVERIFY(s.focused(from));
            QCOMPARE(told.size(), 1);
            QCOMPARE(told.first().type, QAccessible::TextCaretMoved);
            QCOMPARE(told.first().iface, page->child(from));
            return;
        }
        QVERIFY(s.focused(to));
        QCOMPARE(told.size(), 1);
        const HeardEvent& focus = told.first();
        QCOMPARE(focus.type, QAccessible::Focus);
        QAccessibleInterface* element = page->child(to);
        QCOMPARE(focus.iface, element);
        QCOMPARE(page->focusChild(), element);
        QCOMPARE(focus.role, QAccessible::Paragraph);
        QCOMPARE(focus.name, ScriptElementRow::style(elementsOf(s.session)[to].kind).label);
        QVERIFY(focus.state.focused && focus.state.editable && !focus.state.readOnly);
        QAccessibleTextInterface* text = element->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), elementsOf(s.session)[to].text);
        QCOMPARE(text->cursorPosition(), s.edit()->textCursor().position());
    }

    // The live editor is a part of the page wherever it stands, with nothing
    // of its own to read (the element it stands in reads its text): before
    // any element is written, in the element being written, in the one the
    // keyboard goes on to when that element goes, and once the last is gone
    // (the keyboard on the empty state then, heard by its name).
    void scriptEditorIsAPartOfThePage()
    {
        Screen s(production({element(ScriptElementKind::action, u"One."_s),
                             element(ScriptElementKind::dialogue, u"Two."_s)}));
        QVERIFY(s.ready());
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(s.page());
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(s.page()->editor());
        const auto apart = [&] {
            return editor->parent() == page && page->child(page->indexOfChild(editor)) == editor
                && editor->childCount() == 0 && !editor->textInterface() && editor->text(QAccessible::Name).isEmpty();
        };
        const auto removeWritten = [&s] {
            const QUuid written = s.page()->editorID();
            s.session.edit([&](Project& p) { p.episodes.first().script.elements.removeIf([&](const ScriptElement& e) {
                return e.id == written;
            }); });
        };
        QVERIFY(apart());
        s.focus(1);
        QVERIFY(apart());
        removeWritten();
        QVERIFY(apart());
        QCOMPARE(lastFocus().iface, page->child(0));
        QCOMPARE(lastFocus().name, u"Action"_s);
        removeWritten();
        QVERIFY(apart());
        QCOMPARE(lastFocus().object, s.page()->emptyState());
        QCOMPARE(lastFocus().name, u"Empty script"_s);
    }
};

QTEST_MAIN(PaintedItemsHeardTest)
#include "PaintedItemsHeardTest.moc"
