// Renders the footage screen inside the workspace into PNGs (when
// SCREENSHOT_DIR is set) at the window's least size and wide: an episode
// without scenes, every sample, a row open on a long prompt, and the queue
// during a run and after it.

#include "design/style/AuroraBackground.h"
#include "design/DesignSystem.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/StatTile.h"
#include "design/widgets/SwitchToggle.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/footage/RenderQueuePanel.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QSize narrow(1080, 700);
const QSize wide(1600, 1000);

struct Stage : test::WorkspaceStage<FootageView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size)
    {
    }
    void shoot(const QString& name)
    {
        // Rows opening or closing come to rest first.
        const auto turning = [this] {
            const QList<ShotRow*> rows = screen()->findChildren<ShotRow*>();
            return std::any_of(rows.cbegin(), rows.cend(), [](ShotRow* row) { return row->isTurning(); });
        };
        QTRY_VERIFY(!turning());
        test::writeScreenshot(&backdrop, name);
    }
};

Project atFootage(Project p)
{
    p.activePhase = PhaseID::footage;
    return p;
}

QString sizeName(QSize size)
{
    return size == narrow ? u"narrow"_s : u"wide"_s;
}

} // namespace

class FootageScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void sizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("narrow") << narrow;
        QTest::newRow("wide") << wide;
    }

    void emptyEpisode_data() { sizes_data(); }
    void emptyEpisode()
    {
        QFETCH(QSize, size);
        AppState app;
        Project p = atFootage(Project{});
        p.name = u"Blank"_s;
        ProjectSession session(p);
        Stage stage(app, session, size);
        QVERIFY(stage.screen());
        QVERIFY(stage.screen()->sceneSections().isEmpty());
        stage.shoot(u"footage-empty-"_s + sizeName(size));
    }

    void samples_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<QSize>("size");
        for (int i = 0; i < SampleFactory::registry().size(); ++i) {
            const QString id = SampleFactory::registry().at(i).id;
            QTest::newRow(qPrintable(id + u"-narrow"_s)) << i << narrow;
            QTest::newRow(qPrintable(id + u"-wide"_s)) << i << wide;
        }
    }

    void samples()
    {
        QFETCH(int, sample);
        QFETCH(QSize, size);
        const SampleFactory::Sample& entry = SampleFactory::registry().at(sample);
        AppState app;
        ProjectSession session(atFootage(entry.make()));
        Stage stage(app, session, size);
        FootageView* screen = stage.screen();
        QVERIFY(screen);
        stage.shoot(u"footage-"_s + entry.id + u'-' + sizeName(size));

        // Two shots picked, the first open.
        const Episode* episode = &session.project().episodes.first();
        QList<ShotRow*> rows;
        for (const SceneCard& scene : episode->scenes)
            for (const Shot& shot : scene.shots)
                rows << screen->shotRow(shot.id);
        if (rows.size() < 2)
            return;
        for (ShotRow* row : {rows.at(0), rows.at(1)})
            QTest::mouseClick(row->checkbox(), Qt::LeftButton);
        QTest::mouseClick(rows.at(0)->disclosure(), Qt::LeftButton);
        QVERIFY(!rows.at(0)->promptText().isEmpty());
        stage.shoot(u"footage-"_s + entry.id + u"-open-"_s + sizeName(size));
    }

    void engineCardKeepsWholeControls_data() { sizes_data(); }
    void engineCardKeepsWholeControls()
    {
        // However wide the window, each control of the engine card keeps
        // its own width and its caption stays on one line; where they don't
        // all fit side by side the row goes on below, in reading order.
        QFETCH(QSize, size);
        AppState app;
        ProjectSession session(atFootage(SampleFactory::lighthouse()));
        Stage stage(app, session, size);
        EngineCard* card = stage.screen()->engineCard();
        QCoreApplication::processEvents();
        const auto boxOf = [card](QWidget* w) { return QRect(w->mapTo(card, QPoint(0, 0)), w->size()); };
        const QList<QWidget*> controls{card->clipLengthSlider()->parentWidget(), card->chainToggle(),
                                       card->characterRefsToggle(), card->takesSlider()->parentWidget(),
                                       card->resolutionPicker()};
        int rows = 1;
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QRect box = boxOf(controls[i]);
            QVERIFY(card->rect().contains(box));
            QVERIFY2(controls[i]->width() >= controls[i]->sizeHint().width(), "a control is squeezed");
            if (i == 0)
                continue;
            const QRect before = boxOf(controls[i - 1]);
            const bool sameRow = box.top() <= before.bottom() && box.bottom() >= before.top();
            QVERIFY2(sameRow ? box.left() > before.right() : box.top() > before.bottom(), "out of reading order");
            rows += sameRow ? 0 : 1;
        }
        if (size == wide)
            QCOMPARE(rows, 1);
        // Also once a caption's number has grown.
        QTest::keyClick(card->takesSlider(), Qt::Key_Right);
        QTest::keyClick(card->takesSlider(), Qt::Key_Right);
        QCOMPARE(card->takesLabel()->text(), u"TAKES PER RENDER \u2014 3"_s);
        for (FieldLabel* caption : {card->clipLengthLabel(), card->takesLabel()}) {
            QTRY_VERIFY(!caption->isElided());
            QVERIFY2(caption->width() >= caption->sizeHint().width(), "a caption wraps");
        }
        for (int i = 0; i < 4; ++i)
            QVERIFY(!card->statTile(i)->isCaptionElided());
    }

    void longPromptAndRun_data() { sizes_data(); }
    void longPromptAndRun()
    {
        QFETCH(QSize, size);
        AppState app;
        Project p = atFootage(SampleFactory::lighthouse());
        Shot& first = p.episodes[0].scenes[0].shots[0];
        first.what = u"The keeper climbs the spiral stair with the lamp oil, counting every step aloud the way her "
                     u"father did, while the storm presses the glass and the beam sweeps the black water; halfway "
                     u"up she stops, because for the first time in eleven years something out on the rocks is "
                     u"signalling back, three long and one short, over and over, patient as a heartbeat."_s;
        first.dialogue = u"Who taught you that?"_s;
        ProjectSession session(p, nullptr, 12ms);
        Stage stage(app, session, size);
        FootageView* screen = stage.screen();
        ShotRow* row = screen->shotRow(first.id);
        QTest::mouseClick(row->disclosure(), Qt::LeftButton);
        stage.shoot(u"footage-long-prompt-"_s + sizeName(size));

        RenderQueuePanel* panel = screen->queuePanel();
        QTest::mouseClick(panel->queueAllButton(), Qt::LeftButton);
        QTest::mouseClick(panel->renderButton(), Qt::LeftButton);
        QTRY_VERIFY(session.jobs().size() > 1 && session.jobs().at(1).progress >= 0.4);
        stage.shoot(u"footage-rendering-"_s + sizeName(size));
        QTRY_VERIFY_WITH_TIMEOUT(!session.isRendering(), 60000);
        stage.shoot(u"footage-rendered-"_s + sizeName(size));
    }
};

QTEST_MAIN(FootageScreensTest)
#include "FootageScreensTest.moc"
