#include "services/Bundle.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "support/FakeUpdateBundle.h"
#include "support/LoopbackHttpServer.h"

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace studio;
using namespace studio::test;

Q_DECLARE_METATYPE(studio::UpdatePhase)

namespace {

bool loopbackOrFile(const QUrl& url)
{
    return url.scheme() == QLatin1String("file")
        || (url.scheme() == QLatin1String("http") && url.host() == QLatin1String("127.0.0.1"));
}

const char* kindName(UpdatePhase::Kind kind)
{
    switch (kind) {
    case UpdatePhase::Kind::idle: return "idle";
    case UpdatePhase::Kind::checking: return "checking";
    case UpdatePhase::Kind::upToDate: return "upToDate";
    case UpdatePhase::Kind::available: return "available";
    case UpdatePhase::Kind::downloading: return "downloading";
    case UpdatePhase::Kind::installing: return "installing";
    case UpdatePhase::Kind::failed: return "failed";
    }
    return "?";
}

} // namespace

namespace QTest {
template <>
char* toString(const studio::UpdatePhase& phase)
{
    const QString text = QStringLiteral("%1 %2 %3 %4")
                             .arg(QLatin1String(kindName(phase.kind)), phase.info.version, phase.message)
                             .arg(phase.progress);
    return qstrdup(text.toUtf8().constData());
}
} // namespace QTest

