#include "services/Settings.h"
#include "services/UpdateArchive.h"
#include "services/UpdateError.h"
#include "services/UpdateService.h"
#include "support/FakeUpdateBundle.h"
#include "support/LoopbackHttpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>

using namespace studio;
using namespace studio::test;

namespace {

bool loopbackOrFile(const QUrl& url)
{
    return url.scheme() == QLatin1String("file")
        || (url.scheme() == QLatin1String("http") && url.host() == QLatin1String("127.0.0.1"));
}

QString failed(const QString& description)
{
    return UpdateService::installFailureText(description);
}

} // namespace

// Downloading, unpacking and replacing a bundle in a temporary folder, with a
// recorded launch and quit instead of real ones.
class UpdateInstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    std::unique_ptr<QTemporaryDir> m_case;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<UpdateService> m_service;
    QString m_apps;      // the folder the running bundle lives in
    QString m_bundle;    // the running bundle (version 1.0)
    QStringList m_oldTree;
    QByteArray m_archive; // served at /update.zip
    HttpResponse m_archiveResponse;
    QStringList m_events; // "save", "launch <path>", "quit"
    bool m_saveSucceeds = true;
    bool m_launchSucceeds = true;
    std::function<void()> m_onSave;

    QString trash() const
    {
        return m_root.filePath(QStringLiteral("home/.local/share/Trash"));
    }

    // An archive of the folders `build` writes into a fresh tree, zipped as `members`.
    QByteArray makeArchive(const std::function<void(const QString&)>& build,
                           const QStringList& members = {QStringLiteral("Palisademotion.app")})
    {
        QTemporaryDir dir(m_case->filePath(QStringLiteral("zipXXXXXX")));
        const QString tree = dir.filePath(QStringLiteral("tree"));
        QDir().mkpath(tree);
        build(tree);
        const QString archive = dir.filePath(QStringLiteral("a.zip"));
        if (!zipMembers(tree, archive, members))
            return {};
        QFile file(archive);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QByteArray newVersionArchive()
    {
        return makeArchive([](const QString& tree) {
            const QString app = writeFakeBundle(tree, QStringLiteral("2.0"));
            QFile::link(QStringLiteral("../bin/palisademotion"), app + QStringLiteral("/share/launcher"));
        });
    }

    UpdateInfo infoFor(const QString& zipURL) const
    {
        return {QStringLiteral("2.0"), QStringLiteral("Notes."), zipURL, std::nullopt};
    }

    UpdateInfo served() const { return infoFor(m_server->url(QStringLiteral("/update.zip")).toString()); }

    void install(const UpdateInfo& info) { QCoro::waitFor(m_service->downloadAndInstall(info)); }

    void verifyOldBundleUntouched()
    {
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("1.0"));
        QCOMPARE(treeOf(m_bundle), m_oldTree);
        QCOMPARE(treeOf(trash()), QStringList());
        QVERIFY(!m_events.contains(QStringLiteral("quit")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        usePrivateHome(m_root.path());
        Settings::instance().remove(Settings::updateFeedURLKey);
    }

    void init()
    {
        m_case = std::make_unique<QTemporaryDir>(m_root.filePath(QStringLiteral("caseXXXXXX")));
        m_apps = m_case->filePath(QStringLiteral("apps"));
        m_bundle = writeFakeBundle(m_apps, QStringLiteral("1.0"));
        m_oldTree = treeOf(m_bundle);
        m_events.clear();
        m_saveSucceeds = true;
        m_launchSucceeds = true;
        m_onSave = nullptr;
        m_archive = newVersionArchive();
        QVERIFY(!m_archive.isEmpty());
        m_archiveResponse = HttpResponse{};
        m_archiveResponse.contentType = "application/zip";

        m_server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(m_server->start());
        m_server->setHandler([this](const HttpRequest& request) {
            if (request.path == "/update.zip") {
                HttpResponse response = m_archiveResponse;
                response.body = m_archive;
                return response;
            }
            if (request.path == "/appcast.json")
                return HttpResponse{200, "{\"version\":\"9.0\",\"notes\":\"\",\"zipURL\":\"\"}"};
            return HttpResponse{404, "no"};
        });

        m_service = std::make_unique<UpdateService>();
        m_service->setBundlePath(m_bundle);
        m_service->setUrlPolicy(loopbackOrFile);
        m_service->setSaveAllHook([this] {
            m_events.append(QStringLiteral("save"));
            if (m_onSave)
                m_onSave();
            return m_saveSucceeds;
        });
        m_service->setLauncher([this](const QString& program) {
            m_events.append(QStringLiteral("launch ") + program);
            return m_launchSucceeds;
        });
        m_service->setQuitFunction([this] { m_events.append(QStringLiteral("quit")); });
        Settings::instance().setString(Settings::updateFeedURLKey,
                                       m_server->url(QStringLiteral("/appcast.json")).toString());
    }

    // Whatever happened, nothing of the install is left behind.
    void cleanup()
    {
        QCOMPARE(treeOf(m_root.filePath(QStringLiteral("tmp"))), QStringList());
        QCOMPARE(QDir(m_apps).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(m_bundle).fileName()});
        m_service.reset();
        m_server.reset();
        QDir(trash()).removeRecursively();
        m_case.reset();
    }

    void installs_data()
    {
        QTest::addColumn<QString>("bundleName");
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("over HTTP") << "Palisademotion.app" << false;
        QTest::newRow("from a file") << "Palisademotion.app" << true;
        QTest::newRow("renamed bundle keeps its name") << "Studio Copy.app" << false;
    }

    void installs()
    {
        QFETCH(QString, bundleName);
        QFETCH(bool, fromFile);
        if (bundleName != QFileInfo(m_bundle).fileName()) {
            QDir(m_bundle).removeRecursively();
            m_bundle = writeFakeBundle(m_apps, QStringLiteral("1.0"), bundleName);
            m_service->setBundlePath(m_bundle);
        }
        UpdateInfo info = served();
        if (fromFile) {
            const QString zip = m_case->filePath(QStringLiteral("download.zip"));
            QVERIFY(writeFile(zip, m_archive));
            info = infoFor(QUrl::fromLocalFile(zip).toString());
        }
        QList<UpdatePhase> phases;
        connect(m_service.get(), &UpdateService::phaseChanged, this,
                [&] { phases.append(m_service->phase()); });

        install(info);

        QCOMPARE(phases, (QList<UpdatePhase>{UpdatePhase::downloading(0), UpdatePhase::downloading(1),
                                            UpdatePhase::installing()}));
        // The new bundle stands where the old one stood, links and modes intact.
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("2.0"));
        QVERIFY(QFileInfo(m_bundle + QStringLiteral("/bin/palisademotion")).isExecutable());
        QVERIFY(QFileInfo(m_bundle + QStringLiteral("/share/launcher")).isSymLink());
        QCOMPARE(QFileInfo(m_bundle + QStringLiteral("/share/launcher")).symLinkTarget(),
                 QFileInfo(m_bundle + QStringLiteral("/bin/palisademotion")).canonicalFilePath());
        // The old one is in the private home's Trash, restorable under its own name.
        QCOMPARE(bundleVersion(trash() + QStringLiteral("/files/") + bundleName), QStringLiteral("1.0"));
        // Restoring it puts it back where it was installed, not into the
        // staging folder it was trashed from.
        QFile trashInfo(trash() + QStringLiteral("/info/") + bundleName + QStringLiteral(".trashinfo"));
        QVERIFY(trashInfo.open(QIODevice::ReadOnly));
        const QByteArray infoText = trashInfo.readAll();
        QVERIFY2(infoText.startsWith("[Trash Info]\n"), infoText.constData());
        QVERIFY2(infoText.contains("\nPath=" + QUrl::toPercentEncoding(m_bundle, "/") + "\n"), infoText.constData());
        QVERIFY2(infoText.contains("\nDeletionDate="), infoText.constData());
        // Saved, then started, then quit.
        QCOMPARE(m_events, (QStringList{QStringLiteral("save"),
                                        QStringLiteral("launch ") + m_bundle + QStringLiteral("/bin/palisademotion"),
                                        QStringLiteral("quit")}));
        QCOMPARE(m_service->phase(), UpdatePhase::installing());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a bundle") << "notBundle" << UpdateService::notBundleText;
        QTest::newRow("empty zipURL") << "url:" << UpdateService::invalidDownloadText;
        QTest::newRow("not a URL") << "url:http://[::1" << UpdateService::invalidDownloadText;
        QTest::newRow("plain http elsewhere") << "url:http://example.org/u.zip" << UpdateService::invalidDownloadText;
        QTest::newRow("ftp") << "url:ftp://127.0.0.1/u.zip" << UpdateService::invalidDownloadText;
        QTest::newRow("missing file") << "missingFile" << QString();
        QTest::newRow("status 404") << "status:404" << failed("The download failed with HTTP status 404.");
        QTest::newRow("status 500") << "status:500" << failed("The download failed with HTTP status 500.");
        QTest::newRow("dropped connection") << "drop" << QString();
        QTest::newRow("not a zip") << "garbage" << failed(UpdateError::unpackFailed());
        QTest::newRow("zip slip") << "slip" << failed(UpdateArchive::unsafeEntryText("../evil"));
        QTest::newRow("link leaving the bundle")
            << "link" << failed(UpdateArchive::unsafeEntryText("Palisademotion.app/out"));
        QTest::newRow("app inside a folder") << "nested" << failed(UpdateError::noApp());
        QTest::newRow("two apps") << "twoApps" << failed("The update archive holds more than one app.");
        QTest::newRow("no program")
            << "noProgram"
            << failed("The app inside the update archive isn't valid: bin/palisademotion isn't an executable file.");
        QTest::newRow("program not executable")
            << "notExecutable"
            << failed("The app inside the update archive isn't valid: bin/palisademotion isn't an executable file.");
        QTest::newRow("no version")
            << "noVersion" << failed("The app inside the update archive isn't valid: Info.json has no version.");
    }

    // Each refusal leaves the running bundle as it was and starts nothing.
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        UpdateInfo info = served();
        const QString outside = m_case->filePath(QStringLiteral("outside"));
        QDir().mkpath(outside);

        if (kind == "notBundle") {
            m_service->setBundlePath(QString());
        } else if (kind.startsWith("url:")) {
            info.zipURL = kind.mid(4);
        } else if (kind == "missingFile") {
            info.zipURL = QUrl::fromLocalFile(m_case->filePath(QStringLiteral("nothing.zip"))).toString();
        } else if (kind.startsWith("status:")) {
            m_archiveResponse.status = kind.mid(7).toInt();
        } else if (kind == "drop") {
            m_archiveResponse.dropConnection = true;
        } else if (kind == "garbage") {
            m_archive = "this is no zip";
        } else if (kind == "slip") {
            m_archive = makeArchive(
                [](const QString& tree) {
                    writeFakeBundle(tree, QStringLiteral("2.0"));
                    writeFile(tree + QStringLiteral("/../evil"), "gotcha");
                },
                {QStringLiteral("Palisademotion.app"), QStringLiteral("../evil")});
        } else if (kind == "link") {
            m_archive = makeArchive([&outside](const QString& tree) {
                const QString app = writeFakeBundle(tree, QStringLiteral("2.0"));
                QFile::link(outside, app + QStringLiteral("/out"));
            });
        } else if (kind == "nested") {
            m_archive = makeArchive(
                [](const QString& tree) { writeFakeBundle(tree + QStringLiteral("/Folder"), QStringLiteral("2.0")); },
                {QStringLiteral("Folder")});
        } else if (kind == "twoApps") {
            m_archive = makeArchive(
                [](const QString& tree) {
                    writeFakeBundle(tree, QStringLiteral("2.0"));
                    writeFakeBundle(tree, QStringLiteral("2.0"), QStringLiteral("Other.app"));
                },
                {QStringLiteral("Palisademotion.app"), QStringLiteral("Other.app")});
        } else if (kind == "noProgram" || kind == "notExecutable" || kind == "noVersion") {
            m_archive = makeArchive([&kind](const QString& tree) {
                const QString app = writeFakeBundle(tree, QStringLiteral("2.0"));
                const QString program = app + QStringLiteral("/bin/palisademotion");
                if (kind == "noProgram")
                    QFile::remove(program);
                else if (kind == "notExecutable")
                    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner);
                else
                    writeFile(app + QStringLiteral("/Info.json"), "{\"CFBundleShortVersionString\":\"\"}");
            });
        }
        QVERIFY(!m_archive.isEmpty());

        install(info);

        QCOMPARE(m_service->phase().kind, UpdatePhase::Kind::failed);
        if (message.isEmpty())
            QVERIFY2(m_service->phase().message.startsWith(QStringLiteral("Update failed: ")),
                     qPrintable(m_service->phase().message));
        else
            QCOMPARE(m_service->phase().message, message);
        verifyOldBundleUntouched();
        QCOMPARE(m_events, QStringList());
        QCOMPARE(treeOf(outside), QStringList());
        QVERIFY(!QFileInfo::exists(m_case->filePath(QStringLiteral("evil"))));
        const bool fetched = !kind.startsWith("url:") && kind != "notBundle" && kind != "missingFile";
        // Qt retries once when a connection drops before the answer.
        if (kind == "drop")
            QVERIFY(m_server->requests().size() >= 1);
        else
            QCOMPARE(m_server->requests().size(), fetched ? 1 : 0);
    }

    // The new version is in place, but it didn't start: stay and say so.
    void failedLaunchKeepsRunning()
    {
        m_launchSucceeds = false;
        install(served());
        QCOMPARE(m_service->phase(),
                 UpdatePhase::failed(failed("The new version is installed but couldn't be started.")));
        QCOMPARE(m_events, (QStringList{QStringLiteral("save"),
                                        QStringLiteral("launch ") + m_bundle + QStringLiteral("/bin/palisademotion")}));
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("2.0"));
    }

    // Unsaved work must never be lost to a relaunch: nothing is replaced.
    void failedSaveReplacesNothing()
    {
        m_saveSucceeds = false;
        install(served());
        QCOMPARE(m_service->phase(), UpdatePhase::failed(failed("Open productions couldn't be saved.")));
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("1.0"));
        QCOMPARE(treeOf(m_bundle), m_oldTree);
        QCOMPARE(m_events, QStringList{QStringLiteral("save")});
    }

    // When the old bundle can't go to the Trash, the swap is undone.
    void trashFailureRestoresTheOldBundle()
    {
        QDir().mkpath(QFileInfo(trash()).absolutePath());
        QVERIFY(writeFile(trash(), "not a folder"));
        install(served());
        QCOMPARE(m_service->phase().kind, UpdatePhase::Kind::failed);
        QVERIFY2(m_service->phase().message.startsWith(failed("The old version couldn't be moved to the Trash")),
                 qPrintable(m_service->phase().message));
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("1.0"));
        QCOMPARE(treeOf(m_bundle), m_oldTree);
        QCOMPARE(m_events, QStringList{QStringLiteral("save")});
        QFile::remove(trash());
    }

    void checkDuringDownloadLeavesThePhase()
    {
        m_archiveResponse.delayMs = 300;
        auto task = m_service->downloadAndInstall(served());
        QCOMPARE(m_service->phase(), UpdatePhase::downloading(0));
        QCoro::waitFor(m_service->check());
        QCOMPARE(m_service->phase(), UpdatePhase::downloading(0));
        // A second install while one runs is ignored too.
        QCoro::waitFor(m_service->downloadAndInstall(served()));
        QCoro::waitFor(task);
        QCOMPARE(m_service->phase(), UpdatePhase::installing());
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().path, QByteArray("/update.zip"));
        QCOMPARE(bundleVersion(m_bundle), QStringLiteral("2.0"));
    }

    void checkDuringInstallLeavesThePhase()
    {
        UpdatePhase seen;
        m_onSave = [this, &seen] {
            m_service->check();
            seen = m_service->phase();
        };
        install(served());
        QCOMPARE(seen, UpdatePhase::installing());
        QCOMPARE(m_server->requests().size(), 1);
        QVERIFY(m_events.contains(QStringLiteral("quit")));
    }

    // "Retry" after a failed install is a check, and a check may follow any failure.
    void checkAfterAFailedInstall()
    {
        m_archiveResponse.status = 404;
        install(served());
        QCOMPARE(m_service->phase().kind, UpdatePhase::Kind::failed);
        QCoro::waitFor(m_service->check());
        QCOMPARE(m_service->phase().kind, UpdatePhase::Kind::available);
        QCOMPARE(m_service->phase().info.version, QStringLiteral("9.0"));
    }
};

QTEST_GUILESS_MAIN(UpdateInstallTest)
#include "UpdateInstallTest.moc"
