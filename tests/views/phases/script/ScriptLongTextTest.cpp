// A script of very long elements costs what is in view: the page draws only
// the lines of the area it paints, and the editor that moves to an element of
// another kind takes on that kind's type only once it holds the element's own
// text, never laying the text it leaves out again in the new type.

#include "ScriptScreen.h"

#include "design/DesignSystem.h"
#include "support/LongTexts.h"

#include <QPaintEngine>
#include <QPaintDevice>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// A paint device that keeps nothing but counts the runs of text drawn on it.
class TextRunCounter : public QPaintDevice {
public:
    explicit TextRunCounter(QSize size)
        : m_size(size)
    {
    }
    int runs() const { return m_engine.runs; }
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 96;
        }
    }

private:
    struct Engine : QPaintEngine {
        Engine()
            : QPaintEngine(AllFeatures)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem&) override { ++runs; }
        Type type() const override { return User; }
        int runs = 0;
    };
    QSize m_size;
    mutable Engine m_engine;
};

// How many characters the editor held when its type last changed.
class FontChangeWatch : public QObject {
public:
    explicit FontChangeWatch(QTextEdit* edit)
        : m_edit(edit)
    {
        edit->installEventFilter(this);
    }
    qsizetype heldAtChange = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_edit && event->type() == QEvent::FontChange)
            heldAtChange = m_edit->document()->characterCount() - 1;
        return false;
    }

private:
    QTextEdit* m_edit;
};

} // namespace

class ScriptLongTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void aLongElementIsDrawnOnlyWhereItIsPainted()
    {
        Screen s(production({element(ScriptElementKind::action, prose(40'000))}));
        QVERIFY(s.ready());
        ScriptPage* page = s.page();
        const QRect text = page->textRect(s.id(0));
        QTRY_VERIFY(page->isLaidOut(s.id(0)));
        const int lineHeight = ScriptElementRow::lineHeight(ScriptElementKind::action);
        QVERIFY(text.height() > 100 * lineHeight);

        // A strip of three lines in the middle of the element.
        const QRect strip(0, text.center().y(), page->width(), 3 * lineHeight);
        TextRunCounter counter(page->size());
        page->render(&counter, QPoint(), QRegion(strip));
        QVERIFY(counter.runs() > 0);
        QVERIFY2(counter.runs() <= 5, qPrintable(u"%1 runs of text drawn"_s.arg(counter.runs())));
    }

    void theEditorLeavesTheOldTextBeforeTakingTheNewType()
    {
        Screen s(production({element(ScriptElementKind::sceneHeading, prose(20'000)),
                             element(ScriptElementKind::action, prose(20'000))}));
        QVERIFY(s.ready());
        s.focus(0);
        QVERIFY(s.focused(0));
        FontChangeWatch watch(s.edit());

        QTest::keyClick(s.edit(), Qt::Key_Tab);
        QTRY_VERIFY(s.focused(1));
        QCOMPARE(s.edit()->font(), ScriptElementRow::font(ScriptElementKind::action));
        QCOMPARE(watch.heldAtChange, 0);
    }
};

QTEST_MAIN(ScriptLongTextTest)
#include "ScriptLongTextTest.moc"
