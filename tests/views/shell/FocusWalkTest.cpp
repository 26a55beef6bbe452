// Every screen of the window walked with Tab: each stop shows the keyboard
// focus, from the first stop to the last.

#include "design/Theme.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/FocusPictures.h"
#include "support/Screenshots.h"
#include "views/home/NewProjectSheet.h"
#include "views/shell/RootView.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Walks the window; a failure names the stops that show nothing.
void walk(QWidget* window)
{
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
    // Fades and springs come to rest first.
    test::SettledPicture settled(window);
    QTRY_VERIFY(settled());
    int stops = 0;
    const QStringList silent = test::stopsShowingNoFocus(window, &stops);
    QVERIFY2(stops > 0, "no stop takes the focus");
    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(u"; "_s)));
}

} // namespace

class FocusWalkTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }
    void init() { QDir(ProjectStore::rootPath()).removeRecursively(); }

    void home_data()
    {
        QTest::addColumn<bool>("library");
        QTest::newRow("first run") << false;
        QTest::newRow("library") << true;
    }
    void home()
    {
        QFETCH(bool, library);
        AppState app;
        if (library) {
            for (const SampleFactory::Sample& sample : SampleFactory::registry())
                QVERIFY(app.store().save(sample.make()));
        }
        RootView root(app);
        root.resize(1280, 800);
        root.show();
        walk(&root);
    }

    void newProductionSheet()
    {
        AppState app;
        RootView root(app);
        root.resize(1280, 800);
        root.show();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        app.setShowingNewProject(true);
        QPointer<NewProjectSheet> sheet;
        QTRY_VERIFY((sheet = NewProjectSheet::openFor(app)));
        walk(sheet);
        sheet->pickFormat(ProjectFormat::series);
        walk(sheet);
        sheet->close();
    }

    void workspace_data()
    {
        QTest::addColumn<PhaseID>("phase");
        for (PhaseID phase : allCases<PhaseID>())
            QTest::newRow(qPrintable(rawValue(phase))) << phase;
    }
    void workspace()
    {
        QFETCH(PhaseID, phase);
        AppState app;
        // The sample with several episodes, so the header shows its picker.
        Project project = SampleFactory::counterCulture();
        project.activePhase = phase;
        app.openProject(project);
        RootView root(app);
        root.resize(1280, 800);
        root.show();
        walk(&root);
    }
};

QTEST_MAIN(FocusWalkTest)
#include "FocusWalkTest.moc"