// Feed checks, the version order, the running bundle and the periodic checks.
class UpdateServiceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    Settings* m_settings = nullptr;

    void runCheck(UpdateService& service)
    {
        QCoro::waitFor(service.check());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        usePrivateHome(m_root.path());
        m_settings = &Settings::instance();
    }

    void init()
    {
        m_settings->remove(Settings::updateFeedURLKey);
        m_settings->remove(Settings::autoCheckUpdatesKey);
    }

    void versionOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("newer");
        QTest::newRow("numeric, not textual") << "1.10" << "1.9" << true;
        QTest::newRow("older minor") << "1.9" << "1.10" << false;
        QTest::newRow("trailing zero equal") << "1.0" << "1" << false;
        QTest::newRow("trailing zero equal, reversed") << "1" << "1.0" << false;
        QTest::newRow("patch newer") << "1.0.1" << "1.0" << true;
        QTest::newRow("1.2.1 against 1.2") << "1.2.1" << "1.2" << true;
        QTest::newRow("1.2 against 1.2.0") << "1.2" << "1.2.0" << false;
        QTest::newRow("suffix dropped") << "2.0-beta" << "2" << false;
        QTest::newRow("suffix dropped, reversed") << "2" << "2.0-beta" << false;
        QTest::newRow("two empty strings") << "" << "" << false;
        QTest::newRow("letters only against 0") << "abc" << "0" << false;
        QTest::newRow("0 against letters only") << "0" << "abc" << false;
        QTest::newRow("plus sign") << "+2" << "1" << true;
        QTest::newRow("negative") << "-1" << "0" << false;
        QTest::newRow("above negative") << "0" << "-1" << true;
        QTest::newRow("empty components dropped") << "1..2" << "1.1" << true;
        QTest::newRow("bad component moves the rest up") << "1.x.3" << "1.2" << true;
        QTest::newRow("space is not a digit") << " 2" << "1" << false;
        QTest::newRow("overflow dropped") << "99999999999999999999.1" << "0.5" << true;
        QTest::newRow("largest value") << "9223372036854775807" << "9223372036854775806" << true;
        QTest::newRow("lowest value") << "-9223372036854775808" << "-9223372036854775807" << false;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0662") << "1" << false;
        QTest::newRow("major wins") << "1.0" << "0.9.9" << true;
    }

    void versionOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, newer);
        QCOMPARE(UpdateService::isVersion(a, b), newer);
    }

    void feedDecoding_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<UpdatePhase>("expected");

        UpdateInfo info{QStringLiteral("9.1"), QStringLiteral("Faster renders."),
                        QStringLiteral("https://example.org/P-9.1.zip"), std::nullopt};
        QTest::newRow("extra keys ignored")
            << 200 << QByteArray("{\"version\":\"9.1\",\"notes\":\"Faster renders.\",\"zipURL\":\"https://example.org/P-9.1.zip\",\"size\":12,\"x\":{\"y\":[]}}")
            << UpdatePhase::available(info);
        QTest::newRow("minOS null")
            << 200 << QByteArray("{\"version\":\"9.1\",\"notes\":\"Faster renders.\",\"zipURL\":\"https://example.org/P-9.1.zip\",\"minOS\":null}")
            << UpdatePhase::available(info);
        UpdateInfo withMinOS = info;
        withMinOS.minOS = QStringLiteral("14.0");
        QTest::newRow("minOS read, not applied")
            << 200 << QByteArray("{\"version\":\"9.1\",\"notes\":\"Faster renders.\",\"zipURL\":\"https://example.org/P-9.1.zip\",\"minOS\":\"14.0\"}")
            << UpdatePhase::available(withMinOS);
        QTest::newRow("same version")
            << 200 << QByteArray("{\"version\":\"0.1.0\",\"notes\":\"\",\"zipURL\":\"\"}") << UpdatePhase::upToDate();
        QTest::newRow("older version")
            << 200 << QByteArray("{\"version\":\"0.0.9\",\"notes\":\"\",\"zipURL\":\"\"}") << UpdatePhase::upToDate();
        QTest::newRow("missing notes")
            << 200 << QByteArray("{\"version\":\"9.1\",\"zipURL\":\"https://example.org/a.zip\"}")
            << UpdatePhase::failed(QStringLiteral("Couldn't reach the update feed. (notes: missing key)"));
        QTest::newRow("version of the wrong type")
            << 200 << QByteArray("{\"version\":9.1,\"notes\":\"\",\"zipURL\":\"\"}")
            << UpdatePhase::failed(QStringLiteral("Couldn't reach the update feed. (version: expected a string, found a number)"));
        QTest::newRow("minOS of the wrong type")
            << 200 << QByteArray("{\"version\":\"9.1\",\"notes\":\"\",\"zipURL\":\"\",\"minOS\":14}")
            << UpdatePhase::failed(QStringLiteral("Couldn't reach the update feed. (minOS: expected a string, found a number)"));
        QTest::newRow("not an object")
            << 200 << QByteArray("[\"9.1\"]")
            << UpdatePhase::failed(QStringLiteral("Couldn't reach the update feed. (the top level is not a JSON object)"));
        // An error page fails in decoding, like any body that isn't the feed.
        QTest::newRow("error page") << 503 << QByteArray("<html>down</html>") << UpdatePhase::failed(QString());
    }

    void feedDecoding()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(UpdatePhase, expected);
        LoopbackHttpServer server;
        QVERIFY(server.start());
        server.respondWith({status, body});
        m_settings->setString(Settings::updateFeedURLKey, server.url(QStringLiteral("/appcast.json")).toString());

        UpdateService service;
        service.setBundlePath(QString());
        service.setUrlPolicy(loopbackOrFile);
        QSignalSpy changes(&service, &UpdateService::phaseChanged);
        runCheck(service);

        if (expected.kind == UpdatePhase::Kind::failed && expected.message.isEmpty()) {
            QCOMPARE(service.phase().kind, UpdatePhase::Kind::failed);
            QVERIFY2(service.phase().message.startsWith(QLatin1String("Couldn't reach the update feed. (not valid JSON")),
                     qPrintable(service.phase().message));
            QVERIFY(service.phase().message.endsWith(u')'));
        } else {
            QCOMPARE(service.phase(), expected);
        }
        QCOMPARE(changes.count(), 2); // checking, then the outcome
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(server.requests().first().method, QByteArray("GET"));
        QCOMPARE(server.requests().first().path, QByteArray("/appcast.json"));
    }

    void feedAddress_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("failure");
        QTest::newRow("stored empty: not replaced by the built-in feed")
            << true << QString() << UpdateService::invalidFeedText;
        QTest::newRow("not a URL") << true << QStringLiteral("http://[::1") << UpdateService::invalidFeedText;
        QTest::newRow("plain http") << true << QStringLiteral("http://updates.example.org/appcast.json")
                                    << UpdateService::invalidFeedText;
        QTest::newRow("file") << true << QStringLiteral("file:///etc/passwd") << UpdateService::invalidFeedText;
        QTest::newRow("relative") << true << QStringLiteral("appcast.json") << UpdateService::invalidFeedText;
    }

    // Outside tests only https feeds are fetched; a refused address fails at once.
    void feedAddress()
    {
        QFETCH(bool, stored);
        QFETCH(QString, value);
        QFETCH(QString, failure);
        if (stored)
            m_settings->setString(Settings::updateFeedURLKey, value);
        UpdateService service;
        QCOMPARE(service.feedAddress(), value);
        runCheck(service);
        QCOMPARE(service.phase(), UpdatePhase::failed(failure));
    }

    void builtInFeedWhenNothingIsStored()
    {
        UpdateService service;
        QCOMPARE(service.feedAddress(), UpdateService::defaultFeedURL);
        QVERIFY(UpdateService::httpsOnly(QUrl(service.feedAddress())));
        QCOMPARE(QUrl(service.feedAddress()).path(), QStringLiteral("/appcast.json"));
    }

    void httpsPolicy_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("https") << "https://updates.example.org/a.zip" << true;
        QTest::newRow("http") << "http://updates.example.org/a.zip" << false;
        QTest::newRow("loopback http") << "http://127.0.0.1:8080/a.zip" << false;
        QTest::newRow("file") << "file:///tmp/a.zip" << false;
        QTest::newRow("no host") << "https:///a.zip" << false;
        QTest::newRow("upper-case scheme") << "HTTPS://updates.example.org/a.zip" << true;
    }

    void httpsPolicy()
    {
        QFETCH(QString, url);
        QFETCH(bool, allowed);
        QCOMPARE(UpdateService::httpsOnly(QUrl(url, QUrl::StrictMode)), allowed);
    }

    void transferFailure()
    {
        LoopbackHttpServer server;
        QVERIFY(server.start());
        HttpResponse drop;
        drop.dropConnection = true;
        server.respondWith(drop);
        m_settings->setString(Settings::updateFeedURLKey, server.url(QStringLiteral("/appcast.json")).toString());
        UpdateService service;
        service.setUrlPolicy(loopbackOrFile);
        runCheck(service);
        QCOMPARE(service.phase().kind, UpdatePhase::Kind::failed);
        QVERIFY2(service.phase().message.startsWith(QLatin1String("Couldn't reach the update feed. (")),
                 qPrintable(service.phase().message));
        QVERIFY(service.phase().message.size() > QStringLiteral("Couldn't reach the update feed. ()").size());
    }

    // A redirect must satisfy the same policy as the first address.
    void redirectOutsideThePolicy()
    {
        LoopbackHttpServer server;
        QVERIFY(server.start());
        HttpResponse redirect;
        redirect.status = 302;
        redirect.extraHeaders.append(std::pair<QByteArray, QByteArray>("Location", "http://localhost:1/appcast.json"));
        server.respondWith(redirect);
        m_settings->setString(Settings::updateFeedURLKey, server.url(QStringLiteral("/appcast.json")).toString());
        UpdateService service;
        service.setUrlPolicy(loopbackOrFile);
        runCheck(service);
        QCOMPARE(service.phase().kind, UpdatePhase::Kind::failed);
        QVERIFY(service.phase().message.startsWith(QLatin1String("Couldn't reach the update feed. (")));
    }

    void feedFromFile()
    {
        const QString feed = m_root.filePath(QStringLiteral("feed.json"));
        const QByteArray body = "{\"version\":\"3\",\"notes\":\"n\",\"zipURL\":\"file:///x.zip\"}";
        QVERIFY(writeFile(feed, body));
        m_settings->setString(Settings::updateFeedURLKey, QUrl::fromLocalFile(feed).toString());
        UpdateService service;
        service.setUrlPolicy(loopbackOrFile);
        runCheck(service);
        QCOMPARE(service.phase().kind, UpdatePhase::Kind::available);
        QCOMPARE(service.phase().info.version, QStringLiteral("3"));
    }

    // While an install runs, its phase is what the user must see.
    void checkLeavesABusyPhaseAlone_data()
    {
        QTest::addColumn<UpdatePhase>("phase");
        QTest::newRow("downloading") << UpdatePhase::downloading(0);
        QTest::newRow("installing") << UpdatePhase::installing();
    }

    void checkLeavesABusyPhaseAlone()
    {
        QFETCH(UpdatePhase, phase);
        LoopbackHttpServer server;
        QVERIFY(server.start());
        server.respondWith({200, "{\"version\":\"9\",\"notes\":\"\",\"zipURL\":\"\"}"});
        m_settings->setString(Settings::updateFeedURLKey, server.url(QStringLiteral("/appcast.json")).toString());
        UpdateService service;
        service.setUrlPolicy(loopbackOrFile);
        service.setPhase(phase);
        QSignalSpy changes(&service, &UpdateService::phaseChanged);
        runCheck(service);
        QCOMPARE(service.phase(), phase);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(server.requests().size(), 0);
    }

    void runningBundle_data()
    {
        QTest::addColumn<QString>("bundleName");
        QTest::addColumn<QString>("binName");
        QTest::addColumn<bool>("withInfo");
        QTest::addColumn<bool>("isBundle");
        QTest::newRow("bundle") << "Palisademotion.app" << "bin" << true << true;
        QTest::newRow("renamed bundle") << "My Studio.app" << "bin" << true << true;
        QTest::newRow("no Info.json") << "Palisademotion.app" << "bin" << false << false;
        QTest::newRow("extension case differs") << "Palisademotion.APP" << "bin" << true << false;
        QTest::newRow("not in bin") << "Palisademotion.app" << "libexec" << true << false;
        QTest::newRow("build tree") << "build" << "bin" << true << false;
        QTest::newRow("bare extension") << ".app" << "bin" << true << false;
    }

    void runningBundle()
    {
        QFETCH(QString, bundleName);
        QFETCH(QString, binName);
        QFETCH(bool, withInfo);
        QFETCH(bool, isBundle);
        QTemporaryDir dir;
        const QString root = dir.filePath(bundleName);
        QVERIFY(writeFile(root + u'/' + binName + QStringLiteral("/palisademotion"), "#!/bin/sh\n", true));
        const QByteArray info = "{\"CFBundleShortVersionString\":\"4.2\"}";
        if (withInfo)
            QVERIFY(writeFile(root + QStringLiteral("/Info.json"), info));
        QCOMPARE(Bundle::rootForExecutableDir(root + u'/' + binName), isBundle ? root : QString());
    }

    void currentVersion_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QString>("version");
        QTest::newRow("version string") << QByteArray("{\"CFBundleShortVersionString\":\"2.3\"}") << "2.3";
        QTest::newRow("number") << QByteArray("{\"CFBundleShortVersionString\":2.3}") << "0.1.0";
        QTest::newRow("missing") << QByteArray("{\"CFBundleName\":\"x\"}") << "0.1.0";
        QTest::newRow("not JSON") << QByteArray("version=2.3") << "0.1.0";
    }

    void currentVersion()
    {
        QFETCH(QByteArray, info);
        QFETCH(QString, version);
        QTemporaryDir dir;
        const QString root = writeFakeBundle(dir.path(), QStringLiteral("unused"));
        QVERIFY(writeFile(root + QStringLiteral("/Info.json"), info));
        UpdateService service;
        service.setBundlePath(QString());
        QCOMPARE(service.currentVersion(), QStringLiteral("0.1.0"));
        service.setBundlePath(root);
        QCOMPARE(service.currentVersion(), version);
        QVERIFY(service.runsFromBundle());
    }

    // The test program itself runs from a build tree, which is not a bundle.
    void testProgramIsNotABundle()
    {
        UpdateService service;
        QVERIFY(!service.runsFromBundle());
        QCOMPARE(service.currentVersion(), QStringLiteral("0.1.0"));
        QCOMPARE(service.phase(), UpdatePhase::idle());
        QVERIFY(!service.autoLoopStarted());
    }

    void autoCheckLoop_data()
    {
        QTest::addColumn<bool>("bundle");
        QTest::addColumn<QString>("stored"); // "" = key absent
        QTest::addColumn<bool>("checks");
        QTest::newRow("bundle, key absent") << true << QString() << true;
        QTest::newRow("bundle, on") << true << QStringLiteral("true") << true;
        QTest::newRow("bundle, not a boolean") << true << QStringLiteral("maybe") << true;
        QTest::newRow("bundle, off") << true << QStringLiteral("false") << false;
        QTest::newRow("not a bundle") << false << QString() << false;
    }

    void autoCheckLoop()
    {
        QFETCH(bool, bundle);
        QFETCH(QString, stored);
        QFETCH(bool, checks);
        if (stored == QLatin1String("true") || stored == QLatin1String("false"))
            m_settings->setBool(Settings::autoCheckUpdatesKey, stored == QLatin1String("true"));
        else if (!stored.isEmpty())
            m_settings->setString(Settings::autoCheckUpdatesKey, stored);

        LoopbackHttpServer server;
        QVERIFY(server.start());
        server.respondWith({200, "{\"version\":\"0.0.1\",\"notes\":\"\",\"zipURL\":\"\"}"});
        m_settings->setString(Settings::updateFeedURLKey, server.url(QStringLiteral("/appcast.json")).toString());
        QTemporaryDir dir;
        UpdateService service;
        service.setUrlPolicy(loopbackOrFile);
        service.setBundlePath(bundle ? writeFakeBundle(dir.path(), QStringLiteral("1.0")) : QString());
        service.setAutoCheckInterval(std::chrono::milliseconds(40));
        QSignalSpy started(&service, &UpdateService::autoLoopStartedChanged);

        auto* window = new QObject;
        QVERIFY(service.startAutoCheckLoop(window));
        QVERIFY(service.autoLoopStarted());
        // The loop's timer lives as long as the window.
        const QPointer<QTimer> loop = window->findChild<QTimer*>();
        QVERIFY(loop);
        QCOMPARE(started.count(), 1);
        // Once per process: a second window starts no second loop.
        QObject other;
        QVERIFY(!service.startAutoCheckLoop(&other));

        if (checks) {
            // The first check runs at once, the next ones after each interval.
            QCOMPARE(server.requests().size(), 0);
            QTRY_COMPARE(service.phase(), UpdatePhase::upToDate());
            QTRY_VERIFY(server.requests().size() >= 3);
        } else {
            // The loop goes round without checking.
            QSignalSpy rounds(loop.data(), &QTimer::timeout);
            QTRY_VERIFY(rounds.count() >= 3);
            QCOMPARE(server.requests().size(), 0);
            QCOMPARE(service.phase(), UpdatePhase::idle());
        }

        // Closing the window that runs the loop ends it.
        delete window;
        QVERIFY(loop.isNull());
        // A check already under way still finishes; none follows it, however
        // many of the loop's intervals pass.
        QTRY_VERIFY(service.phase().kind != UpdatePhase::Kind::checking);
        const qsizetype seen = server.requests().size();
        QTimer interval;
        interval.start(40);
        QSignalSpy passed(&interval, &QTimer::timeout);
        QTRY_VERIFY(passed.count() >= 5);
        QCOMPARE(server.requests().size(), seen);
        QVERIFY(service.autoLoopStarted());
    }
};

QTEST_GUILESS_MAIN(UpdateServiceTest)
#include "UpdateServiceTest.moc"
