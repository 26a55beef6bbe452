// Renders The Cut in the workspace, at the window's least size and wide: the
// empty timeline with the assemble prompt and the re-assembly question, every
// sample assembled with a clip selected, many cues with long names, and an
// assist running, into PNGs (when SCREENSHOT_DIR is set).

#include "support/AssistFixtures.h"

#include "design/widgets/Alert.h"
#include "design/style/AuroraBackground.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Theme.h"
#include "services/SampleFactory.h"
#include "support/KeyboardWalk.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/TimelineLanes.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

struct Stage : test::WorkspaceStage<CutView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size)
    {
    }
    CutView* cut() const { return screen(); }
};

const QSize narrow(1080, 700);
const QSize wide(1600, 1000);

void tapClip(CutView* view, int index)
{
    const QList<TimelineClip>& timeline = view->activeEpisode()->timeline;
    const QRectF tile = view->lanes()->clipRect(timeline.at(index).id);
    QTest::mouseClick(view->lanes(), Qt::LeftButton, {}, tile.center().toPoint());
}

Project longNames()
{
    Project p = SampleFactory::lighthouse();
    Episode& e = p.episodes.first();
    for (int i = 0; i < 14; ++i)
        e.musicCues << MusicCue{.id = newId(),
                                .name = QString(u"The Long Night Watch Over Salt and Glass %1 "_s.arg(i + 1)).repeated(1 + i % 3),
                                .mood = QString(u"Bowed saw, low strings, foghorn as a pedal tone; "_s).repeated(1 + i % 4)};
    e.timeline.clear();
    for (int i = 0; i < 40; ++i)
        e.timeline << TimelineClip{.id = newId(), .shotID = std::nullopt,
                                   .label = u"S%1\u00B7%2 Extraordinarily long clip label"_s.arg(i / 4 + 1).arg(i % 4 + 1),
                                   .seconds = double(1 + (i * 7) % 40), .seed = newSeed(), .hasDialogue = i % 3 == 0};
    return p;
}

} // namespace

class CutScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void emptyWithQuestion()
    {
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::cut;
        for (Episode& e : project.episodes)
            e.timeline.clear();
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        CutView* view = stage.cut();
        QVERIFY(view);
        QVERIFY(view->isEmptyStateShown());
        writeScreenshot(&stage.backdrop, u"cut-empty"_s);

        QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
        QVERIFY(!view->isEmptyStateShown());
        QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
        Alert* alert = view->reassembleAlert();
        QVERIFY(alert);
        QVERIFY(QTest::qWaitForWindowExposed(alert));
        writeScreenshot(alert, u"cut-reassemble-alert"_s);
        alert->cancelButton()->click();
    }

    void samples_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("name");
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << sample.make() << sample.id;
        QTest::newRow("long") << longNames() << u"long"_s;
    }

    void samples()
    {
        QFETCH(Project, project);
        QFETCH(QString, name);
        project.activePhase = PhaseID::cut;
        AppState app;
        ProjectSession& session = openSession(app, project);
        for (const QSize& size : {narrow, wide}) {
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            CutView* view = stage.cut();
            QVERIFY(view);
            if (view->isEmptyStateShown())
                QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
            QVERIFY(!view->isEmptyStateShown());
            tapClip(view, 1);
            QVERIFY(view->areClipControlsShown());
            const QString suffix = size == narrow ? u""_s : u"-wide"_s;
            writeScreenshot(&stage.backdrop, u"cut-"_s + name + suffix);
            if (name == u"long"_s && size == narrow) {
                QScrollBar* bar = view->page()->verticalScrollBar();
                bar->setValue(bar->maximum());
                writeScreenshot(&stage.backdrop, u"cut-long-bottom"_s);
            }
        }
    }

    void aFullCutWalksWithTab()
    {
        // A cut with its clip controls and many cues, walked with Tab at the
        // window's least size: every control is a stop in view, named and
        // showing its ring.
        Project project = longNames();
        project.activePhase = PhaseID::cut;
        AppState app;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        stage.backdrop.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        tapClip(stage.cut(), 1);
        const KeyboardWalk walk = walkWithTab(&stage.backdrop);
        QStringList faults = unreachedControls(&stage.backdrop, walk) + walk.outOfView + unnamedStops(walk)
            + stopsShowingNoRing(walk);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_s)));
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::cut;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        CutView* view = stage.cut();
        QVERIFY(view);
        if (view->isEmptyStateShown())
            QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
        QVERIFY(runEntry(session, u"Suggest music cues"_s));
        QTRY_VERIFY(model.requestCount() > 0);
        writeScreenshot(&stage.backdrop, u"cut-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }
};

QTEST_MAIN(CutScreensTest)
#include "CutScreensTest.moc"
