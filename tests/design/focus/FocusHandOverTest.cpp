// Where the keyboard goes when the control holding it goes: never to the
// next control, where the next Return would press what the user never moved
// to. Listened to as a screen reader would: the last focus event names what
// holds the keyboard.

#include "design/focus/FocusHandOver.h"
#include "design/widgets/PrimaryButton.h"
#include "design/DesignSystem.h"
#include "support/Listening.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A pane that acts on Return and Space itself, as a card does: a key the
// kept or resting keyboard lets through reaches it.
class Pane : public QWidget {
public:
    int acted = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Space)
            ++acted;
        else
            QWidget::keyPressEvent(event);
    }
};

// Three buttons in a row, the middle one in a box of its own.
struct Row {
    Pane window;
    PrimaryButton* first = new PrimaryButton(u"First"_s);
    Pane* box = new Pane;
    PrimaryButton* middle = new PrimaryButton(u"Middle"_s);
    PrimaryButton* last = new PrimaryButton(u"Last"_s);
    QSignalSpy firstPressed{first, &QAbstractButton::clicked};
    QSignalSpy middlePressed{middle, &QAbstractButton::clicked};
    QSignalSpy lastPressed{last, &QAbstractButton::clicked};

    Row()
    {
        // A pane a reader hears by its name; the box around the middle
        // button has none.
        window.setAccessibleName(u"Row"_s);
        auto* row = new QHBoxLayout(&window);
        row->addWidget(first);
        (new QHBoxLayout(box))->addWidget(middle);
        row->addWidget(box);
        row->addWidget(last);
    }
    bool shown()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
    void pressReturnAndSpace() const
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    qsizetype pressed() const
    {
        return firstPressed.size() + middlePressed.size() + lastPressed.size() + window.acted + box->acted;
    }
};

} // namespace

class FocusHandOverTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
    }

    void aControlThatGoesLeavesReturnPressingNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("disabled") << u"disabled"_s;
        QTest::newRow("its box disabled") << u"box disabled"_s;
        QTest::newRow("hidden") << u"hidden"_s;
    }
    void aControlThatGoesLeavesReturnPressingNothing()
    {
        QFETCH(QString, how);
        Row r;
        QVERIFY(r.shown());
        r.middle->setFocus(Qt::TabFocusReason);
        test::heard().clear();
        if (how == u"disabled")
            r.middle->setEnabled(false);
        else if (how == u"box disabled")
            r.box->setEnabled(false);
        else
            r.middle->hide();

        // Kept by the control while it is disabled, resting in the nearest
        // named pane around it once it is hidden; heard there last, by name.
        QWidget* holder = how == u"hidden" ? static_cast<QWidget*>(&r.window) : r.middle;
        QCOMPARE(QApplication::focusWidget(), holder);
        if (how == u"hidden") {
            QTRY_COMPARE(test::lastFocus().object, holder);
            QVERIFY(!test::lastFocus().name.isEmpty());
        }
        // Nothing else is heard holding it (a control kept was heard before).
        QCoreApplication::processEvents();
        for (const test::HeardEvent& focus : test::heardOf(QAccessible::Focus))
            QCOMPARE(focus.object, holder);
        r.pressReturnAndSpace();
        QCOMPARE(r.pressed(), 0);

        // Back, it has the keyboard as before.
        if (how == u"disabled")
            r.middle->setEnabled(true);
        else if (how == u"box disabled")
            r.box->setEnabled(true);
        else
            r.middle->show();
        QTRY_COMPARE(QApplication::focusWidget(), r.middle);
        r.pressReturnAndSpace();
        QCOMPARE(r.middlePressed.size(), 2);
        QCOMPARE(r.pressed(), 2);
    }

    void tabGoesOnFromWhereTheKeyboardWasKept()
    {
        Row r;
        QVERIFY(r.shown());
        r.middle->setFocus(Qt::TabFocusReason);
        r.middle->setEnabled(false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), r.last);
        // Left, the disabled control is passed over as ever.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), r.first);

        r.middle->setEnabled(true);
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            r.middle->show();
            r.middle->setFocus(Qt::TabFocusReason);
            r.middle->hide();
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), key == Qt::Key_Tab ? r.last : r.first);
        }
    }

    void aWindowBackInFrontGivesTheKeptControlTheKeyboard()
    {
        Row r;
        QVERIFY(r.shown());
        r.middle->setFocus(Qt::TabFocusReason);
        r.middle->setEnabled(false);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        r.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&r.window));
        QCOMPARE(QApplication::focusWidget(), r.middle);
        r.pressReturnAndSpace();
        QCOMPARE(r.pressed(), 0);
    }

    // A screen hands the keyboard over before its control goes, only from
    // inside what goes (or, when asked, from nowhere).
    void handOverTakesOnlyTheKeyboardItIsGiven()
    {
        Row r;
        QVERIFY(r.shown());
        r.first->setFocus(Qt::TabFocusReason);
        handOverFocus(r.box, r.last, true);
        QCOMPARE(QApplication::focusWidget(), r.first);
        r.middle->setFocus(Qt::TabFocusReason);
        handOverFocus(r.box, r.last);
        QCOMPARE(QApplication::focusWidget(), r.last);

        r.last->clearFocus();
        QVERIFY(!r.window.focusWidget());
        handOverFocus(r.box, r.first);
        QVERIFY(!r.window.focusWidget());
        handOverFocus(r.box, r.first, true);
        QCOMPARE(QApplication::focusWidget(), r.first);
    }
};

QTEST_MAIN(FocusHandOverTest)
#include "FocusHandOverTest.moc"
