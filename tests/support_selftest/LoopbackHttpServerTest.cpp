#include "support/LoopbackHttpServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

using namespace studio::test;

// The fake servers every network test stands on must speak plain HTTP correctly.
class LoopbackHttpServerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answersAndRecords()
    {
        LoopbackHttpServer server;
        QVERIFY(server.start());
        server.setHandler([](const HttpRequest& r) {
            HttpResponse out;
            out.status = r.path == "/ok" ? 200 : 418;
            out.body = "echo:" + r.body;
            return out;
        });
        QNetworkAccessManager nam;
        QNetworkRequest req(server.url(QStringLiteral("/ok")));
        req.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        req.setRawHeader("Authorization", "Bearer k");
        std::unique_ptr<QNetworkReply> reply(nam.post(req, QByteArray("{\"a\":1}")));
        QSignalSpy done(reply.get(), &QNetworkReply::finished);
        QVERIFY(done.wait(5000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QCOMPARE(reply->readAll(), QByteArray("echo:{\"a\":1}"));
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(server.requests().first().method, QByteArray("POST"));
        QCOMPARE(server.requests().first().headers.value("authorization"), QByteArray("Bearer k"));

        std::unique_ptr<QNetworkReply> other(nam.get(QNetworkRequest(server.url(QStringLiteral("/x")))));
        QSignalSpy done2(other.get(), &QNetworkReply::finished);
        QVERIFY(done2.wait(5000));
        QCOMPARE(other->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 418);
    }

    void dropsConnection()
    {
        LoopbackHttpServer server;
        QVERIFY(server.start());
        HttpResponse drop;
        drop.dropConnection = true;
        server.respondWith(drop);
        QNetworkAccessManager nam;
        std::unique_ptr<QNetworkReply> reply(nam.get(QNetworkRequest(server.url(QStringLiteral("/")))));
        QSignalSpy done(reply.get(), &QNetworkReply::finished);
        QVERIFY(done.wait(5000));
        QVERIFY(reply->error() != QNetworkReply::NoError);
    }
};

QTEST_GUILESS_MAIN(LoopbackHttpServerTest)
#include "LoopbackHttpServerTest.moc"
