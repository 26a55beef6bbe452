// Where the keyboard goes when the row holding it leaves a keyed list: to the
// row now in its place, on a stop where Return and Space delete and create
// nothing; with no row left, resting on the named list, Tab going on from
// where the row stood.

#include "design/focus/FocusAfterRemoval.h"
#include "design/focus/TabOrder.h"
#include "design/DesignSystem.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/PrimaryButton.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A row: a field (unless it is a bare chip) and its ×.
struct Row : QWidget {
    QLineEdit* field = nullptr;
    PrimaryButton* remove = new PrimaryButton(u"\u00d7"_s);
    explicit Row(bool withField)
    {
        auto* line = new QHBoxLayout(this);
        if (withField)
            line->addWidget(field = new QLineEdit);
        line->addWidget(remove);
        FocusAfterRemoval::markRemover(remove);
    }
};

// A list that acts on Return and Space while it holds the keyboard, as a
// list view does on its current item: a key let through where the keyboard
// rests reaches it.
class List : public QWidget {
public:
    int acted = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (hasFocus() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Space))
            ++acted;
        else
            QWidget::keyPressEvent(event);
    }
};

// "Before", the named list of rows, "After", and a pane's "Remove" button
// acting on a row from outside the list.
struct Board {
    QWidget window;
    PrimaryButton* before = new PrimaryButton(u"Before"_s);
    List* list = new List;
    PrimaryButton* after = new PrimaryButton(u"After"_s);
    PrimaryButton* paneRemove = new PrimaryButton(u"Remove"_s);
    KeyedList<int, Row> rows{new QVBoxLayout(list)};
    QList<int> ids;
    int created = 0;
    bool withFields = true;

    explicit Board(int count, bool fields = true)
        : withFields(fields)
    {
        list->setAccessibleName(u"Rows"_s);
        auto* column = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{before, list, after, paneRemove})
            column->addWidget(w);
        for (int i = 0; i < count; ++i)
            ids << i;
        sync();
    }
    void remove(int id)
    {
        ids.removeAll(id);
        sync();
    }
    void sync()
    {
        rows.sync(
            ids, [](int id) { return id; },
            [this](int id) {
                auto* row = new Row(withFields);
                QObject::connect(row->remove, &QAbstractButton::clicked, list, [this, id] { remove(id); });
                return row;
            },
            [](Row*, int, int) {});
        QList<QWidget*> stops;
        for (Row* row : rows.widgets())
            stops << row->field << row->remove;
        TabOrder::chain(before, stops << after << paneRemove);
    }
    bool shown()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
    Row* row(int id) const { return rows.widget(id); }
};

QWidget* pressed(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    return QApplication::focusWidget();
}

} // namespace

class FocusAfterRemovalTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void theKeyboardGoesToTheRowInItsPlace()
    {
        Board b(3);
        QVERIFY(b.shown());
        b.row(1)->remove->setFocus(Qt::TabFocusReason);
        // The middle row's ×: the next row's field, where Return and Space
        // type or do nothing.
        QCOMPARE(pressed(Qt::Key_Return), b.row(2)->field);
        pressed(Qt::Key_Return);
        pressed(Qt::Key_Space);
        QCOMPARE(b.ids, (QList<int>{0, 2}));
        // The last row's: the row before it.
        b.row(2)->remove->setFocus(Qt::TabFocusReason);
        QCOMPARE(pressed(Qt::Key_Space), b.row(0)->field);
        // The pane's button acting on a row: the keyboard goes where it
        // would from the row.
        b.ids << 3;
        b.sync();
        b.paneRemove->setFocus(Qt::TabFocusReason);
        b.rows.removingFrom(b.paneRemove, 0);
        b.remove(0);
        QCOMPARE(QApplication::focusWidget(), b.row(3)->field);
    }

    void withNoRowLeftTheKeyboardRestsInThePlace_data()
    {
        QTest::addColumn<bool>("fromPane");
        QTest::addColumn<bool>("forward");
        QTest::newRow("×, Tab") << false << true;
        QTest::newRow("×, Shift+Tab") << false << false;
        QTest::newRow("pane, Tab") << true << true;
        QTest::newRow("pane, Shift+Tab") << true << false;
    }
    void withNoRowLeftTheKeyboardRestsInThePlace()
    {
        QFETCH(bool, fromPane);
        QFETCH(bool, forward);
        Board b(1);
        QVERIFY(b.shown());
        const QPointer<Row> row = b.row(0);
        if (fromPane) {
            b.paneRemove->setFocus(Qt::TabFocusReason);
            b.rows.removingFrom(b.paneRemove, 0);
            b.remove(0);
        } else {
            b.row(0)->remove->setFocus(Qt::TabFocusReason);
            pressed(Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), b.list);
        // The row deleted meanwhile, Return and Space press nothing, and Tab
        // goes on from where the row stood.
        QTRY_VERIFY(!row);
        QSignalSpy pressedPane(b.paneRemove, &QAbstractButton::clicked);
        pressed(Qt::Key_Return);
        pressed(Qt::Key_Space);
        QCOMPARE(pressedPane.size(), 0);
        QCOMPARE(b.list->acted, 0);
        QCOMPARE(pressed(Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier), forward ? b.after : b.before);
    }

    void aRowWithOnlyItsRemoverLeavesTheKeyboardResting()
    {
        // Chips of one × each: the next chip has no stop that is safe.
        Board b(2, false);
        QVERIFY(b.shown());
        const QPointer<Row> first = b.row(0);
        first->remove->setFocus(Qt::TabFocusReason);
        QCOMPARE(pressed(Qt::Key_Return), b.list);
        pressed(Qt::Key_Return);
        pressed(Qt::Key_Space);
        QCOMPARE(b.ids, QList<int>{1});
        QCOMPARE(b.list->acted, 0);
        QTRY_VERIFY(!first);
        QCOMPARE(pressed(Qt::Key_Tab), b.row(1)->remove);
    }
};

QTEST_MAIN(FocusAfterRemovalTest)
#include "FocusAfterRemovalTest.moc"
