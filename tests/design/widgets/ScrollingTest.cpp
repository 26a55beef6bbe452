// A sideways strip of cards inside a page that scrolls down: the wheel goes
// where the gesture points. A slider in a page takes the wheel only once the
// user has given it the focus. The pages follow the keyboard: a control that
// takes the focus shows, wherever the focus came from, and so does the caret
// of an editor that grows with its text.

#include "design/widgets/HorizontalStrip.h"
#include "design/text/PlainTextEditor.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/Slider.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {
QWidget* card(int width, int height)
{
    auto* w = new QWidget;
    w->setFixedSize(width, height);
    return w;
}

// A wheel event as the pointer delivers it: to the widget under the
// pointer, passed up while nobody takes it.
void wheel(QWidget* target, QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF local(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(local, target->mapToGlobal(local), pixels, angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    // notify() as the window system's delivery does; sendEvent() would mark
    // the event as synthesized, and those are not passed up.
    qApp->notify(target, &event);
}

struct Page {
    ScrollColumn column;
    HorizontalStrip* strip = nullptr;
    QWidget* firstCard = nullptr;

    Page()
    {
        column.resize(400, 300);
        column.column()->addWidget(card(380, 200));
        strip = new HorizontalStrip(10);
        for (int i = 0; i < 8; ++i) {
            QWidget* c = card(150, 90);
            if (!firstCard)
                firstCard = c;
            strip->row()->insertWidget(i, c);
        }
        column.column()->addWidget(strip);
        column.column()->addWidget(card(380, 600));
        column.show();
    }
    int pageScroll() const { return column.verticalScrollBar()->value(); }
    int stripScroll() const { return strip->horizontalScrollBar()->value(); }
};
} // namespace

class ScrollingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void wheelGoesWhereTheGesturePoints_data()
    {
        QTest::addColumn<QPoint>("angle");
        QTest::addColumn<QPoint>("pixels");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("pageMoves");
        QTest::addColumn<bool>("stripMoves");
        QTest::newRow("wheel down") << QPoint(0, -120) << QPoint() << false << true << false;
        QTest::newRow("shift and wheel") << QPoint(0, -120) << QPoint() << true << false << true;
        QTest::newRow("swipe sideways") << QPoint(-90, -10) << QPoint(-60, -5) << false << false << true;
        QTest::newRow("tilt wheel") << QPoint(-120, 0) << QPoint() << false << false << true;
        QTest::newRow("swipe down") << QPoint(-8, -120) << QPoint(-4, -60) << false << true << false;
    }
    void wheelGoesWhereTheGesturePoints()
    {
        QFETCH(QPoint, angle);
        QFETCH(QPoint, pixels);
        QFETCH(bool, shift);
        QFETCH(bool, pageMoves);
        QFETCH(bool, stripMoves);
        Page page;
        QVERIFY(QTest::qWaitForWindowExposed(&page.column));
        QVERIFY(page.strip->horizontalScrollBar()->maximum() > 0);
        QVERIFY(page.column.verticalScrollBar()->maximum() > 0);
        wheel(page.firstCard, angle, pixels, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(page.pageScroll() > 0, pageMoves);
        QCOMPARE(page.stripScroll() > 0, stripMoves);
    }

    void wheelMovesOnlyAFocusedSlider()
    {
        ScrollColumn column;
        column.resize(400, 300);
        // The field above takes the window's first focus.
        column.column()->addWidget(new QLineEdit);
        column.column()->addWidget(card(380, 200));
        auto* slider = new Slider(0, 10);
        slider->setStep(1);
        slider->setValue(5);
        column.column()->addWidget(slider);
        column.column()->addWidget(card(380, 600));
        column.show();
        QVERIFY(QTest::qWaitForWindowActive(&column));
        QVERIFY(!slider->hasFocus());
        QSignalSpy edited(slider, &Slider::valueEdited);

        // Scrolling past it moves the page, not the value.
        wheel(slider, QPoint(0, -120));
        QVERIFY(column.verticalScrollBar()->value() > 0);
        QCOMPARE(slider->position(), 5.0);
        QCOMPARE(edited.count(), 0);

        // A click gives it the focus; from then on the wheel steps it and
        // writes as a drag does, and the page stays put.
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, slider->height() / 2));
        QVERIFY(slider->hasFocus());
        edited.clear();
        const int pageAt = column.verticalScrollBar()->value();
        const double from = slider->position();
        wheel(slider, QPoint(0, 120));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.last().at(0).toDouble(), from + 1);
        wheel(slider, QPoint(0, -120));
        wheel(slider, QPoint(0, -120));
        QCOMPARE(edited.last().at(0).toDouble(), from - 1);
        QCOMPARE(column.verticalScrollBar()->value(), pageAt);

        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(edited.last().at(0).toDouble(), 10.0);
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(edited.last().at(0).toDouble(), 0.0);
        QTest::keyClick(slider, Qt::Key_PageUp);
        QVERIFY(edited.last().at(0).toDouble() > 0.0);

        // Focus gone, the wheel passes to the page again.
        slider->clearFocus();
        edited.clear();
        wheel(slider, QPoint(0, 120));
        QVERIFY(column.verticalScrollBar()->value() < pageAt);
        QCOMPARE(edited.count(), 0);
    }

    void stripIsAsTallAsItsCards()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowExposed(&page.column));
        QCOMPARE(page.strip->height(), 90);
        QVERIFY(!page.strip->horizontalScrollBar()->isVisible());
        page.strip->setIndicatorShown(true);
        QTRY_VERIFY(page.strip->horizontalScrollBar()->isVisible());
        QTRY_VERIFY(page.strip->height() > 90);
        // The cards keep their height; the indicator lies under them.
        QCOMPARE(page.firstCard->height(), 90);
        QVERIFY(page.strip->viewport()->height() >= 90);
        // Taller cards make a taller strip.
        page.strip->row()->insertWidget(0, card(150, 140));
        page.strip->setIndicatorShown(false);
        QTRY_COMPARE(page.strip->height(), 140);
    }

    // The thin bar has no arrows: its handle runs the whole groove, a press
    // beside the handle turns a page, and the handle drags the page along.
    void scrollBarPagesAndDrags()
    {
        ScrollColumn column;
        column.resize(300, 300);
        column.column()->addWidget(card(200, 3000));
        column.show();
        QVERIFY(QTest::qWaitForWindowExposed(&column));
        QScrollBar* bar = column.verticalScrollBar();
        QTRY_VERIFY(bar->isVisible() && bar->maximum() > 0);
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.pageStep = bar->pageStep();
        const auto rectOf = [&](QStyle::SubControl sub) {
            option.sliderPosition = bar->sliderPosition();
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, sub, bar);
        };
        const QRect handle = rectOf(QStyle::SC_ScrollBarSlider);
        QCOMPARE(rectOf(QStyle::SC_ScrollBarGroove).top(), handle.top());

        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
        QTRY_COMPARE(bar->value(), bar->pageStep());

        const QPoint grip = rectOf(QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(0, 60)), bar->mapToGlobal(QPointF(grip + QPoint(0, 60))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &drag);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 60));
        QVERIFY(bar->value() > bar->pageStep());
        QVERIFY(rectOf(QStyle::SC_ScrollBarSlider).top() >= grip.y() + 60 - handle.height() / 2 - 1);
    }

    // Tab from a button above the page to a control far down it and in a
    // strip scrolled aside: QScrollArea brings the focus into view only when
    // Tab moves it from inside.
    void theFocusedControlComesIntoView()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* header = new PrimaryButton(u"Mark ready"_s);
        auto* page = new ScrollColumn;
        layout->addWidget(header);
        layout->addWidget(page);
        auto* strip = new HorizontalStrip(10);
        for (int i = 0; i < 8; ++i)
            strip->row()->insertWidget(i, card(150, 90));
        auto* far = new QLineEdit;
        strip->row()->insertWidget(8, far);
        page->column()->addWidget(card(200, 1500));
        page->column()->addWidget(strip);
        auto* below = new QLineEdit;
        page->column()->addWidget(below);
        window.resize(400, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget::setTabOrder(header, far);
        QWidget::setTabOrder(far, below);
        const auto inView = [](QWidget* w) {
            for (QWidget* p = w; !p->isWindow(); p = p->parentWidget()) {
                if (!p->parentWidget()->rect().contains(QRect(w->mapTo(p->parentWidget(), QPoint(0, 0)), w->size())))
                    return false;
            }
            return true;
        };
        header->setFocus(Qt::TabFocusReason);
        QTest::keyClick(header, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), far);
        QTRY_VERIFY(inView(far));
        QTest::keyClick(far, Qt::Key_Tab);
        QTRY_VERIFY(inView(below));
        // Focused by the program from out of sight (the page at its top, the
        // strip at its start), as a screen focuses a new field.
        header->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        page->verticalScrollBar()->setValue(0);
        strip->horizontalScrollBar()->setValue(0);
        QVERIFY(!inView(far));
        far->setFocus();
        QTRY_VERIFY(inView(far));

        // A click on a control partly in view focuses it where it is.
        page->verticalScrollBar()->setValue(0);
        strip->horizontalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        const int before = page->verticalScrollBar()->value();
        header->setFocus();
        below->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(page->verticalScrollBar()->value(), before);
    }

    // A control in view that controls added before it push down ("Add
    // beat" under a new beat) stays in view; the page scrolled by the user
    // leaves it where it is.
    void aFocusedControlPushedDownStaysInView()
    {
        ScrollColumn page;
        page.resize(300, 300);
        auto* box = new QWidget;
        auto* column = new QVBoxLayout(box);
        column->addWidget(card(200, 150));
        auto* add = new PrimaryButton(u"Add beat"_s);
        column->addWidget(add);
        page.column()->addWidget(box);
        page.column()->addWidget(card(200, 600));
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        add->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        const auto shown = [&] {
            const QRect onPage(add->mapTo(&page, QPoint(0, 0)), add->size());
            return page.viewport()->geometry().contains(onPage);
        };
        QVERIFY(shown());
        QWidget* added = card(200, 200);
        column->insertWidget(1, added);
        added->show();
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QVERIFY(!shown());
        QTRY_VERIFY(shown());

        page.verticalScrollBar()->setValue(page.verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
        QVERIFY(!shown());
    }

    // Typing on the last line a page shows, and moving the caret down by
    // keys, scrolls the page along with the caret.
    void thePageFollowsTheCaret()
    {
        ScrollColumn page;
        page.resize(300, 240);
        auto* editor = new PlainTextEditor(QString(), Theme::font(13));
        page.column()->addWidget(card(200, 200));
        page.column()->addWidget(editor);
        page.column()->addWidget(card(200, 600));
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        editor->textEdit()->setFocus(Qt::MouseFocusReason);
        const auto caretShows = [&] {
            const QRect caret = editor->textEdit()->cursorRect();
            const QRect onPage(editor->textEdit()->viewport()->mapTo(&page, caret.topLeft()), caret.size());
            return page.viewport()->geometry().contains(onPage);
        };
        for (int line = 0; line < 12; ++line) {
            QTest::keyClicks(editor->textEdit(), u"another line"_s);
            QTest::keyClick(editor->textEdit(), Qt::Key_Return);
        }
        QTRY_VERIFY(caretShows());
        QTest::keyClick(editor->textEdit(), Qt::Key_Home, Qt::ControlModifier);
        QTRY_VERIFY(caretShows());
        for (int line = 0; line < 12; ++line)
            QTest::keyClick(editor->textEdit(), Qt::Key_Down);
        QTRY_VERIFY(caretShows());
    }

    void stripFilledBeforeItsPageShowsIsTallFromTheStart()
    {
        // A screen builds its page, then fills the strip, then is shown.
        ScrollColumn column;
        column.resize(400, 300);
        auto* strip = new HorizontalStrip(10);
        column.column()->addWidget(strip);
        column.column()->addStretch(1);
        (void)column.sizeHint();
        for (int i = 0; i < 3; ++i)
            strip->row()->insertWidget(i, card(150, 90 + 20 * i));
        column.show();
        QVERIFY(QTest::qWaitForWindowExposed(&column));
        QCOMPARE(strip->height(), 130);
    }
};

QTEST_MAIN(ScrollingTest)
#include "ScrollingTest.moc"
