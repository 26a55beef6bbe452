// The display gone under the running program: the compositor or the X
// server killed while a production holds an edit not yet written. Qt's
// platform ends the program at once; the edit is on disk all the same. The
// test starts itself as the program (the same start-up as main()) as a client
// of a Weston without a screen and of an Xvfb server, kills the server and
// reads the document.

#include "app/StudioApp.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "support/DisplayServers.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QString childFlag = u"--run-studio"_s;
const QString marker = u"Renamed a moment before the display went"_s;

// The program with one production open and renamed; the rename waits for no
// autosave (as one would that had not fallen due yet). Prints the
// production's id once the window is on screen.
int runStudio(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    StudioApp::configure(qapp);
    StudioApp studio;
    AppState& app = studio.state();
    const Project production = SampleFactory::lighthouse();
    app.openProject(production);
    ProjectSession* session = app.selectedTab()->session();
    session->edit([](Project& p) { p.name = marker; });
    app.store().cancelAutosave(production.id);
    studio.show();
    QTimer::singleShot(0, &studio, [&] {
        std::printf("ready %s\n", qPrintable(production.id.toString(QUuid::WithoutBraces)));
        std::fflush(stdout);
    });
    return qapp.exec();
}

QString storedName(const QString& id)
{
    QFile file(ProjectStore::folderPath(QUuid::fromString(id)) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QJsonDocument::fromJson(file.readAll()).object().value(u"name"_s).toString();
}

} // namespace

class DisplayLossTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theEditIsSavedWhenTheDisplayIsGone_data()
    {
        QTest::addColumn<QString>("server");
        QTest::newRow("Wayland compositor") << u"weston"_s;
        QTest::newRow("X server") << u"xvfb"_s;
    }

    void theEditIsSavedWhenTheDisplayIsGone()
    {
        QFETCH(QString, server);
        std::unique_ptr<test::DisplayServer> display;
        if (server == u"weston"_s) {
            if (!test::HeadlessWeston::installed())
                QSKIP("Weston is not installed (scripts/setup installs it)");
            display = std::make_unique<test::HeadlessWeston>(QSize(1366, 768), 1);
        } else {
            if (!test::VirtualX::installed())
                QSKIP("Xvfb is not installed (scripts/setup installs it)");
            display = std::make_unique<test::VirtualX>(QSize(1366, 768));
        }
        const QString failed = display->start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        QProcess child;
        child.setProcessEnvironment(display->clientEnvironment(QProcessEnvironment::systemEnvironment()));
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {childFlag});
        QVERIFY(child.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }, 60000));
        const QString ready = QString::fromUtf8(child.readLine()).trimmed();
        QVERIFY2(ready.startsWith(u"ready "_s), qPrintable(ready));
        const QString id = ready.mid(6);
        QVERIFY(storedName(id) != marker);

        display->kill();
        QVERIFY2(child.waitForFinished(30000), "the program outlived its display");
        QCOMPARE(storedName(id), marker);
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == childFlag)
            return runStudio(argc, argv);
    }
    QCoreApplication app(argc, argv);
    DisplayLossTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DisplayLossTest.moc"
