#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/LazyKeyedList.h"

#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;

namespace {
// A child with a fixed ideal size.
class Box : public QWidget {
public:
    Box(QSize size, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_size(size)
    {
    }
    QSize sizeHint() const override { return m_size; }

private:
    QSize m_size;
};

// A child whose height depends on its width (like wrapped text).
class Wrapping : public QWidget {
public:
    explicit Wrapping(int area, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_area(area)
    {
        QSizePolicy p(QSizePolicy::Preferred, QSizePolicy::Preferred);
        p.setHeightForWidth(true);
        setSizePolicy(p);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return (m_area + w - 1) / std::max(1, w); }
    QSize sizeHint() const override { return QSize(100, heightForWidth(100)); }

private:
    int m_area;
};

struct Row {
    QString id;
    QString text;
};

class RowEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    int updates = 0;
    int index = -1;
};
} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void flowArrangement_data()
    {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::addColumn<int>("width"); // -1: unspecified
        QTest::addColumn<int>("spacing");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QPoint>>("positions");
        QTest::newRow("no children") << QList<QSize>{} << -1 << 10 << QSize(600, 0) << QList<QPoint>{};
        QTest::newRow("no children, width given") << QList<QSize>{} << 250 << 10 << QSize(250, 0) << QList<QPoint>{};
        QTest::newRow("three fit exactly")
            << QList<QSize>{{100, 20}, {100, 20}, {100, 20}} << 320 << 10 << QSize(320, 20)
            << QList<QPoint>{{0, 0}, {110, 0}, {220, 0}};
        QTest::newRow("third wraps")
            << QList<QSize>{{100, 20}, {100, 20}, {100, 20}} << 319 << 10 << QSize(319, 50)
            << QList<QPoint>{{0, 0}, {110, 0}, {0, 30}};
        QTest::newRow("wider than the width")
            << QList<QSize>{{700, 24}} << -1 << 6 << QSize(600, 24) << QList<QPoint>{{0, 0}};
        QTest::newRow("reports the full width") << QList<QSize>{{50, 10}, {50, 10}} << -1 << 6 << QSize(600, 10)
                                                << QList<QPoint>{{0, 0}, {56, 0}};
        QTest::newRow("rows share the top, tallest sets the row")
            << QList<QSize>{{60, 10}, {60, 30}, {60, 12}} << 130 << 5 << QSize(130, 47)
            << QList<QPoint>{{0, 0}, {65, 0}, {0, 35}};
        QTest::newRow("wide child after a small one gets its own row")
            << QList<QSize>{{40, 10}, {500, 10}, {40, 10}} << 300 << 4 << QSize(300, 38)
            << QList<QPoint>{{0, 0}, {0, 14}, {0, 28}};
    }
    void flowArrangement()
    {
        QFETCH(QList<QSize>, sizes);
        QFETCH(int, width);
        QFETCH(int, spacing);
        const auto a = FlowLayout::arrange(sizes, width < 0 ? std::nullopt : std::optional<int>(width), spacing);
        QTEST(a.size, "size");
        QTEST(a.positions, "positions");
    }

    void flowLayoutPlacesWidgets()
    {
        QWidget host;
        auto* flow = new FlowLayout(10, &host);
        auto* a = new Box({100, 20});
        auto* b = new Box({100, 20});
        auto* hidden = new Box({100, 20});
        auto* c = new Box({100, 20});
        flow->addWidget(a);
        flow->addWidget(b);
        flow->addWidget(hidden);
        flow->addWidget(c);
        hidden->hide();
        QCOMPARE(flow->sizeHint(), QSize(600, 20));
        QCOMPARE(flow->heightForWidth(319), 50);
        host.resize(319, 50);
        host.show();
        flow->activate();
        QCOMPARE(a->geometry(), QRect(0, 0, 100, 20));
        QCOMPARE(b->geometry(), QRect(110, 0, 100, 20));
        QCOMPARE(c->geometry(), QRect(0, 30, 100, 20));
        // insertWidget puts a child in front.
        auto* first = new Box({30, 20});
        flow->insertWidget(0, first);
        QTRY_COMPARE(a->geometry().topLeft(), QPoint(40, 0));
        QCOMPARE(first->geometry().topLeft(), QPoint(0, 0));
    }

