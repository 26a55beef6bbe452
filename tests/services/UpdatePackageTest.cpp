#include "services/Bundle.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "support/FakeUpdateBundle.h"
#include "support/LoopbackHttpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace studio;
using namespace studio::test;

namespace {

// The install step of the build: the same layout scripts/package zips.
bool installBundle(const QString& prefix)
{
    QProcess cmake;
    cmake.start(QStringLiteral(STUDIO_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(STUDIO_BINARY_DIR), QStringLiteral("--prefix"), prefix});
    if (!cmake.waitForFinished(60000) || cmake.exitStatus() != QProcess::NormalExit || cmake.exitCode() != 0) {
        qWarning().noquote() << cmake.readAllStandardError();
        return false;
    }
    return true;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The real package: the installed program replaces an older installed copy of itself.
class UpdatePackageTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        usePrivateHome(m_root.path());
    }

    void layout()
    {
        QTemporaryDir dir(m_root.filePath(QStringLiteral("layoutXXXXXX")));
        const QString app = dir.filePath(QStringLiteral("Palisademotion.app"));
        QVERIFY(installBundle(app));
        QCOMPARE(treeOf(app), (QStringList{"Info.json", "bin", "bin/palisademotion"}));
        QCOMPARE(Bundle::rootForExecutableDir(app + QStringLiteral("/bin")), app);
        QCOMPARE(Bundle::shortVersion(app), QStringLiteral(STUDIO_VERSION));
        QCOMPARE(Bundle::problem(app), QString());
        // The built program (its build-tree search path stripped by the install).
        QVERIFY(contents(app + QStringLiteral("/bin/palisademotion")).startsWith("\x7f" "ELF"));
    }

    void installsOverAnOlderCopy()
    {
        QTemporaryDir dir(m_root.filePath(QStringLiteral("caseXXXXXX")));
        const QString fresh = dir.filePath(QStringLiteral("dist/Palisademotion.app"));
        const QString running = dir.filePath(QStringLiteral("apps/Palisademotion.app"));
        QVERIFY(installBundle(fresh));
        QVERIFY(installBundle(running));
        QVERIFY(writeFile(running + QStringLiteral("/Info.json"), "{\"CFBundleShortVersionString\": \"0.0.1\"}\n"));

        // Zipped the way scripts/package zips it.
        const QString archive = dir.filePath(QStringLiteral("dist/Palisademotion-" STUDIO_VERSION ".zip"));
        QProcess zip;
        zip.setWorkingDirectory(dir.filePath(QStringLiteral("dist")));
        zip.start(QStringLiteral("zip"), {QStringLiteral("-qry"), QStringLiteral("-X"), archive,
                                          QStringLiteral("Palisademotion.app")});
        QVERIFY(zip.waitForFinished(60000) && zip.exitCode() == 0);

        LoopbackHttpServer server;
        QVERIFY(server.start());
        const QByteArray zipBytes = contents(archive);
        server.setHandler([&](const HttpRequest& request) {
            if (request.path == "/appcast.json") {
                QJsonObject feed;
                feed.insert(QStringLiteral("version"), QStringLiteral(STUDIO_VERSION));
                feed.insert(QStringLiteral("notes"), QStringLiteral("The build under test."));
                feed.insert(QStringLiteral("zipURL"), server.url(QStringLiteral("/Palisademotion.zip")).toString());
                return HttpResponse{200, QJsonDocument(feed).toJson()};
            }
            return HttpResponse{200, zipBytes, "application/zip"};
        });
        Settings::instance().setString(Settings::updateFeedURLKey,
                                       server.url(QStringLiteral("/appcast.json")).toString());

        UpdateService service;
        service.setBundlePath(running);
        service.setUrlPolicy([](const QUrl& url) { return url.host() == QLatin1String("127.0.0.1"); });
        QStringList launched;
        bool quit = false;
        service.setLauncher([&](const QString& program) {
            launched.append(program);
            return true;
        });
        service.setQuitFunction([&] { quit = true; });
        QCOMPARE(service.currentVersion(), QStringLiteral("0.0.1"));

        QCoro::waitFor(service.check());
        QCOMPARE(service.phase().kind, UpdatePhase::Kind::available);
        QCoro::waitFor(service.downloadAndInstall(service.phase().info));

        QCOMPARE(service.phase(), UpdatePhase::installing());
        QCOMPARE(launched, QStringList{running + QStringLiteral("/bin/palisademotion")});
        QVERIFY(quit);
        QCOMPARE(Bundle::shortVersion(running), QStringLiteral(STUDIO_VERSION));
        QCOMPARE(Bundle::problem(running), QString());
        QCOMPARE(contents(running + QStringLiteral("/bin/palisademotion")),
                 contents(fresh + QStringLiteral("/bin/palisademotion")));
        const QString trashed = m_root.filePath(QStringLiteral("home/.local/share/Trash/files/Palisademotion.app"));
        QCOMPARE(Bundle::shortVersion(trashed), QStringLiteral("0.0.1"));
        QCOMPARE(treeOf(m_root.filePath(QStringLiteral("tmp"))), QStringList());
    }
};

QTEST_GUILESS_MAIN(UpdatePackageTest)
#include "UpdatePackageTest.moc"
