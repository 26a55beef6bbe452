#include "services/AIError.h"
#include "services/AIService.h"
#include "services/Settings.h"
#include "support/AwaitTask.h"
#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTest>

using namespace studio;
using namespace studio::test;

// The connection test of the settings window, the start-up defaults and the
// failures below HTTP.
class AIServiceConnectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeChatServer>();
        QVERIFY(m_server->start());
        m_server->useInSettings(QStringLiteral("sk-test"), QStringLiteral("kimi-test"));
        m_network = std::make_unique<QNetworkAccessManager>();
    }

    void cleanup()
    {
        m_network.reset();
        m_server.reset();
    }

    void testConnection_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("withKey");
        QTest::addColumn<QString>("expected");
        const QString odd = QStringLiteral("Connected, but the reply looked odd: ");
        const QString longReply = QStringLiteral("  %1").arg(QString(70, u'x'));
        // Sixty user-perceived characters: the accent stays with its letter.
        const QString accented = QString(59, u'a') + QStringLiteral("e\u0301") + QStringLiteral("zzz");
        QTest::newRow("ok true") << 200 << QStringLiteral("{\"ok\":true}") << true
                                 << QStringLiteral("Connected \u2014 kimi-test is responding.");
        QTest::newRow("true anywhere") << 200 << QStringLiteral("sure, it's true") << true
                                       << QStringLiteral("Connected \u2014 kimi-test is responding.");
        QTest::newRow("capitals only") << 200 << QStringLiteral("{\"OK\":TRUE}") << true
                                       << odd + QStringLiteral("{\"OK\":TRUE}");
        QTest::newRow("long reply cut, untrimmed") << 200 << longReply << true << odd + longReply.left(60);
        QTest::newRow("cut by characters") << 200 << accented << true
                                           << odd + QString(59, u'a') + QStringLiteral("e\u0301");
        QTest::newRow("missing key") << 200 << QStringLiteral("{\"ok\":true}") << false
                                     << QStringLiteral("Failed: No AI key set. Add one in Settings \u2192 AI.");
        QTest::newRow("rejected") << 401 << QStringLiteral(R"({"error":{"message":"Invalid key"}})") << true
                                  << QStringLiteral("Failed: AI request failed (401). Invalid key");
        QTest::newRow("blank reply") << 200 << QStringLiteral("  ") << true
                                     << QStringLiteral("Failed: The model returned an empty reply.");
    }

    void testConnection()
    {
        QFETCH(int, status);
        QFETCH(QString, content);
        QFETCH(bool, withKey);
        QFETCH(QString, expected);
        if (status == 200)
            m_server->setContent(content);
        else
            m_server->setStatus(status, content.toUtf8());
        if (!withKey)
            Settings::instance().remove(Settings::aiAPIKeyKey);

        AIService service(m_network.get());
        const auto outcome = awaitTask(service.testConnection());
        QVERIFY(!outcome.error);
        QCOMPARE(*outcome.value, expected);
        if (!withKey)
            return;
        const QJsonObject body = m_server->lastRequestBody();
        QCOMPARE(body["messages"][0]["content"].toString(), QStringLiteral("Reply with strict JSON only."));
        QCOMPARE(body["messages"][1]["content"].toString(), QStringLiteral("Reply exactly {\"ok\":true}"));
        QCOMPARE(body["max_tokens"].toInt(), 2048);
        QCOMPARE(body["response_format"]["type"].toString(), QStringLiteral("json_object"));
    }

    // The model named in the result is the one stored after the reply came.
    void testConnectionNamesModelReadAfterReply()
    {
        m_server->setHandler([](const HttpRequest&) {
            Settings::instance().remove(Settings::aiModelKey);
            HttpResponse response;
            response.body = FakeChatServer::completionBody(QStringLiteral("{\"ok\":true}"));
            return response;
        });
        AIService service(m_network.get());
        QCOMPARE(*awaitTask(service.testConnection()).value,
                 QStringLiteral("Connected \u2014 kimi-k2.6 is responding."));
    }

    void transportFailures_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("connection refused") << "refused" << int(QNetworkReply::ConnectionRefusedError)
                                            << QStringLiteral("Connection refused");
        QTest::newRow("timed out") << "slow" << int(QNetworkReply::OperationCanceledError)
                                   << QStringLiteral("The request timed out.");
        QTest::newRow("connection dropped") << "drop" << int(QNetworkReply::RemoteHostClosedError)
                                            << QStringLiteral("Connection closed");
    }

    void transportFailures()
    {
        QFETCH(QString, how);
        QFETCH(int, code);
        QFETCH(QString, text);
        if (how == QLatin1String("refused")) {
            // A port that was free a moment ago and has nobody listening now.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            const quint16 port = probe.serverPort();
            probe.close();
            Settings::instance().setString(Settings::aiBaseURLKey, QStringLiteral("http://127.0.0.1:%1/v1").arg(port));
        } else {
            HttpResponse response;
            response.body = FakeChatServer::completionBody(QStringLiteral("late"));
            response.delayMs = how == QLatin1String("slow") ? 3000 : 0;
            response.dropConnection = how == QLatin1String("drop");
            m_server->setReply(response);
        }

        AIService service(m_network.get(), std::chrono::milliseconds(200));
        const auto outcome = awaitTask(service.complete(QStringLiteral("s"), QStringLiteral("u"), true, 16));
        QVERIFY(outcome.error);
        try {
            std::rethrow_exception(outcome.error);
        } catch (const TransportError& e) {
            QCOMPARE(int(e.code()), code);
        } catch (...) {
            QFAIL("expected a transport error");
        }
        QVERIFY2(describeError(outcome.error).contains(text, Qt::CaseInsensitive),
                 qPrintable(describeError(outcome.error)));
        QVERIFY(awaitTask(service.testConnection()).value->startsWith(QStringLiteral("Failed: ")));
    }

    void seedDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<std::optional<QString>>("before");
        QTest::addColumn<std::optional<QString>>("after");
        using S = std::optional<QString>;
        const QString base = QStringLiteral("https://api.moonshot.ai/v1");
        const QString model = QStringLiteral("kimi-k2.6");
        QTest::newRow("absent base URL") << Settings::aiBaseURLKey << S() << S(base);
        QTest::newRow("empty base URL") << Settings::aiBaseURLKey << S(QString()) << S(base);
        QTest::newRow("blank base URL kept") << Settings::aiBaseURLKey << S(QStringLiteral("  ")) << S(QStringLiteral("  "));
        QTest::newRow("own base URL kept") << Settings::aiBaseURLKey << S(QStringLiteral("http://x/v1")) << S(QStringLiteral("http://x/v1"));
        QTest::newRow("absent model") << Settings::aiModelKey << S() << S(model);
        QTest::newRow("empty model") << Settings::aiModelKey << S(QString()) << S(model);
        QTest::newRow("blank model kept") << Settings::aiModelKey << S(QStringLiteral(" \t")) << S(QStringLiteral(" \t"));
        QTest::newRow("own key kept") << Settings::aiAPIKeyKey << S(QStringLiteral("sk-own")) << S(QStringLiteral("sk-own"));
        QTest::newRow("blank key kept") << Settings::aiAPIKeyKey << S(QStringLiteral(" ")) << S(QStringLiteral(" "));
        // No key ships with the program, so there is none to fill in.
        QTest::newRow("absent key stays absent") << Settings::aiAPIKeyKey << S() << S();
        QTest::newRow("empty key stays empty") << Settings::aiAPIKeyKey << S(QString()) << S(QString());
    }

    void seedDefaults()
    {
        QFETCH(QString, key);
        QFETCH(std::optional<QString>, before);
        QFETCH(std::optional<QString>, after);
        Settings& settings = Settings::instance();
        if (before)
            settings.setString(key, *before);
        else
            settings.remove(key);
        AIService::seedDefaultsIfNeeded();
        QCOMPARE(settings.string(key), after);
    }

    // After seeding with no key of the user's, requests still fail cleanly.
    void seededWithoutKeyFailsWithMissingKey()
    {
        Settings::instance().remove(Settings::aiAPIKeyKey);
        AIService::seedDefaultsIfNeeded();
        AIService service(m_network.get());
        const auto outcome = awaitTask(service.complete(QStringLiteral("s"), QStringLiteral("u"), true, 16));
        QCOMPARE(describeError(outcome.error), QStringLiteral("No AI key set. Add one in Settings \u2192 AI."));
        QCOMPARE(m_server->requestCount(), 0);
    }

private:
    std::unique_ptr<FakeChatServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_network;
};

QTEST_GUILESS_MAIN(AIServiceConnectionTest)
#include "AIServiceConnectionTest.moc"
