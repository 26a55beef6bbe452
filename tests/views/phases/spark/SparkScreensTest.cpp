// Renders the Spark screen in the workspace, at the window's least size and
// wide, for every sample production, new productions, long texts with a full
// idea board, and an assist running, into PNGs (when SCREENSHOT_DIR is set).

#include "support/AssistFixtures.h"

#include "design/style/AuroraBackground.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Theme.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/IdeaCardView.h"
#include "views/phases/spark/SparkView.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

struct Stage : test::WorkspaceStage<SparkView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size)
    {
    }
    SparkView* spark() const { return screen(); }
};

const QSize narrow(1080, 700);
const QSize wide(1600, 1000);

Project longTexts()
{
    Project p = SampleFactory::cloudFarmer();
    p.name = u"The Extraordinarily Long Working Title of a Production That Never Learned to Stop"_s;
    p.idea.logline = QString(u"A retired lighthouse keeper who counts every ship that never arrives "_s).repeated(6);
    p.idea.themes = {u"Vigilance"_s, u"Grief as a weather system that never quite clears"_s, u"Salt"_s};
    p.idea.cards.clear();
    const QList<IdeaCardKind> kinds = allCases<IdeaCardKind>();
    for (int i = 0; i < 40; ++i)
        p.idea.cards << IdeaCard{.id = newId(), .kind = kinds.at(i % kinds.size()),
                                 .text = QString(u"Fragment %1 of the board, "_s.arg(i + 1)).repeated(1 + i % 4)};
    p.idea.genres = allCases<Genre>();
    p.format = ProjectFormat::anthology;
    return p;
}

} // namespace

class SparkScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void productions_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("name");
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << sample.make() << sample.id;
        QTest::newRow("made") << Project::make() << u"made"_s;
        ProjectStore store;
        QTest::newRow("created") << store.create(QString(), ProjectFormat::series, 6, {}, 28) << u"created"_s;
        QTest::newRow("long") << longTexts() << u"long"_s;
    }

    void productions()
    {
        QFETCH(Project, project);
        QFETCH(QString, name);
        project.activePhase = PhaseID::spark;
        AppState app;
        ProjectSession& session = openSession(app, project);
        for (const QSize& size : {narrow, wide}) {
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            SparkView* spark = stage.spark();
            QVERIFY(spark);
            const QString suffix = size == narrow ? u""_s : u"-wide"_s;
            writeScreenshot(&stage.backdrop, u"spark-"_s + name + suffix);
            if (name == u"long"_s && size == narrow) {
                QScrollBar* bar = spark->page()->verticalScrollBar();
                bar->setValue(bar->maximum());
                writeScreenshot(&stage.backdrop, u"spark-long-bottom"_s);
            }
        }
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = PhaseID::spark;
        ProjectSession& session = openSession(app, project);
        Stage stage(app, session, narrow);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        QVERIFY(runEntry(session, u"Brainstorm idea fragments"_s));
        QTRY_VERIFY(model.requestCount() > 0);
        writeScreenshot(&stage.backdrop, u"spark-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }
};

QTEST_MAIN(SparkScreensTest)
#include "SparkScreensTest.moc"
