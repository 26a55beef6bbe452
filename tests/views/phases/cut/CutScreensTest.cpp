// Renders The Cut in the workspace, at the window's least size and wide: the
// empty timeline with the assemble prompt and the re-assembly question, every
// sample assembled with a clip selected, many cues with long names, and an
// assist running, into PNGs (when SCREENSHOT_DIR is set).

#include "support/PhaseScreenPictures.h"

#include "design/widgets/Alert.h"
#include "design/widgets/GhostButton.h"
#include "design/DesignSystem.h"
#include "support/KeyboardWalk.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/TimelineLanes.h"

#include <QAbstractButton>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using Stage = WorkspaceStage<CutView>;

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
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void emptyWithQuestion()
    {
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::cut;
        for (Episode& e : project.episodes)
            e.timeline.clear();
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        CutView* view = stage.screen();
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
        // Assembled, with a clip selected.
        pictureAtBothSizes<CutView>(project, PhaseID::cut, u"cut"_s, name, [](CutView* view) {
            if (view->isEmptyStateShown())
                QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
            QVERIFY(!view->isEmptyStateShown());
            tapClip(view, 1);
            QVERIFY(view->areClipControlsShown());
        });
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
        Stage stage(app, session);
        stage.backdrop.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        tapClip(stage.screen(), 1);
        const KeyboardWalk walk = walkWithTab(&stage.backdrop);
        QStringList faults = unreachedControls(&stage.backdrop, walk) + walk.outOfView + unnamedStops(walk)
            + stopsShowingNoRing(walk);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_s)));
    }

    void assistRunning()
    {
        pictureAssistRunning<CutView>(PhaseID::cut, u"cut"_s, u"Suggest music cues"_s, [](CutView* view) {
            if (view->isEmptyStateShown())
                QTest::mouseClick(view->assembleButton(), Qt::LeftButton);
        });
    }
};

QTEST_MAIN(CutScreensTest)
#include "CutScreensTest.moc"