    void gridColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("columnWidth");
        QTest::addColumn<double>("offset");
        QTest::newRow("three share the width") << 500 << 150 << 220 << 12 << 3 << (500 - 24) / 3.0 << 0.0;
        QTest::newRow("exact fit") << 324 << 150 << 220 << 12 << 2 << 156.0 << 0.0;
        QTest::newRow("capped and centred") << 300 << 160 << 240 << 12 << 1 << 240.0 << 30.0;
        QTest::newRow("narrower than one column") << 100 << 150 << 220 << 12 << 1 << 100.0 << 0.0;
        QTest::newRow("zero width") << 0 << 150 << 220 << 12 << 1 << 0.0 << 0.0;
    }
    void gridColumns()
    {
        QFETCH(int, width);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, spacing);
        const auto c = AdaptiveGridLayout::columnsFor(width, minimum, maximum, spacing);
        QTEST(c.count, "count");
        QFETCH(double, columnWidth);
        QFETCH(double, offset);
        QVERIFY(std::abs(c.width - columnWidth) < 1e-9);
        QVERIFY(std::abs(c.offset - offset) < 1e-9);
    }

    void gridPlacesRowsAndHeights()
    {
        QWidget host;
        auto* grid = new AdaptiveGridLayout(100, 200, 10, 12, &host);
        auto* a = new Wrapping(10000); // 100 high at 100 wide
        auto* b = new Box({50, 40});
        auto* c = new Wrapping(5000);
        grid->addWidget(a);
        grid->addWidget(b);
        grid->addWidget(c);
        // 210 wide: two columns of 100.
        QCOMPARE(grid->heightForWidth(210), 100 + 12 + 50);
        host.resize(210, 162);
        host.show();
        grid->activate();
        QCOMPARE(a->geometry(), QRect(0, 0, 100, 100));
        // A box takes the column width; shorter children are centred in the row.
        QCOMPARE(b->geometry(), QRect(110, 30, 100, 40));
        QCOMPARE(c->geometry(), QRect(0, 112, 100, 50));
    }

    void keyedListDiffsById()
    {
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* header = new QWidget;
        layout->addWidget(header);
        layout->addStretch(1);
        KeyedList<QString, RowEdit> rows(layout, 1);
        int created = 0;
        const auto sync = [&](const QList<Row>& items) {
            rows.sync(
                items, [](const Row& r) { return r.id; },
                [&](const Row&) {
                    ++created;
                    return new RowEdit;
                },
                [](RowEdit* edit, const Row& r, int index) {
                    ++edit->updates;
                    edit->index = index;
                    if (edit->text() != r.text)
                        edit->setText(r.text);
                });
        };
        sync({{"a", "A"}, {"b", "B"}, {"c", "C"}});
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(created, 3);
        QPointer<RowEdit> a = rows.widget("a");
        QPointer<RowEdit> b = rows.widget("b");
        QPointer<RowEdit> c = rows.widget("c");
        a->setFocus();
        a->setCursorPosition(1);
        QTRY_VERIFY(a->hasFocus());

        sync({{"c", "C2"}, {"a", "A"}, {"d", "D"}, {"a", "duplicate"}});
        QCOMPARE(created, 4);
        QCOMPARE(rows.keys(), (QList<QString>{"c", "a", "d"}));
        QCOMPARE(rows.widget("a"), a.data());
        QCOMPARE(rows.widget("c"), c.data());
        QCOMPARE(c->text(), QStringLiteral("C2"));
        QCOMPARE(a->text(), QStringLiteral("A")); // the duplicate id was skipped
        QCOMPARE(a->index, 1);
        // The layout holds header, c, a, d, stretch in that order.
        QCOMPARE(layout->indexOf(header), 0);
        QCOMPARE(layout->indexOf(c), 1);
        QCOMPARE(layout->indexOf(a), 2);
        QCOMPARE(layout->indexOf(rows.widget("d")), 3);
        QVERIFY(rows.widget("d")->isVisible());
        // The surviving row keeps focus and caret.
        QVERIFY(a->hasFocus());
        QCOMPARE(a->cursorPosition(), 1);
        // The gone row is deleted once control returns to the event loop.
        QVERIFY(b);
        QVERIFY(!b->isVisible());
        QTRY_VERIFY(!b);

        sync({});
        QCOMPARE(rows.count(), 0);
        QTRY_VERIFY(!a);
    }

    void lazyKeyedListBuildsWhatIsInReach()
    {
        QWidget host;
        LazyKeyedList<QString, RowEdit> rows(&host);
        QStringList created;
        qsizetype first = 0;
        qsizetype last = 3;
        const auto sync = [&] {
            rows.sync([&](qsizetype i) { return i >= first && i < last; },
                      [&](qsizetype i) {
                          created << rows.keys().at(i);
                          return new RowEdit;
                      },
                      [](RowEdit* edit, qsizetype i) { edit->index = int(i); });
        };
        rows.setKeys({"a", "b", "c", "d", "e", "f"});
        sync();
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(created, (QStringList{"a", "b", "c"}));
        QPointer<RowEdit> a = rows.widget("a");
        QPointer<RowEdit> b = rows.widget("b");
        QVERIFY(a->parentWidget() == &host && a->isVisible());
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());

        // Out of reach a widget leaves later, unless it holds the focus.
        first = 3;
        last = 6;
        sync();
        QCOMPARE(created, (QStringList{"a", "b", "c", "d", "e", "f"}));
        QPointer<RowEdit> e = rows.widget("e");
        QCOMPARE(rows.widgets(), (QList<RowEdit*>{b, rows.widget("d"), e, rows.widget("f")}));
        QVERIFY(b->hasFocus());
        QVERIFY(a && !a->isVisible());
        QTRY_VERIFY(!a);

        // An id that is gone takes its widget along; a kept one is never
        // made again, and a repeated id gets no widget of its own.
        rows.setKeys({"c", "d", "f", "b", "x", "d"});
        QVERIFY(e && !e->isVisible());
        first = 2;
        sync();
        QCOMPARE(created, (QStringList{"a", "b", "c", "d", "e", "f", "x"}));
        QCOMPARE(rows.widgets(), (QList<RowEdit*>{rows.widget("f"), b, rows.widget("x")}));
        QCOMPARE(b->index, 3);
        QVERIFY(!rows.widget("d") && !rows.widgetAt(5));
        QTRY_VERIFY(!e);

        rows.setKeys({"f"});
        QCOMPARE(rows.widgets(), QList<RowEdit*>{rows.widget("f")});
        QTRY_VERIFY(!b);
    }

    void keyedListInOwnLayout()
    {
        QWidget host;
        auto* flow = new FlowLayout(4, &host);
        auto* tail = new Box({10, 10});
        flow->addWidget(tail);
        KeyedList<int, Box> rows(flow, 0);
        const auto sync = [&](const QList<int>& ids) {
            rows.sync(
                ids, [](int id) { return id; }, [](int) { return new Box({20, 10}); }, [](Box*, int, int) {});
        };
        sync({1, 2, 3});
        QCOMPARE(flow->indexOf(tail), 3);
        Box* two = rows.widget(2);
        sync({3, 2});
        QCOMPARE(flow->indexOf(rows.widget(3)), 0);
        QCOMPARE(flow->indexOf(two), 1);
        QCOMPARE(flow->indexOf(tail), 2);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
