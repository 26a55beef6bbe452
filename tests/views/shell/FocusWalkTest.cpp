// Every window and screen walked with Tab, at the largest and the smallest
// window size: every control a click reaches is a stop, each stop is in view
// while it has the focus, is read out by a name and shows a ring.

#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/KeyboardWalk.h"
#include "views/home/NewProjectSheet.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/RootView.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QSize largest(1440, 900);
const QSize smallest(1080, 700);

// What the walk of the window found wrong, one line a fault; rings are
// looked at in the large window only (they do not depend on its size).
QStringList faultsOfWalk(QWidget* window, bool rings)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {u"the window never became active"_s};
    const test::KeyboardWalk walk = test::walkWithTab(window);
    if (walk.stops.isEmpty())
        return {u"no stop takes the focus"_s};
    QStringList faults;
    for (const QString& c : test::unreachedControls(window, walk))
        faults.append(u"no stop reaches "_s + c);
    for (const QString& c : walk.outOfView)
        faults.append(u"out of view with the focus: "_s + c);
    for (const QString& c : test::unnamedStops(walk))
        faults.append(u"read out by no name: "_s + c);
    if (rings) {
        for (const QString& c : test::stopsShowingNoRing(walk))
            faults.append(u"shows no ring: "_s + c);
    }
    // Listed whole: a failure's own message is cut short.
    for (const QString& fault : faults)
        qInfo().noquote() << fault;
    return faults;
}


} // namespace

class FocusWalkTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void init() { QDir(ProjectStore::rootPath()).removeRecursively(); }

    void home_data()
    {
        QTest::addColumn<bool>("library");
        QTest::addColumn<QSize>("size");
        QTest::newRow("first run") << false << largest;
        QTest::newRow("library") << true << largest;
        QTest::newRow("library, small") << true << smallest;
    }
    void home()
    {
        QFETCH(bool, library);
        QFETCH(QSize, size);
        AppState app;
        if (library) {
            for (const SampleFactory::Sample& sample : SampleFactory::registry())
                QVERIFY(app.store().save(sample.make()));
        }
        RootView root(app);
        root.resize(size);
        root.show();
        const QStringList faults = faultsOfWalk(&root, size == largest);
        QVERIFY2(faults.isEmpty(), "faults listed above");
    }

    void newProductionSheet()
    {
        AppState app;
        RootView root(app);
        root.resize(smallest);
        root.show();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        app.setShowingNewProject(true);
        QPointer<NewProjectSheet> sheet;
        QTRY_VERIFY((sheet = NewProjectSheet::openFor(app)));
        for (ProjectFormat format : {ProjectFormat::shortFilm, ProjectFormat::series}) {
            sheet->pickFormat(format);
            const QStringList faults = faultsOfWalk(sheet, true);
            QVERIFY2(faults.isEmpty(), qPrintable(rawValue(format) + u": faults listed above"_s));
        }
        sheet->close();
    }

    void settings()
    {
        AppState app;
        RootView root(app);
        root.resize(largest);
        root.show();
        SettingsWindow* window = SettingsWindow::present(app, root.content());
        for (const SettingsWindow::Tab tab :
             {SettingsWindow::Tab::general, SettingsWindow::Tab::ai, SettingsWindow::Tab::updates}) {
            window->setCurrentTab(tab);
            const QStringList faults = faultsOfWalk(window, true);
            QVERIFY2(faults.isEmpty(), "faults listed above");
        }
        window->close();
    }

    void workspace_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QSize>("size");
        for (const QSize& size : {largest, smallest}) {
            for (PhaseID phase : allCases<PhaseID>()) {
                const QString row = rawValue(phase) + u' ' + QString::number(size.width());
                QTest::newRow(qPrintable(row)) << phase << size;
            }
        }
    }
    void workspace()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QSize, size);
        AppState app;
        // The sample with several episodes, so the header shows its picker.
        Project project = SampleFactory::counterCulture();
        project.activePhase = phase;
        app.openProject(project);
        RootView root(app);
        root.resize(size);
        root.show();
        const QStringList faults = faultsOfWalk(&root, size == largest);
        QVERIFY2(faults.isEmpty(), "faults listed above");
    }
};

QTEST_MAIN(FocusWalkTest)
#include "FocusWalkTest.moc"
