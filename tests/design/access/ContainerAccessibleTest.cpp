// Qt's containers as a reader asks them: a child that is not there is
// nothing, whatever the index; the children that are there read as Qt reads
// them, each with its container as its parent. A menu's items are named by
// their words and tell their shortcuts as toolkits tell them; a pull-down
// reads as a menu button.

#include "design/DesignSystem.h"
#include "design/widgets/MenuButton.h"

#include <QAccessible>
#include <QApplication>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <climits>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Built {
    std::unique_ptr<QWidget> window;
    QWidget* container = nullptr;
    // The object the first child stands for.
    QObject* first = nullptr;
};

using Build = std::function<Built()>;

// Its content too large for it: both bars show, and the corner between them.
Built scrollArea()
{
    Built b;
    auto* area = new QScrollArea;
    b.window.reset(area);
    auto* inside = new QWidget;
    inside->setMinimumSize(900, 900);
    new QPushButton(u"Inside"_s, inside);
    area->setWidget(inside);
    area->setCornerWidget(new QLabel(u"corner"_s));
    area->resize(300, 200);
    b.container = area;
    b.first = area->viewport();
    return b;
}

Built mainWindow()
{
    Built b;
    auto* window = new QMainWindow;
    b.window.reset(window);
    window->menuBar()->addMenu(u"&File"_s)->addAction(u"Quit"_s);
    window->setCentralWidget(new QLabel(u"centre"_s));
    window->resize(300, 200);
    b.container = window;
    return b;
}

Built menu()
{
    Built b = mainWindow();
    QMenu* file = b.window->findChild<QMenuBar*>()->actions().first()->menu();
    file->addAction(u"Open"_s);
    b.container = file;
    b.first = file->actions().first();
    return b;
}

