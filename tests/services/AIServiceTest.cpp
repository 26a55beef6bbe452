#include "model/Json.h"
#include "services/AIError.h"
#include "services/AIService.h"
#include "services/Settings.h"
#include "support/AwaitTask.h"
#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTest>

using namespace studio;
using namespace studio::test;

namespace {

TaskOutcome<QString> run(AIService& service, bool json = true, int maxTokens = 8192)
{
    return awaitTask(service.complete(QStringLiteral("SYS"), QStringLiteral("USER"), json, maxTokens));
}

// The AIError a failed call threw; fails the test for any other outcome.
std::optional<AIError> aiErrorOf(const TaskOutcome<QString>& outcome)
{
    if (!outcome.error)
        return std::nullopt;
    try {
        std::rethrow_exception(outcome.error);
    } catch (const AIError& e) {
        return e;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

// The request the client sends and how it reads every kind of answer.
class AIServiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeChatServer>();
        QVERIFY(m_server->start());
        m_server->useInSettings();
        m_network = std::make_unique<QNetworkAccessManager>();
        m_service = std::make_unique<AIService>(m_network.get());
    }

    void cleanup()
    {
        m_service.reset();
        m_network.reset();
        m_server.reset();
    }

    void endpoint_data()
    {
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QByteArray>("expectedPath");
        QTest::newRow("plain") << "/v1" << QByteArray("/v1/chat/completions");
        QTest::newRow("one slash dropped") << "/v1/" << QByteArray("/v1/chat/completions");
        QTest::newRow("only one of two slashes dropped") << "/v1//" << QByteArray("/v1//chat/completions");
        QTest::newRow("no path") << "" << QByteArray("/chat/completions");
    }

    void endpoint()
    {
        QFETCH(QString, basePath);
        QFETCH(QByteArray, expectedPath);
        Settings::instance().setString(Settings::aiBaseURLKey, m_server->baseURL(basePath));
        const auto outcome = run(*m_service);
        QVERIFY(!outcome.error);
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(m_server->requests().first().path, expectedPath);
    }

    void request_data()
    {
        QTest::addColumn<bool>("json");
        QTest::addColumn<int>("maxTokens");
        QTest::newRow("json reply") << true << 8192;
        QTest::newRow("free text") << false << 12000;
    }

    void request()
    {
        QFETCH(bool, json);
        QFETCH(int, maxTokens);
        const auto outcome = run(*m_service, json, maxTokens);
        QVERIFY(!outcome.error);

        const HttpRequest& sent = m_server->requests().first();
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.headers.value("authorization"), QByteArray("Bearer sk-test"));
        QCOMPARE(sent.headers.value("content-type"), QByteArray("application/json"));
        // Compact: no indentation or line breaks.
        QVERIFY(!sent.body.contains('\n'));

        const QJsonObject body = m_server->lastRequestBody();
        QCOMPARE(body.value("model").toString(), QStringLiteral("test-model"));
        QCOMPARE(body.value("temperature").toDouble(), 1.0);
        QCOMPARE(body.value("max_tokens").toInt(), maxTokens);
        const QJsonArray messages = body.value("messages").toArray();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].toObject(), (QJsonObject{{"role", "system"}, {"content", "SYS"}}));
        QCOMPARE(messages[1].toObject(), (QJsonObject{{"role", "user"}, {"content", "USER"}}));
        QCOMPARE(body.contains("response_format"), json);
        if (json)
            QCOMPARE(body.value("response_format").toObject(), (QJsonObject{{"type", "json_object"}}));
        QCOMPARE(body.size(), json ? 5 : 4);
    }

    void model_data()
    {
        QTest::addColumn<std::optional<QString>>("stored");
        QTest::addColumn<QString>("sent");
        QTest::newRow("absent") << std::optional<QString>() << QStringLiteral("kimi-k2.6");
        QTest::newRow("empty is sent as is") << std::optional<QString>(QString()) << QString();
        QTest::newRow("custom") << std::optional<QString>(QStringLiteral("m-2")) << QStringLiteral("m-2");
    }

    void model()
    {
        QFETCH(std::optional<QString>, stored);
        QFETCH(QString, sent);
        if (stored)
            Settings::instance().setString(Settings::aiModelKey, *stored);
        else
            Settings::instance().remove(Settings::aiModelKey);
        QVERIFY(!run(*m_service).error);
        QVERIFY(m_server->lastRequestBody().value("model").isString());
        QCOMPARE(m_server->lastRequestBody().value("model").toString(), sent);
    }

    // A change in the settings applies to the very next request.
    void settingsReadAtEachRequest()
    {
        FakeChatServer other;
        QVERIFY(other.start());
        QVERIFY(!run(*m_service).error);
        Settings::instance().setString(Settings::aiModelKey, QStringLiteral("second"));
        Settings::instance().setString(Settings::aiAPIKeyKey, QStringLiteral("sk-2"));
        Settings::instance().setString(Settings::aiBaseURLKey, other.baseURL());
        QVERIFY(!run(*m_service).error);
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(other.requestCount(), 1);
        QCOMPARE(other.lastRequestBody().value("model").toString(), QStringLiteral("second"));
        QCOMPARE(other.requests().first().headers.value("authorization"), QByteArray("Bearer sk-2"));
    }

    // Failures found in the settings never reach the network.
    void refusedBeforeSending_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<std::optional<QString>>("baseURL");
        QTest::addColumn<QString>("expected");
        const QString good = QStringLiteral("<server>");
        const QString missing = QStringLiteral("No AI key set. Add one in Settings \u2192 AI.");
        const QString lineBreak = QStringLiteral("The AI key contains a line break. Paste it again in Settings \u2192 AI.");
        const QString badURL = QStringLiteral("The AI base URL isn't valid.");
        QTest::newRow("absent key") << QStringLiteral("<absent>") << std::optional(good) << missing;
        QTest::newRow("empty key") << QString() << std::optional(good) << missing;
        QTest::newRow("absent key and bad URL") << QStringLiteral("<absent>") << std::optional(QStringLiteral("::")) << missing;
        QTest::newRow("key with LF") << QStringLiteral("sk-1\nX-Evil: 1") << std::optional(good) << lineBreak;
        QTest::newRow("key with CR") << QStringLiteral("sk-1\r") << std::optional(good) << lineBreak;
        QTest::newRow("URL with a space") << QStringLiteral("sk") << std::optional(QStringLiteral("https://api example.com/v1")) << badURL;
        QTest::newRow("URL without scheme") << QStringLiteral("sk") << std::optional(QStringLiteral("api.example.com/v1")) << badURL;
        QTest::newRow("URL without host") << QStringLiteral("sk") << std::optional(QStringLiteral("https:///v1")) << badURL;
        QTest::newRow("empty URL") << QStringLiteral("sk") << std::optional(QString()) << badURL;
    }

    void refusedBeforeSending()
    {
        QFETCH(QString, key);
        QFETCH(std::optional<QString>, baseURL);
        QFETCH(QString, expected);
        Settings& settings = Settings::instance();
        if (key == QLatin1String("<absent>"))
            settings.remove(Settings::aiAPIKeyKey);
        else
            settings.setString(Settings::aiAPIKeyKey, key);
        if (*baseURL != QLatin1String("<server>"))
            settings.setString(Settings::aiBaseURLKey, *baseURL);

        const auto outcome = run(*m_service);
        const auto error = aiErrorOf(outcome);
        QVERIFY(error);
        QCOMPARE(error->description(), expected);
        // A fault the settings hold, which goes once they are mended.
        QVERIFY(AIService::isSettingsFault(error->kind()));
        // A call that goes through, made after the refused one, is the only
        // request the server ever sees.
        m_server->useInSettings();
        QVERIFY(!run(*m_service).error);
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(m_server->requests().first().headers.value("authorization"), QByteArray("Bearer sk-test"));
    }

    void failureStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        const QByteArray thousand = QByteArray("0123456789").repeated(100);
        const QByteArray completion = FakeChatServer::completionBody(QStringLiteral("{\"ok\":true}"));
        QVERIFY(completion.size() < 200);
        QTest::newRow("401 with envelope")
            << 401 << QByteArray(R"({"error":{"message":"Invalid Authentication","type":"invalid_request_error"}})")
            << QStringLiteral("AI request failed (401). Invalid Authentication");
        QTest::newRow("envelope message kept untrimmed")
            << 429 << QByteArray(R"({"error":{"message":" slow down\n"}})")
            << QStringLiteral("AI request failed (429).  slow down\n");
        QTest::newRow("envelope with empty message")
            << 400 << QByteArray(R"({"error":{"message":""}})") << QStringLiteral("AI request failed (400). ");
        QTest::newRow("envelope without message falls back to the body")
            << 400 << QByteArray(R"({"error":{"code":7}})") << QStringLiteral("AI request failed (400). {\"error\":{\"code\":7}}");
        QTest::newRow("envelope with non-text message falls back to the body")
            << 403 << QByteArray(R"({"error":{"message":5}})") << QStringLiteral("AI request failed (403). {\"error\":{\"message\":5}}");
        QTest::newRow("500 with 1000 bytes of text")
            << 500 << thousand << QStringLiteral("AI request failed (500). ") + QString::fromLatin1(thousand.left(200));
        QTest::newRow("500 with empty body") << 500 << QByteArray() << QStringLiteral("AI request failed (500). ");
        QTest::newRow("character cut at byte 200")
            << 502 << QByteArray(199, 'a') + QByteArray("\xc3\xa9 tail") << QStringLiteral("AI request failed (502). Unknown error.");
        QTest::newRow("character ending at byte 200")
            << 502 << QByteArray(198, 'a') + QByteArray("\xc3\xa9 tail")
            << QStringLiteral("AI request failed (502). ") + QString(198, u'a') + QChar(0xE9);
        QTest::newRow("invalid UTF-8") << 503 << QByteArray("\xff\xfe bad") << QStringLiteral("AI request failed (503). Unknown error.");
        QTest::newRow("201 with a valid completion")
            << 201 << completion << QStringLiteral("AI request failed (201). ") + QString::fromUtf8(completion);
    }

    void failureStatus()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        m_server->setStatus(status, body, "text/plain");
        const auto error = aiErrorOf(run(*m_service));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::http);
        QCOMPARE(error->statusCode(), status);
        QCOMPARE(error->description(), expected);
    }

    void emptyReplies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("no choices") << QByteArray(R"({"choices":[]})");
        QTest::newRow("message without content") << FakeChatServer::completionBody({std::nullopt});
        QTest::newRow("null content") << QByteArray(R"({"choices":[{"message":{"content":null}}]})");
        QTest::newRow("empty content") << FakeChatServer::completionBody(QString());
        QTest::newRow("blanks and line breaks")
            << FakeChatServer::completionBody(QStringLiteral(" \t\n\r\n  "));
        QTest::newRow("blank first, good second")
            << FakeChatServer::completionBody({QStringLiteral("  \n"), QStringLiteral("{\"a\":1}")});
    }

    void emptyReplies()
    {
        QFETCH(QByteArray, body);
        m_server->setRawBody(body);
        const auto error = aiErrorOf(run(*m_service));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::emptyResponse);
    }

    // A 200 answer that is no completion passes the decoder's error through.
    void unreadableSuccess_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("not JSON") << QByteArray("<html>gateway</html>");
        QTest::newRow("empty body") << QByteArray();
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("no choices key") << QByteArray(R"({"object":"chat.completion"})");
        QTest::newRow("choice without message") << QByteArray(R"({"choices":[{"index":0}]})");
        QTest::newRow("content of the wrong type") << QByteArray(R"({"choices":[{"message":{"content":7}}]})");
    }

    void unreadableSuccess()
    {
        QFETCH(QByteArray, body);
        m_server->setRawBody(body);
        const auto outcome = run(*m_service);
        QVERIFY(outcome.error);
        QVERIFY_THROWS_EXCEPTION(DecodingError, std::rethrow_exception(outcome.error));
        QVERIFY(describeError(outcome.error).startsWith(QStringLiteral("The AI service's reply couldn't be read (")));
    }

    void contentReturnedAsReceived()
    {
        const QString content = QStringLiteral("  \n{\"logline\":\"A \u00e9t\u00e9 story\"}\n\t");
        m_server->setRawBody(FakeChatServer::completionBody({content, QStringLiteral("second")}));
        const auto outcome = run(*m_service);
        QVERIFY(!outcome.error);
        QCOMPARE(*outcome.value, content);
    }

    // Requests in flight at the same time are not queued behind each other.
    void concurrentRequests()
    {
        m_server->setHandler([](const HttpRequest& request) {
            const QString user = QJsonDocument::fromJson(request.body)["messages"][1]["content"].toString();
            HttpResponse response;
            response.body = FakeChatServer::completionBody(QStringLiteral("reply to ") + user);
            response.delayMs = user == QLatin1String("slow") ? 300 : 0;
            return response;
        });
        QStringList finished;
        auto collect = [&](QString user) -> QCoro::Task<> {
            finished.append(co_await m_service->complete(QStringLiteral("s"), user, true, 10));
        };
        auto slow = collect(QStringLiteral("slow"));
        auto quick = collect(QStringLiteral("quick"));
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(finished, (QStringList{QStringLiteral("reply to quick"), QStringLiteral("reply to slow")}));
    }

private:
    std::unique_ptr<FakeChatServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<AIService> m_service;
};

QTEST_GUILESS_MAIN(AIServiceTest)
#include "AIServiceTest.moc"
