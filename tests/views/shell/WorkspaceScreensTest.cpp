// Renders the workspace of every sample production, and of a production with
// an open choice sheet, an error banner and a running assist, into PNGs
// (when SCREENSHOT_DIR is set) for a look against the design.

#include "support/AssistFixtures.h"

#include "design/DesignSystem.h"
#include "model/LookCatalogs.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/AssistMenu.h"
#include "state/assist/AssistResults.h"
#include "views/shell/ErrorBanner.h"
#include "views/shell/PhaseRail.h"
#include "views/shell/WorkspaceHeader.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// The workspace on the window's backdrop, at the window's least size less
// the tab strip.
struct Stage : WorkspaceStage<> {
    Stage(AppState& app, ProjectSession& session)
        : WorkspaceStage(app, session, QSize(1180, 700), false)
    {
    }
};

QImage render(QWidget* widget)
{
    const qreal scale = 2.0;
    QImage image(widget->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QPainter painter(&image);
    widget->render(&painter);
    return image;
}

} // namespace

class WorkspaceScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void samples_data()
    {
        QTest::addColumn<int>("sample");
        for (int i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry().at(i).id)) << i;
    }

    void samples()
    {
        QFETCH(int, sample);
        const SampleFactory::Sample& entry = SampleFactory::registry().at(sample);
        AppState app;
        ProjectSession session(entry.make());
        Stage stage(app, session);
        stage.backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        QCOMPARE(stage.workspace->header()->titleText(), title(session.project().activePhase));
        test::writeScreenshot(&stage.backdrop, u"workspace-"_s + entry.id);
        test::writeScreenshot(stage.workspace->rail(), u"rail-"_s + entry.id);

        // Every phase of the first sample, to see each header and rail state.
        if (sample != 0)
            return;
        test::SettledPicture settled(stage.workspace->header());
        for (PhaseID phase : allCases<PhaseID>()) {
            session.edit([phase](Project& p) { p.activePhase = phase; });
            QCOMPARE(stage.workspace->header()->titleText(), title(phase));
            QTRY_VERIFY(settled());
            test::writeScreenshot(stage.workspace->header(), u"header-"_s + rawValue(phase));
        }
    }

    void bannerAndBusyAssist()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        Project project = SampleFactory::counterCulture();
        project.activePhase = PhaseID::script;
        ProjectSession session(project);
        Stage stage(app, session);
        stage.backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        session.setActiveEpisodeID(project.episodes.value(1).id);
        QVERIFY(runEntry(session, u"Draft the opening from beats"_s));
        session.setAiError(u"AI request failed (429). Rate limit reached for requests per minute; please retry "
                           u"after a short pause so the service can catch up with your studio."_s);
        QTRY_COMPARE(stage.workspace->header()->assistMenu()->labelText(), u"Thinking\u2026"_s);
        QTRY_VERIFY(!stage.workspace->errorBanner()->isHidden());
        test::writeScreenshot(&stage.backdrop, u"workspace-busy-banner"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }

    void openChoiceSheet()
    {
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::look;
        ProjectSession session(project);
        Stage stage(app, session);
        stage.backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));

        AIDirector::LookRecommendation r;
        r.styleID = StylePreset::catalog().value(5).id;
        r.lensID = DirectorLens::catalog().value(0).id;
        r.aspectID = u"scope239"_s;
        r.notes = u"Keep the horizon low and let the lamp be the only warm source; everything else falls to "
                  u"sodium and blue."_s;
        r.why = u"A lonely keeper against a hostile sea reads best in silhouette, with one motivated light."_s;
        AssistResults::apply(session, AssistResults::recommendLook(r));
        AIChoiceSheet* sheet = stage.workspace->choiceSheet();
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        test::writeScreenshot(sheet, u"choice-sheet-look"_s);

        QImage composite = render(&stage.backdrop);
        {
            QPainter p(&composite);
            p.fillRect(QRect(QPoint(0, 0), stage.backdrop.size()), QColor(0, 0, 0, 90));
            const QPoint at((stage.backdrop.width() - sheet->width()) / 2, (stage.backdrop.height() - sheet->height()) / 2);
            p.drawImage(QRect(at, sheet->size()), render(sheet));
        }
        test::writeImage(composite, u"workspace-choice-sheet"_s);

        // Three loglines, no detail, and a subtitle that wraps.
        AssistResults::apply(session, AssistResults::sharpenLogline(
                                          {u"A lighthouse keeper who has never missed a night must choose between "
                                           u"the lamp and the daughter the storm brings to her door."_s,
                                           u"When the sea starts answering her signals, a solitary keeper learns the "
                                           u"light was never meant for ships."_s,
                                           u"The last keeper on a drowned coast guards a lamp nobody needs — until "
                                           u"someone does."_s}));
        sheet = stage.workspace->choiceSheet();
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        test::writeScreenshot(sheet, u"choice-sheet-loglines"_s);
        session.dismissChoice();
    }
};

QTEST_MAIN(WorkspaceScreensTest)
#include "WorkspaceScreensTest.moc"
