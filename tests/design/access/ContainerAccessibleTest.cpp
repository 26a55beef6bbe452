// Qt's containers as a reader asks them: a child that is not there is
// nothing, whatever the index; the children that are there read as Qt reads
// them, each with its container as its parent.

#include "design/DesignSystem.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
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
};

QTEST_MAIN(ContainerAccessibleTest)
#include "ContainerAccessibleTest.moc"
