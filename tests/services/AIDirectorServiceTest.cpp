#include "AIDirectorFixtures.h"

#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QTest>

using namespace studio;
using namespace fixtures;
using namespace studio::test;

// The director on the real chat-completions client, against a fake service
// reached through the settings.
class AIDirectorServiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeChatServer>();
        QVERIFY(m_server->start());
        m_server->useInSettings(QStringLiteral("sk-director"), QStringLiteral("director-model"));
    }

    void cleanup() { m_server.reset(); }

    void sharpenLoglineEndToEnd()
    {
        m_server->setContent(QStringLiteral("Sure!\n```json\n{\"options\":[\"One.\",\"Two.\",\"Three.\",\"Four.\"]}\n```"));
        const Project p = sampleSeries();
        const auto options = valueOf(AIDirector().sharpenLogline(p));
        QVERIFY(options);
        QCOMPARE(*options, (QStringList{"One.", "Two.", "Three."}));

        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(m_server->requests().first().path, QByteArray("/v1/chat/completions"));
        const QJsonObject body = m_server->lastRequestBody();
        QCOMPARE(body.value("model").toString(), QStringLiteral("director-model"));
        QCOMPARE(body.value("max_tokens").toInt(), 8192);
        QCOMPARE(body.value("response_format").toObject().value("type").toString(), QStringLiteral("json_object"));
        const QJsonArray messages = body.value("messages").toArray();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].toObject().value("role").toString(), QStringLiteral("system"));
        QCOMPARE(messages[0].toObject().value("content").toString(), AIDirector::systemPrompt() + AIDirector::brief(p));
        QCOMPARE(messages[1].toObject().value("role").toString(), QStringLiteral("user"));
        QVERIFY(messages[1].toObject().value("content").toString().startsWith(
            QStringLiteral("Rewrite this project's logline three different ways.")));
    }

    void fillBeatsEndToEndByIdWithItsOwnTokenLimit()
    {
        m_server->setContent(QStringLiteral("{\"beats\":[{\"index\":1,\"summary\":\"The lamp dies.\"}]}"));
        const Project p = sampleSeries();
        const Episode& e = p.episodes.first();
        const auto result = valueOf(AIDirector().fillBeats(p, e));
        QVERIFY(result);
        QCOMPARE(result->fills.size(), 1);
        QCOMPARE(result->fills.first().beatID, e.structure.acts[1].beats[0].id);
        QCOMPARE(m_server->lastRequestBody().value("max_tokens").toInt(), 12000);
    }

    void serviceFailuresReachTheCaller_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("http error")
            << 401 << QByteArray("{\"error\":{\"message\":\"bad key\"}}") << QStringLiteral("AI request failed (401). bad key");
        QTest::newRow("reply without object")
            << 200 << FakeChatServer::completionBody(QStringLiteral("I'd rather not."))
            << QStringLiteral("Couldn't read the model's reply. No JSON object found.");
        QTest::newRow("empty reply") << 200 << FakeChatServer::completionBody(QStringLiteral("  \n"))
                                     << QStringLiteral("The model returned an empty reply.");
    }

    void serviceFailuresReachTheCaller()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        m_server->setStatus(status, body);
        const auto outcome = awaitTask(AIDirector().pressKit(sampleSeries()));
        QVERIFY(outcome.error);
        QCOMPARE(describeError(outcome.error), expected);
    }

private:
    std::unique_ptr<FakeChatServer> m_server;
};

QTEST_GUILESS_MAIN(AIDirectorServiceTest)
#include "AIDirectorServiceTest.moc"