Built menuBar()
{
    Built b = mainWindow();
    auto* bar = b.window->findChild<QMenuBar*>();
    b.container = bar;
    b.first = bar->actions().first();
    return b;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class ContainerAccessibleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { studio::DesignSystem::install(*qApp); }

    void childrenThatAreNotThereAreNothing_data()
    {
        QTest::addColumn<Build>("build");
        // (A plain scroll area and the main window are asked as much by the
        // sweep over every screen, AccessibilitySweepTest.)
        QTest::newRow("scroll area with bars and a corner") << Build(scrollArea);
        QTest::newRow("menu") << Build(menu);
        QTest::newRow("menu bar") << Build(menuBar);
    }

    void childrenThatAreNotThereAreNothing()
    {
        QFETCH(Build, build);
        Built built = build();
        built.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(built.window.get()));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(built.container);
        QVERIFY(iface && iface->isValid());
        QCOMPARE(QAccessible::queryAccessibleInterface(built.container), iface);

        const int count = iface->childCount();
        QVERIFY(count > 0);
        for (int index : {-1, count, count + 1, 1'000'000'000, INT_MAX, INT_MIN})
            QVERIFY2(!iface->child(index), qPrintable(u"child "_s + QString::number(index)));
        QLabel stranger(u"stranger"_s);
        QCOMPARE(iface->indexOfChild(nullptr), -1);
        QCOMPARE(iface->indexOfChild(QAccessible::queryAccessibleInterface(&stranger)), -1);
        QCOMPARE(iface->indexOfChild(iface), -1);
        QVERIFY(!iface->childAt(-100000, -100000));

        // The children there are read as Qt reads them, and lead back here.
        if (built.first)
            QCOMPARE(iface->child(0)->object(), built.first);
        for (int i = 0; i < count; ++i) {
            QAccessibleInterface* child = iface->child(i);
            QVERIFY(child);
            QCOMPARE(iface->indexOfChild(child), i);
            QCOMPARE(child->parent(), iface);
        }
    }

    void barsThatShowAreChildren()
    {
        Built built = scrollArea();
        built.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(built.window.get()));
        auto* area = static_cast<QScrollArea*>(built.container);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(area);
        QTRY_VERIFY(area->verticalScrollBar()->isVisible());
        QCOMPARE(iface->childCount(), 4); // the viewport, two bars, the corner
        QCOMPARE(iface->child(2)->object(), area->verticalScrollBar()->parentWidget());
        const QRect bar = area->verticalScrollBar()->rect().translated(area->verticalScrollBar()->mapToGlobal(QPoint()));
        QCOMPARE(iface->childAt(bar.center().x(), bar.center().y()), iface->child(2));

        // A list that shrinks takes its bar away: a reader that still counts
        // it asks for a child that is gone.
        area->widget()->setMinimumSize(10, 10);
        area->widget()->resize(10, 10);
        QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
        const int count = iface->childCount();
        QVERIFY(count < 4);
        QVERIFY(!iface->child(count));
        QVERIFY(!iface->child(3));
    }

    void menusReadAsQtReadsThem()
    {
        Built built = menu();
        auto* file = static_cast<QMenu*>(built.container);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(file);
        QCOMPARE(iface->role(), QAccessible::PopupMenu);
        QAccessibleInterface* item = iface->child(1);
        QCOMPARE(item->role(), QAccessible::MenuItem);
        QCOMPARE(item->text(QAccessible::Name), u"Open"_s);
        QVERIFY(item->actionInterface());

        // The menu goes with its interfaces in use.
        QPointer<QMenu> gone = file;
        delete file;
        QVERIFY(!gone);
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(built.window->findChild<QMenuBar*>());
        QCOMPARE(bar->childCount(), 0);
        QVERIFY(!bar->child(0));
    }

    void menuItemsTellTheirShortcuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("binding");
        QTest::newRow("the action's shortcut") << u"Dream · Spark"_s << QKeySequence(Qt::CTRL | Qt::Key_1)
                                               << u"Dream · Spark"_s << u"Ctrl+1"_s
                                               << QStringList{QString(), QString(), u"Ctrl+1"_s};
        QTest::newRow("after a tab, with a mnemonic") << u"Cu&t\tCtrl+X"_s << QKeySequence() << u"Cut"_s << u"Ctrl+X"_s
                                                      << QStringList{u"t"_s, QString(), u"Ctrl+X"_s};
        QTest::newRow("an ampersand shown") << u"Sound && Music"_s << QKeySequence() << u"Sound & Music"_s << QString()
                                            << QStringList{};
    }

    // Named by the words before the tab, the shortcut in its own text and in
    // the binding's last part, where a reader looks for it.
    void menuItemsTellTheirShortcuts()
    {
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QStringList, binding);
        Built built = menu();
        auto* menu = static_cast<QMenu*>(built.container);
        menu->clear();
        QAction* action = menu->addAction(text);
        action->setShortcut(shortcut);
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(menu)->child(0);
        QCOMPARE(item->object(), action);
        QCOMPARE(item->text(QAccessible::Name), name);
        QCOMPARE(item->text(QAccessible::Accelerator), keys);
        const QStringList actions = item->actionInterface()->actionNames();
        QCOMPARE(actions, QStringList{QAccessibleActionInterface::pressAction()});
        QCOMPARE(item->actionInterface()->keyBindingsForAction(actions.first()), binding);
    }

    // A text field's own menu, as Qt builds it: no item's name holds its
    // shortcut.
    void aTextFieldsMenuNamesItsItemsByTheirWords()
    {
        QLineEdit field(u"The Last Lighthouse"_s);
        field.selectAll();
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu.get());
        QStringList names;
        QString cut;
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* item = iface->child(i);
            names << item->text(QAccessible::Name);
            if (item->text(QAccessible::Name) == u"Cut")
                cut = item->text(QAccessible::Accelerator);
        }
        QVERIFY2(names.filter(u"\t"_s).isEmpty(), qPrintable(names.join(u" | "_s)));
        QCOMPARE(cut, QKeySequence(QKeySequence::Cut).toString(QKeySequence::NativeText));
    }

    // A pull-down says it drops a menu, and whether it is down.
    void pullDownsReadAsMenuButtons()
    {
        studio::MenuButton button(u"Assist"_s);
        button.menu()->addAction(u"Draft a logline"_s);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(iface->role(), QAccessible::ButtonMenu);
        QAccessible::State s = iface->state();
        QVERIFY(s.hasPopup && s.expandable && s.collapsed && !s.expanded);
        button.openMenu();
        QTRY_VERIFY(button.menu()->isVisible());
        s = iface->state();
        QVERIFY(s.expanded && !s.collapsed);
        button.menu()->hide();
    }
};

QTEST_MAIN(ContainerAccessibleTest)
#include "ContainerAccessibleTest.moc"
