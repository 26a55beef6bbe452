// What a screen reader hears as the items a screen paints itself come, go,
// move and are chosen: shot cards added, moved and deleted from their menu,
// clips cut and assembled, script elements spliced in and out. Each item is
// told created or removed at its place, resolving to that item (the removed
// ones while they still can), the keyboard's item is heard again when it
// changed under it, and the Script's live editor and the page agree on
// where it stands.

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
        QCOMPARE(namesOf(page), (QStringList{before[0], u"MARA"_s, u"Hold the light."_s, before[2], before[3]}));
        QCOMPARE(toldOf(page), (QList<Told>{removed(1, u"Rain."_s), created(1, u"MARA"_s),
                                            created(2, u"Hold the light."_s)}));
    }

    // An element's name is the start of its text: it is told again when that
    // reads otherwise, and only then; the element being written, once the
    // editor leaves it.
    void scriptElementNamesAreToldWhenTheyChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("text") << u"text"_s << true;
        QTest::newRow("kind only") << u"kind"_s << false;
        QTest::newRow("past what the name reads") << u"far end"_s << false;
        QTest::newRow("typed, then left") << u"typed"_s << true;
        QTest::newRow("typed, still written") << u"typing"_s << false;
    }

    void scriptElementNamesAreToldWhenTheyChange()
    {
        QFETCH(QString, change);
        QFETCH(bool, renamed);
        Screen s(production({element(ScriptElementKind::action, u"Rain."_s),
                             element(ScriptElementKind::action, u"Wind. "_s.repeated(100)),
                             element(ScriptElementKind::dialogue, u"Go."_s)}));
        QVERIFY(s.ready());
        ScriptPage* page = s.page();
        s.focus(2);
        namesOf(page); // a reader has read every element
        heard().clear();
        const int changed = change.startsWith(u"typ"_s) ? 2 : change == u"far end"_s ? 1 : 0;
        if (change.startsWith(u"typ"_s)) {
            QTest::keyClicks(s.edit(), u" Now."_s);
            if (change == u"typed"_s)
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
        QCOMPARE(renamedOf(page), (renamed ? Renamed{{changed, namesOf(page)[changed]}} : Renamed()));
        QCOMPARE(heardOf(QAccessible::DescriptionChanged).size(), change == u"kind"_s ? 1 : 0);
    }

    // The keyboard moving from one element to another, by every key that
    // does it and by a click: one focus event, on the editor as a new object
    // in the element it stands in now (a reader hears nothing on an object it
    // already has), reading that element's text and caret. A move inside one
    // element is no focus at all.
    void scriptMovesBetweenElementsAreHeard_data()
    {
        QTest::addColumn<int>("from"); // the element written in; -1 a stop before the page, -2 after it
        QTest::addColumn<QString>("keys"); // or "click" on element `to`
        QTest::addColumn<int>("to");     // where it lands, -1 for no move

        QTest::newRow("tab") << 0 << u"Tab"_s << 1;
        QTest::newRow("shift+tab") << 2 << u"Shift+Tab"_s << 1;
        QTest::newRow("down") << 2 << u"Down"_s << 3;
        QTest::newRow("up") << 3 << u"Up"_s << 2;
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
        const QAccessible::Id before = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(s.edit()));
        heard().clear();

        if (keys == u"click"_s) {
            QTest::mouseClick(s.page(), Qt::LeftButton, {}, s.page()->textRect(s.id(to < 0 ? from : to)).center());
        } else {
            const QKeySequence sequence(keys);
            QTest::keySequence(QApplication::focusWidget(), sequence);
        }
        const QList<HeardEvent> focus = heardOf(QAccessible::Focus);
        if (to < 0) {
            QVERIFY(s.focused(from));
            QCOMPARE(focus.size(), 0);
            return;
        }
        QVERIFY(s.focused(to));
        QCOMPARE(focus.size(), 1);
        QAccessibleInterface* heardOn = focus.first().iface;
        QCOMPARE(heardOn, QAccessible::queryAccessibleInterface(s.edit()));
        QVERIFY(!focus.first().name.isEmpty());
        // What the page says holds the keyboard, never the page itself.
        QCOMPARE(QAccessible::queryAccessibleInterface(s.page())->focusChild(), heardOn);
        if (from >= 0)
            QVERIFY(QAccessible::uniqueId(heardOn) != before);
        QAccessibleInterface* element = heardOn->parent();
        while (element && element->role() != QAccessible::Paragraph)
            element = element->parent();
        QVERIFY(element);
        QCOMPARE(QAccessible::queryAccessibleInterface(s.page())->indexOfChild(element), to);
        QAccessibleTextInterface* text = heardOn->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), elementsOf(s.session)[to].text);
        QCOMPARE(text->cursorPosition(), s.edit()->textCursor().position());
    }

    // The live editor's parent holds it among its children, wherever it is:
    // hidden before any element is written, in the element being written,
    // in the one the keyboard goes on to when that element goes, and once
    // the last is gone (the keyboard on the empty state then, heard by its
    // name).
    void scriptEditorAndItsParentAgree()
    {
        Screen s(production({element(ScriptElementKind::action, u"One."_s),
                             element(ScriptElementKind::action, u"Two."_s)}));
        QVERIFY(s.ready());
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(s.page()->editor());
        const auto agree = [editor] {
            QAccessibleInterface* parent = editor->parent();
            return parent && parent->child(parent->indexOfChild(editor)) == editor;
        };
        const auto removeWritten = [&s] {
            const QUuid written = s.page()->editorID();
            s.session.edit([&](Project& p) { p.episodes.first().script.elements.removeIf([&](const ScriptElement& e) {
                return e.id == written;
            }); });
        };
        QVERIFY(agree());
        s.focus(1);
        QVERIFY(agree());
        QCOMPARE(editor->parent()->text(QAccessible::Name), u"Two."_s);
        removeWritten();
        QVERIFY(agree());
        QCOMPARE(editor->parent()->text(QAccessible::Name), u"One."_s);
        QCOMPARE(lastFocus().object, s.edit());
        removeWritten();
        QVERIFY(agree());
        QCOMPARE(lastFocus().object, s.page()->emptyState());
        QCOMPARE(lastFocus().name, u"Empty script"_s);
    }
};

QTEST_MAIN(PaintedItemsHeardTest)
#include "PaintedItemsHeardTest.moc"
