#pragma once

// A fake chat-completions service on the loopback server. It answers every
// POST with a canned reply (a completion holding a content text, a status with
// a body, or any raw response), takes queued replies first, and records what
// the client sent. useInSettings() points the program's AI settings at it.

#include "services/Settings.h"
#include "support/LoopbackHttpServer.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace studio::test {

class FakeChatServer : public QObject {
    Q_OBJECT
public:
    explicit FakeChatServer(QObject* parent = nullptr);

    // Starts listening on a free loopback port; false when that fails.
    bool start();
    // "http://127.0.0.1:<port>" followed by the path ("/v1" by default): the
    // value for the "aiBaseURL" setting.
    QString baseURL(const QString& path = QStringLiteral("/v1")) const;
    // Writes baseURL(), the key and the model into the AI settings. Inline so
    // the support library itself needs nothing of the services library.
    void useInSettings(const QString& key = QStringLiteral("sk-test"),
                       const QString& model = QStringLiteral("test-model"))
    {
        Settings& settings = Settings::instance();
        settings.setString(Settings::aiBaseURLKey, baseURL());
        settings.setString(Settings::aiAPIKeyKey, key);
        settings.setString(Settings::aiModelKey, model);
    }

    // A 200 completion body whose choices carry these contents in order
    // (nullopt: a message without "content").
    static QByteArray completionBody(const QList<std::optional<QString>>& contents);
    static QByteArray completionBody(const QString& content)
    {
        return completionBody(QList<std::optional<QString>>{content});
    }

    // The reply given whenever no queued reply is waiting (at first a
    // completion whose content is "{}").
    void setReply(HttpResponse response);
    void setContent(const QString& content);                    // 200 completion
    void setStatus(int status, const QByteArray& body,
                   const QByteArray& contentType = "application/json");
    void setRawBody(const QByteArray& body);                    // 200 with this body

    // Chooses the reply from the request (for instance by its prompt); replaces
    // the standing and queued replies until cleared with an empty function.
    void setHandler(LoopbackHttpServer::Handler handler) { m_handler = std::move(handler); }

    // Replies used once each, in order, before the standing reply.
    void queueReply(HttpResponse response);
    void queueContent(const QString& content);

    // Every request in arrival order, and their bodies read as JSON objects
    // (an empty object for a body that is not one).
    const QList<HttpRequest>& requests() const { return m_server.requests(); }
    QList<QJsonObject> requestBodies() const;
    QJsonObject lastRequestBody() const;
    qsizetype requestCount() const { return m_server.requests().size(); }
    void clearRequests() { m_server.clearRequests(); }

private:
    HttpResponse next(const HttpRequest& request);

    LoopbackHttpServer m_server;
    HttpResponse m_reply;
    QList<HttpResponse> m_queue;
    LoopbackHttpServer::Handler m_handler;
};

} // namespace studio::test
