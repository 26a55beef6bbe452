// A production whose name runs to 100 MB (a damaged or hostile file) still
// loads, lists and opens: the screens that show it shape only its start.

#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "support/Screenshots.h"
#include "views/home/HomeView.h"
#include "views/home/ProjectPosterCard.h"
#include "views/shell/EpisodePicker.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/RootView.h"
#include "views/shell/TabStrip.h"
#include "views/shell/WorkspaceHeader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Long past "never": painting the whole name takes minutes and gigabytes.
constexpr qint64 boundMs = 60'000;

QString hugeText()
{
    const QString phrase = u"Ωmega storm over the keeper’s light — "_s;
    const qsizetype bytes = phrase.toUtf8().size();
    return phrase.repeated(100 * 1000 * 1000 / bytes);
}

} // namespace

class HugeTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void hugeNamePaintsInBoundedTime()
    {
        const QString huge = hugeText();
        {
            Project p;
            p.name = huge;
            p.format = ProjectFormat::series;
            p.episodes.first().title = huge.left(1000 * 1000);
            ProjectStore store;
            QVERIFY(store.save(p));
        }
        QElapsedTimer timer;
        timer.start();

        AppState app; // loads the library from disk
        QCOMPARE(app.store().projects().size(), 1);
        const Project stored = app.store().projects().first();
        QCOMPARE(stored.name, huge);

        HomeView home(app);
        home.resize(1200, 800);
        home.grab();
        test::writeScreenshot(&home, u"huge-name-home"_s);
        QCOMPARE(home.posterCards().size(), 1);
        home.requestTrash(stored.id);
        auto* confirmation = home.trashConfirmation();
        QVERIFY(confirmation);
        confirmation->grab();
        confirmation->reject();
        QVERIFY2(timer.elapsed() < boundMs, "the home view took too long");

        app.openProject(stored);
        RootView root(app);
        root.resize(1400, 900);
        root.grab();
        test::writeScreenshot(&root, u"huge-name-workspace"_s);
        auto* workspace = qobject_cast<ProjectWorkspaceView*>(root.content());
        QVERIFY(workspace);
        EpisodePicker* picker = workspace->header()->episodePicker();
        picker->rebuildMenu();
        picker->menu()->grab();
        // A title of any length leaves the window as narrow as ever.
        QVERIFY(root.minimumSizeHint().width() <= 1100);
        QVERIFY2(timer.elapsed() < boundMs, "the workspace took too long");

        // What is shown is cut; the production itself is not.
        QCOMPARE(root.tabStrip()->chip(app.selectedTabID())->name(), huge);
        QCOMPARE(app.selectedTab()->session()->project().name, huge);
    }
};

QTEST_MAIN(HugeTextTest)
#include "HugeTextTest.moc"
