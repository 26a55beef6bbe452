// Renders the look screen inside the workspace (at the window's least size
// and wide) and as a whole page, for a new production, a chosen style and
// lens, a vertical frame and every sample, into PNGs when SCREENSHOT_DIR is
// set. The workspace opens the look phase on this screen.

#include "design/style/AuroraBackground.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Spring.h"
#include "design/DesignSystem.h"
#include "model/LookCatalogs.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/look/LookView.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QApplication>
#include <algorithm>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// The workspace on the window's backdrop.
struct Stage : test::WorkspaceStage<LookView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size, false)
    {
    }
};

Project lookProject(Project p)
{
    p.activePhase = PhaseID::look;
    return p;
}

} // namespace

class LookScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void screens_data()
    {
        QTest::addColumn<Project>("project");
        QTest::newRow("new") << lookProject(Project{});

        Project chosen;
        chosen.look.styleID = u"claymation"_s;
        chosen.look.directorLensID = DirectorLens::catalog().value(1).id;
        chosen.look.lensFeel = {u"Wide & close"_s, u"Deep focus"_s};
        chosen.look.moodWords = {u"Tender"_s, u"Handmade"_s, u"A very long mood word that keeps going"_s};
        chosen.look.notes = u"Every frame is a diorama: the camera never floats, it sits on a table."_s;
        QTest::newRow("chosen") << lookProject(chosen);

        Project vertical;
        vertical.look.aspect = AspectRatio::vertical916;
        vertical.look.styleID = u"neonNeoNoir"_s;
        vertical.look.accentHex = u"not a colour"_s;
        QTest::newRow("vertical") << lookProject(vertical);

        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << lookProject(sample.make());
    }

    void screens()
    {
        QFETCH(Project, project);
        const QString name = u"look-"_s + QString::fromLatin1(QTest::currentDataTag());
        AppState app;
        ProjectSession session(project);
        for (const QSize size : {QSize(1080, 700), QSize(1600, 1000)}) {
            Stage stage(app, session, size);
            stage.backdrop.show();
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            LookView* screen = stage.screen();
            QVERIFY(screen);
            const QList<Spring*> springs = stage.backdrop.findChildren<Spring*>();
            QTRY_VERIFY(std::none_of(springs.cbegin(), springs.cend(), [](Spring* s) { return s->isMoving(); }));
            const QString suffix = size.width() > 1080 ? u"-wide"_s : QString();
            test::writeScreenshot(&stage.backdrop, name + suffix);
            if (size.width() == 1080)
                test::writeScreenshot(screen->page()->content(), name + u"-page"_s);
        }
    }
};

QTEST_MAIN(LookScreensTest)
#include "LookScreensTest.moc"
