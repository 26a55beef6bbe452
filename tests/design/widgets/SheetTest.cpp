// A sheet belongs to the window that presents it: drawn inside it, over the
// view that presents it and below the bars above that view, in the same place
// every time, whatever the window system does with windows; modal to that
// window; taking the keyboard and giving it back; heard as a dialog.

#include "design/DesignSystem.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SheetDialog.h"
#include "support/Listening.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A sheet of two buttons; its content gives the first the keyboard as it is
// built.
class TwoButtonSheet : public SheetDialog {
public:
    explicit TwoButtonSheet(QWidget* presenter, int height = 240)
        : SheetDialog(presenter, QSize(360, height))
        , first(new PrimaryButton(u"First"_s, false, this))
        , last(new PrimaryButton(u"Last"_s, false, this))
    {
        setWindowTitle(u"A question"_s);
        contentLayout()->addWidget(first);
        contentLayout()->addWidget(last);
        first->setFocus(Qt::OtherFocusReason);
    }
    PrimaryButton* first;
    PrimaryButton* last;
};

// A window with a menu bar, a strip and, under it, the view that presents
// sheets: a field, and the button that opens them.
struct Host {
    QMainWindow window;
    QWidget* strip = new QWidget;
    PrimaryButton* stripButton = new PrimaryButton(u"Strip"_s, false, strip);
    QWidget* view = new QWidget;
    QLineEdit* field = new QLineEdit(view);
    PrimaryButton* opener = new PrimaryButton(u"Open"_s, false, view);
    QAction* command = new QAction(u"New Tab"_s, &window);
    QSignalSpy commanded{command, &QAction::triggered};
    QSignalSpy openerPressed{opener, &QAbstractButton::clicked};

    Host()
    {
        command->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
        command->setShortcutContext(Qt::ApplicationShortcut);
        window.menuBar()->addMenu(u"&File"_s)->addAction(command);
        auto* central = new QWidget;
        auto* column = new QVBoxLayout(central);
        column->setContentsMargins(0, 0, 0, 0);
        strip->setFixedHeight(90);
        column->addWidget(strip);
        (new QVBoxLayout(view))->addWidget(field);
        view->layout()->addWidget(opener);
        column->addWidget(view, 1);
        window.setCentralWidget(central);
        window.resize(900, 640);
    }
    bool show()
    {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        opener->setFocus(Qt::TabFocusReason);
        return opener->hasFocus();
    }
    // Where the sheet stands in the window.
    QRect placed(const QWidget* sheet) const { return QRect(sheet->mapTo(&window, QPoint()), sheet->size()); }
    int viewTop() const { return view->mapTo(&window, QPoint()).y(); }
};

} // namespace

class SheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
    }

    // Drawn inside the window, centred across it, below the strip over the
    // view; the same place at every opening and after the window was
    // resized and resized back.
    void standsInItsWindowInTheSamePlaceEveryTime()
    {
        Host host;
        QVERIFY(host.show());
        QList<QRect> places;
        for (int i = 0; i < 5; ++i) {
            QPointer<TwoButtonSheet> sheet = new TwoButtonSheet(host.view);
            sheet->present();
            QVERIFY(sheet->isVisible());
            QVERIFY(!sheet->isWindow());
            QCOMPARE(sheet->window(), &host.window);
            places.append(host.placed(sheet));
            if (i == 2) {
                host.window.resize(1000, 700);
                host.window.resize(900, 640);
                QTRY_COMPARE(host.placed(sheet), places.first());
            }
            sheet->reject();
            QTRY_VERIFY(!sheet);
        }
        for (const QRect& place : std::as_const(places))
            QCOMPARE(place, places.first());
        const QRect first = places.first();
        QVERIFY(host.window.rect().contains(first));
        QVERIFY(first.top() >= host.viewTop());
        QVERIFY(std::abs(first.center().x() - host.window.rect().center().x()) <= 1);
    }

    // In a window too low for it, no taller than the view: never over the
    // strip.
    void growsNoTallerThanTheView()
    {
        Host host;
        QVERIFY(host.show());
        auto* sheet = new TwoButtonSheet(host.view, 900);
        sheet->present();
        const QRect placed = host.placed(sheet);
        QCOMPARE(placed.top(), host.viewTop());
        QCOMPARE(placed.bottom(), host.window.rect().bottom());
        sheet->reject();
    }

    // Presented by a view that has only just come on screen (a command that
    // first brings another tab's screen up), before the window has laid that
    // view out: the sheet stands where it stands over the view laid out.
    void followsAViewLaidOutAfterIt()
    {
        Host host;
        QVERIFY(host.show());
        auto* next = new QWidget;
        static_cast<QVBoxLayout*>(host.window.centralWidget()->layout())->addWidget(next, 1);
        next->show();
        host.view->hide();
        QPointer<TwoButtonSheet> early = new TwoButtonSheet(next);
        early->present();
        QTRY_COMPARE(next->y(), host.view->y());
        const QRect placedEarly = host.placed(early);
        early->reject();
        auto* late = new TwoButtonSheet(next);
        late->present();
        QCOMPARE(placedEarly, host.placed(late));
        late->reject();
    }

    // While it is up nothing else in the window takes a click, a key, a
    // shortcut or a menu; closed, everything answers again.
    void nothingElseInTheWindowAnswers_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("a click") << u"click"_s;
        QTest::newRow("a key") << u"key"_s;
        QTest::newRow("a shortcut") << u"shortcut"_s;
        QTest::newRow("a menu") << u"menu"_s;
    }
    void nothingElseInTheWindowAnswers()
    {
        QFETCH(QString, input);
        Host host;
        QVERIFY(host.show());
        const auto send = [&] {
            if (input == u"click"_s)
                QTest::mouseClick(host.opener, Qt::LeftButton);
            else if (input == u"key"_s)
                QTest::keyClicks(host.field, u"x"_s);
            else if (input == u"shortcut"_s)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
            else
                QTest::mouseClick(host.window.menuBar(), Qt::LeftButton, {},
                                  host.window.menuBar()->actionGeometry(host.window.menuBar()->actions().first()).center());
        };
        const auto answered = [&] {
            return host.openerPressed.size() + host.commanded.size() + int(!host.field->text().isEmpty())
                + int(QApplication::activePopupWidget() != nullptr);
        };
        QPointer<TwoButtonSheet> sheet = new TwoButtonSheet(host.view);
        sheet->present();
        send();
        QCOMPARE(answered(), 0);
        QVERIFY(sheet->isVisible());
        QVERIFY(sheet->isAncestorOf(QApplication::focusWidget()));
        sheet->reject();
        QTRY_VERIFY(!sheet);
        send();
        QTRY_COMPARE(answered(), 1);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    // It opens with the keyboard on the control its content chose; Tab and
    // Shift+Tab go round its controls and never leave it; as it closes the
    // keyboard goes back to the control that opened it, which keeps it
    // disabled meanwhile, and rests where Return presses nothing when that
    // control was hidden meanwhile.
    void takesTheKeyboardAndGivesItBack_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closing");
        QTest::newRow("Esc") << u"as it was"_s << u"esc"_s;
        QTest::newRow("a button") << u"as it was"_s << u"button"_s;
        QTest::newRow("opener disabled meanwhile") << u"disabled"_s << u"esc"_s;
        QTest::newRow("opener hidden meanwhile") << u"hidden"_s << u"esc"_s;
    }
    void takesTheKeyboardAndGivesItBack()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closing);
        Host host;
        QVERIFY(host.show());
        QPointer<TwoButtonSheet> sheet = new TwoButtonSheet(host.view);
        QObject::connect(sheet->last, &QAbstractButton::clicked, sheet, &SheetDialog::accept);
        sheet->present();
        QCOMPARE(QApplication::focusWidget(), sheet->first);
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(sheet->isAncestorOf(QApplication::focusWidget()));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), sheet->first);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), sheet->last);

        if (opener == u"disabled"_s)
            host.opener->setEnabled(false);
        else if (opener == u"hidden"_s)
            host.opener->hide();
        if (closing == u"esc"_s)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!sheet);
        if (opener == u"hidden"_s) {
            QVERIFY(QApplication::focusWidget());
            QVERIFY(host.view->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == host.view);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(host.openerPressed.size(), 0);
        } else {
            QCOMPARE(QApplication::focusWidget(), host.opener);
        }
        QCOMPARE(test::lastFocus().object, QApplication::focusWidget());
    }

    // A sheet over a sheet: the one below takes nothing until the one on top
    // closes, and then has its keyboard back where it was.
    void aSheetOverASheet()
    {
        Host host;
        QVERIFY(host.show());
        QPointer<TwoButtonSheet> below = new TwoButtonSheet(host.view);
        below->present();
        below->last->setFocus(Qt::TabFocusReason);
        QPointer<TwoButtonSheet> above = new TwoButtonSheet(host.view, 120);
        QSignalSpy belowPressed(below->first, &QAbstractButton::clicked);
        above->present();
        QCOMPARE(QApplication::focusWidget(), above->first);
        QTest::mouseClick(below->first, Qt::LeftButton);
        QCOMPARE(belowPressed.size(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!above);
        QCOMPARE(QApplication::focusWidget(), below->last);
        QTest::mouseClick(below->first, Qt::LeftButton);
        QCOMPARE(belowPressed.size(), 1);
        below->reject();
    }

    // A reader hears a dialog named by its title, modal, inside the window.
    void heardAsADialog()
    {
        Host host;
        QVERIFY(host.show());
        auto* sheet = new TwoButtonSheet(host.view);
        sheet->present();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(sheet);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Dialog);
        QCOMPARE(iface->text(QAccessible::Name), u"A question"_s);
        QVERIFY(iface->state().modal);
        QAccessibleInterface* windowIface = QAccessible::queryAccessibleInterface(&host.window);
        QAccessibleInterface* up = iface->parent();
        while (up && up->object() != &host.window)
            up = up->parent();
        QCOMPARE(up, windowIface);
        QCOMPARE(test::lastFocus().object, sheet->first);
        sheet->reject();
    }

    // A sheet opened from a menu, by the keyboard or a click: the reader is
    // last told the keyboard in the sheet, never the window made active
    // again as the menu goes (the window never stopped being active, and a
    // reader would leave the sheet for it).
    void openedFromAMenuIsHeardLast_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Return") << true;
        QTest::newRow("click") << false;
    }
    void openedFromAMenuIsHeardLast()
    {
        QFETCH(bool, byKey);
        Host host;
        QVERIFY(host.show());
        QPointer<TwoButtonSheet> sheet;
        QMenu menu(&host.window);
        QAction* ask = menu.addAction(u"Ask…"_s);
        QObject::connect(ask, &QAction::triggered, [&] {
            sheet = new TwoButtonSheet(host.view);
            sheet->present();
        });
        menu.popup(host.opener->mapToGlobal(QPoint()));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(ask);
        test::heard().clear();
        if (byKey)
            QTest::keyClick(&menu, Qt::Key_Return);
        else
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(ask).center());
        QTRY_VERIFY(sheet && menu.isHidden());
        QTest::qWait(50); // what the window is told as the menu's popup goes
        const auto moves = [](const test::HeardEvent& e) {
            return e.type == QAccessible::Focus || (e.type == QAccessible::StateChanged && e.changed.active && e.state.active);
        };
        const QList<test::HeardEvent>& heard = test::heard();
        const auto last = std::find_if(heard.rbegin(), heard.rend(), moves);
        QVERIFY(last != heard.rend());
        QCOMPARE(last->type, QAccessible::Focus);
        QCOMPARE(last->object, sheet->first);
        sheet->reject();
    }
};

QTEST_MAIN(SheetTest)
#include "SheetTest.moc"
