// Every accessible object of every window asked every question a screen
// reader may ask, with accessibility on: Home on a first run and with a
// library, both steps of the new-production sheet, the three Settings tabs
// and the nine phase screens of a sample production. Each answers at once,
// answers nothing out of range, and none crashes or hangs.

#include "app/MainWindow.h"
#include "views/shell/RootView.h"
#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/AccessibleSweep.h"
#include "support/Listening.h"
#include "support/ScreenSize.h"
#include "views/home/NewProjectSheet.h"
#include "views/settings/SettingsWindow.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QSize size(1280, 800);

// The sweep of a window, what it found listed whole (a failure's own
// message is cut short).
test::Sweep swept(QWidget* window, const QString& what)
{
    const test::Sweep sweep = test::sweepAccessible(window);
    for (const QString& fault : sweep.faults + sweep.boundaryFaults)
        qInfo().noquote() << what << fault;
    return sweep;
}

} // namespace

class AccessibilitySweepTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
    }

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
        MainWindow window(app);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const test::Sweep sweep = swept(&window, u"Home:"_s);
        QVERIFY(sweep.objects > 1);
        QVERIFY2(sweep.faults.isEmpty() && sweep.boundaryFaults.isEmpty(), "faults listed above");
    }

    void newProductionSheet()
    {
        AppState app;
        MainWindow window(app);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        app.setShowingNewProject(true);
        QPointer<NewProjectSheet> sheet;
        QTRY_VERIFY((sheet = NewProjectSheet::openFor(app)));
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        for (const QString& step : {u"formats"_s, u"details"_s}) {
            if (step == u"details"_s)
                sheet->pickFormat(ProjectFormat::series);
            const test::Sweep sweep = swept(sheet, u"Sheet, "_s + step + u':');
            QVERIFY(sweep.objects > 1);
            QVERIFY2(sweep.faults.isEmpty() && sweep.boundaryFaults.isEmpty(), "faults listed above");
        }
        sheet->close();
    }

    void settings()
    {
        AppState app;
        MainWindow host(app);
        host.resize(size);
        host.show();
        QPointer<SettingsWindow> window = SettingsWindow::present(app, host.rootView()->content());
        QStringList boundaries;
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (const auto& [tab, name] : {std::pair{SettingsWindow::Tab::general, u"General"_s},
                                        std::pair{SettingsWindow::Tab::ai, u"AI"_s},
                                        std::pair{SettingsWindow::Tab::updates, u"Updates"_s}}) {
            window->setCurrentTab(tab);
            const test::Sweep sweep = swept(window, u"Settings, "_s + name + u':');
            QVERIFY(sweep.objects > 1);
            QVERIFY2(sweep.faults.isEmpty(), "faults listed above");
            boundaries += sweep.boundaryFaults;
        }
        window->close();
        QVERIFY2(boundaries.isEmpty(), "faults of text boundaries listed above");
    }

    void phases_data()
    {
        QTest::addColumn<PhaseID>("phase");
        for (PhaseID phase : allCases<PhaseID>())
            QTest::newRow(qPrintable(rawValue(phase))) << phase;
    }
    void phases()
    {
        QFETCH(PhaseID, phase);
        AppState app;
        Project project = SampleFactory::lighthouse();
        project.activePhase = phase;
        app.openProject(project);
        MainWindow window(app);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const test::Sweep sweep = swept(&window, rawValue(phase) + u':');
        QVERIFY(sweep.objects > 1);
        QVERIFY2(sweep.faults.isEmpty() && sweep.boundaryFaults.isEmpty(), "faults listed above");
    }
};

STUDIO_TEST_MAIN_ON_SCREEN(AccessibilitySweepTest, 1920, 1080)
#include "AccessibilitySweepTest.moc"
