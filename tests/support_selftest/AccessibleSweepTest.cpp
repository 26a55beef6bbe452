// The accessibility sweep finds what it is there to find: an object that
// answers for a child that is not there, leads a reader round in a circle,
// crashes or hangs, and goes on to the questions after a crash or a hang.

#include "design/access/AccessibleFactory.h"
#include "design/widgets/AccessibleSource.h"
#include "support/AccessibleSweep.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

class BrokenAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;
    using QAccessibleWidget::text;

    // One child too many, and itself under any point.
    QAccessibleInterface* child(int index) const override
    {
        return index == childCount() ? QAccessibleWidget::child(0) : QAccessibleWidget::child(index);
    }
    QAccessibleInterface* childAt(int, int) const override { return const_cast<BrokenAccessible*>(this); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }

    // A word before the start never comes; a range past the end crashes;
    // characters past the end have places.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        for (volatile bool looping = true; offset < 0 && type == QAccessible::WordBoundary && looping;) {
        }
        *start = *end = 0;
        return QString();
    }
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset == characterCount() + 1)
            std::raise(SIGSEGV);
        return u"broken"_s.mid(startOffset, endOffset - startOffset);
    }
    QRect characterRect(int) const override { return QRect(0, 0, 5, 5); }
    int characterCount() const override { return 6; }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return QString();
    }
};

class BrokenWidget : public QWidget, public studio::AccessibleSource {
public:
    using QWidget::QWidget;
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        return object == this ? new BrokenAccessible(this, QAccessible::EditableText) : nullptr;
    }
};

bool anyContains(const QStringList& lines, const QString& part)
{
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) { return line.contains(part); });
}

} // namespace

class AccessibleSweepTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsWhatIsBroken()
    {
        studio::AccessibleFactory::install();
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* broken = new BrokenWidget(&window);
        new QWidget(broken);
        broken->setMinimumSize(100, 100);
        column->addWidget(broken);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const studio::test::Sweep sweep = studio::test::sweepAccessible(&window);
        for (const QString& fault : sweep.faults + sweep.boundaryFaults)
            qInfo().noquote() << fault;
        QVERIFY(sweep.objects >= 3);
        QVERIFY(anyContains(sweep.faults, u"child(1) of 1 answers"_s));
        QVERIFY(anyContains(sweep.faults, u"childAt(inside) answers itself"_s));
        QVERIFY(anyContains(sweep.faults, u"text(7, 11) of 6 crashes"_s));
        QVERIFY(anyContains(sweep.boundaryFaults, u"textAtOffset(-1, word) of 6 hangs"_s));
        // Questions after the crash and the hang were asked.
        QVERIFY(anyContains(sweep.faults, u"of 6 answers a rectangle"_s));
    }
};

QTEST_MAIN(AccessibleSweepTest)
#include "AccessibleSweepTest.moc"
