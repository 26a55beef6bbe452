// Renders the Premiere screen in the workspace, at the window's least size
// (top and scrolled to the bottom) and wide, for every sample production, a
// new production, a long name and press kit, an assist running, and the
// export bar while exporting, after a success and after a failure, into
// PNGs (when SCREENSHOT_DIR is set).

#include "support/AssistFixtures.h"

#include "design/style/AuroraBackground.h"
#include "design/widgets/ScrollColumn.h"
#include "design/DesignSystem.h"
#include "services/SampleFactory.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "design/widgets/GhostButton.h"
#include "views/phases/premiere/ExportBar.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "state/ExportRun.h"
#include "state/ProjectSession.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct Stage : test::WorkspaceStage<PremiereView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size)
    {
    }
    PremiereView* premiere() const { return screen(); }
    void scrollToBottom() const
    {
        QScrollBar* bar = premiere()->page()->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
};

const QSize narrow(1080, 700);
const QSize wide(1600, 1000);

Project longTexts()
{
    Project p = SampleFactory::lighthouse();
    p.name = u"The Extraordinarily Long Working Title of a Production That Never Learned to Stop Talking"_s;
    p.idea.genres = allCases<Genre>();
    p.idea.pressKit = u"SYNOPSIS\n"_s
        + QString(u"A retired lighthouse keeper counts every ship that never arrives, until one does. "_s).repeated(8)
        + u"\n\nTAGLINES\n\u2022 The light was never for the ships.\n\u2022 Some storms wait for you."_s;
    return p;
}

} // namespace

class PremiereScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void productions_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("name");
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << sample.make() << sample.id;
        QTest::newRow("new") << Project::make() << u"new"_s;
        QTest::newRow("long") << longTexts() << u"long"_s;
    }

    void productions()
    {
        QFETCH(Project, project);
        QFETCH(QString, name);
        project.activePhase = PhaseID::premiere;
        AppState app;
        ProjectSession& session = openSession(app, project);
        for (const QSize& size : {narrow, wide}) {
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            QVERIFY(stage.premiere());
            const QString suffix = size == narrow ? u""_s : u"-wide"_s;
            writeScreenshot(&stage.backdrop, u"premiere-"_s + name + suffix);
            if (size == narrow) {
                stage.scrollToBottom();
                writeScreenshot(&stage.backdrop, u"premiere-"_s + name + u"-bottom"_s);
            }
        }
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        Project project = SampleFactory::counterCulture();
        project.activePhase = PhaseID::premiere;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        QVERIFY(runEntry(session, u"Write the press kit"_s));
        QVERIFY(session.aiBusy());
        stage.scrollToBottom();
        writeScreenshot(&stage.backdrop, u"premiere-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }

    void theResultRowShowsUnderTheButtonAtTheEndOfThePage()
    {
        // Exported from the end of the page, where the button is: the row
        // that tells how it went comes into view without another scroll.
        QTemporaryDir root;
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::premiere;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, QSize(1440, 900));
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        PremiereView* view = stage.premiere();
        session.setExportTarget(root.path(), 1ms);
        stage.scrollToBottom();
        view->runExport();
        QTRY_VERIFY(session.lastExport() && session.lastExport()->path);
        QWidget* reveal = view->exportBar()->revealButton();
        QWidget* viewport = view->page()->viewport();
        QTRY_VERIFY(viewport->rect().contains(QRect(reveal->mapTo(viewport, QPoint()), reveal->size())));

        // Scrolled away from the end, the page stays where the user left it.
        QScrollBar* bar = view->page()->verticalScrollBar();
        bar->setValue(0);
        view->runExport();
        QTRY_VERIFY(session.lastExport() && session.lastExport()->path);
        QTRY_VERIFY(!view->exportBar()->successRow()->isHidden());
        QCOMPARE(bar->value(), 0);
    }

    void exportStates()
    {
        QTemporaryDir root;
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::premiere;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        PremiereView* view = stage.premiere();
        session.setExportTarget(root.path(), 40ms);
        stage.scrollToBottom();
        view->runExport();
        QTRY_VERIFY(session.exportRun() && session.exportRun()->progress() >= 0.4);
        writeScreenshot(&stage.backdrop, u"premiere-exporting"_s);
        QTRY_VERIFY(session.lastExport() && session.lastExport()->path);
        writeScreenshot(&stage.backdrop, u"premiere-exported"_s);

        QFile blocker(root.filePath(u"Blocked"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        session.setExportTarget(root.filePath(u"Blocked"_s), 1ms);
        view->runExport();
        QTRY_VERIFY(session.lastExport() && session.lastExport()->error);
        writeScreenshot(&stage.backdrop, u"premiere-export-failed"_s);
    }
};

QTEST_MAIN(PremiereScreensTest)
#include "PremiereScreensTest.moc"
