// Pull-down buttons, destructive menu entries and the mnemonic underlines of
// the menu bar.

#include "design/widgets/DestructiveAction.h"
#include "design/widgets/MenuButton.h"
#include "design/style/MnemonicStyle.h"
#include "design/style/Palette.h"
#include "design/DesignSystem.h"
#include "support/Listening.h"
#include "support/Screenshots.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {
// How many pixels of the image are close to the colour (text antialiasing
// blends the edges, the stems keep it).
int pixelsNear(const QImage& image, const QColor& colour, int tolerance = 24)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance
                && std::abs(c.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

QImage grabbed(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget->render(&image);
    return image;
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

MnemonicStyle* applicationStyle()
{
    // The style sheet's style wraps the application style.
    QStyle* style = QApplication::style();
    if (auto* mnemonic = qobject_cast<MnemonicStyle*>(style))
        return mnemonic;
    return style->findChild<MnemonicStyle*>();
}
} // namespace

class MenusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance()));
    }

    void opensUnderItselfWithEntriesBuiltJustBefore()
    {
        QWidget window;
        auto* button = new MenuButton(u"Ep 1"_s, &window);
        button->move(40, 30);
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The caller's production changes between two openings; each opening
        // shows the entries as they are at that moment.
        QStringList episodes{u"Ep 1"_s};
        QStringList chosen;
        int builds = 0;
        connect(button, &MenuButton::aboutToOpen, button, [&] {
            ++builds;
            QVERIFY(!button->menu()->isVisible());
            button->menu()->clear();
            for (const QString& episode : episodes)
                connect(button->menu()->addAction(episode), &QAction::triggered, button,
                        [&chosen, episode] { chosen << episode; });
        });

        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(button->menu()->isVisible());
        QCOMPARE(builds, 1);
        QCOMPARE(button->menu()->actions().size(), 1);
        const QPoint under = button->mapToGlobal(QPoint(0, button->height()));
        QCOMPARE(button->menu()->geometry().left(), under.x());
        QVERIFY(button->menu()->geometry().top() >= under.y());
        button->menu()->hide();

        episodes << u"Ep 2"_s;
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(button->menu()->isVisible());
        QCOMPARE(builds, 2);
        QCOMPARE(button->menu()->actions().size(), 2);
        button->menu()->actions().last()->trigger();
        QCOMPARE(chosen, QStringList{u"Ep 2"_s});
        button->menu()->hide();
    }

    // A pull-down's menu, a window of its own, stands in its window's tree
    // for a reader as a menu of the menu bar does: each step up from it is a
    // child of the next, up to the window.
    void openMenusAreInTheirWindowsTree()
    {
        QMainWindow window;
        QMenu* file = window.menuBar()->addMenu(u"&File"_s);
        file->addAction(u"New"_s);
        auto* button = new MenuButton(u"Explore"_s);
        button->menu()->addAction(u"The Lighthouse"_s);
        window.setCentralWidget(button);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        button->openMenu();
        QTRY_VERIFY(button->menu()->isVisible());
        for (QMenu* menu : {file, button->menu()}) {
            QAccessibleInterface* at = QAccessible::queryAccessibleInterface(menu);
            for (int steps = 0; at && at->object() != &window && steps < 10; ++steps) {
                QAccessibleInterface* up = at->parent();
                QVERIFY(up);
                // A reader walks the children by count: the index is one of them.
                const int index = up->indexOfChild(at);
                QVERIFY2(index >= 0 && index < up->childCount(),
                         qPrintable(u"child %1 of %2"_s.arg(index).arg(up->childCount())));
                QCOMPARE(up->child(index), at);
                at = up;
            }
            QCOMPARE(at->object(), &window);
        }
        button->menu()->hide();
    }

    void destructiveEntryReadsInTheDangerColourAndActs()
    {
        QMenu menu;
        QAction* open = menu.addAction(u"Open"_s);
        QAction* remove = addDestructiveAction(&menu, u"Delete scene"_s);
        QVERIFY(isDestructive(remove));
        QVERIFY(!isDestructive(open));
        QSignalSpy triggered(remove, &QAction::triggered);
        menu.popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        test::writeScreenshot(&menu, u"design-menu-destructive"_s);

        const QImage image = grabbed(&menu);
        const QRect openRect = menu.actionGeometry(open);
        const QRect removeRect = menu.actionGeometry(remove);
        QVERIFY(pixelsNear(image.copy(removeRect), Palette::danger()) > 10);
        QCOMPARE(pixelsNear(image.copy(openRect), Palette::danger()), 0);
        QVERIFY(pixelsNear(image.copy(openRect), Palette::textPrimary()) > 10);

        // The menu's keys and pointer reach it like any entry.
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Down);
        QCOMPARE(menu.activeAction(), remove);
        QTest::keyClick(&menu, Qt::Key_Return);
        QCOMPARE(triggered.size(), 1);
        QVERIFY(!menu.isVisible());

        menu.popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QWidget* face = menu.childAt(removeRect.center());
        QVERIFY(face);
        const QPoint inFace = face->mapFrom(&menu, removeRect.center());
        QTest::mouseMove(face, inFace);
        QCOMPARE(menu.activeAction(), remove);
        QTest::mouseClick(face, Qt::LeftButton, {}, inFace);
        QCOMPARE(triggered.size(), 2);
        QVERIFY(!menu.isVisible());
    }

    void underlinesShowOnlyWhileAltIsHeld()
    {
        MnemonicStyle* style = applicationStyle();
        QVERIFY(style);
        QMainWindow window;
        window.menuBar()->addMenu(u"&File"_s);
        window.menuBar()->addMenu(u"&Help"_s);
        window.resize(300, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenuBar* bar = window.menuBar();
        const QImage plain = grabbed(bar);
        QVERIFY(!bar->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, bar));
        PaintCounter counter;
        bar->installEventFilter(&counter);

        QTest::keyPress(&window, Qt::Key_Alt);
        QVERIFY(style->altHeld());
        QTRY_VERIFY(counter.paints > 0); // the bar repaints by itself
        QVERIFY(bar->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, bar));
        QVERIFY(grabbed(bar) != plain);

        // Keys typed with Alt keep it; its release or a key without it ends it.
        QKeyEvent withAlt(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier);
        QApplication::sendEvent(&window, &withAlt);
        QVERIFY(style->altHeld());
        QTest::keyRelease(&window, Qt::Key_Alt);
        QVERIFY(!style->altHeld());
        QCOMPARE(grabbed(bar), plain);

        QTest::keyPress(&window, Qt::Key_Alt);
        QTest::keyClick(&window, Qt::Key_X);
        QVERIFY(!style->altHeld());
        // Leaving the program while Alt is down (its release goes elsewhere).
        QTest::keyPress(&window, Qt::Key_Alt);
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!style->altHeld());
    }
};

QTEST_MAIN(MenusTest)
#include "MenusTest.moc"
