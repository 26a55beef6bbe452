// Pull-down buttons and destructive menu entries.

#include "design/DestructiveAction.h"
#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/Theme.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
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

} // namespace

class MenusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Theme::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

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
};

QTEST_MAIN(MenusTest)
#include "MenusTest.moc"
