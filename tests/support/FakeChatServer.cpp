#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace studio::test {

FakeChatServer::FakeChatServer(QObject* parent)
    : QObject(parent)
{
    m_reply.body = completionBody(QStringLiteral("{}"));
    m_server.setHandler([this](const HttpRequest& request) { return next(request); });
}

bool FakeChatServer::start()
{
    return m_server.start();
}

QString FakeChatServer::baseURL(const QString& path) const
{
    return m_server.url(path).toString();
}

QByteArray FakeChatServer::completionBody(const QList<std::optional<QString>>& contents)
{
    QJsonArray choices;
    int index = 0;
    for (const auto& content : contents) {
        QJsonObject message{{QStringLiteral("role"), QStringLiteral("assistant")}};
        if (content)
            message.insert(QStringLiteral("content"), *content);
        choices.append(QJsonObject{{QStringLiteral("index"), index++},
                                   {QStringLiteral("message"), message},
                                   {QStringLiteral("finish_reason"), QStringLiteral("stop")}});
    }
    const QJsonObject body{{QStringLiteral("id"), QStringLiteral("chatcmpl-test")},
                           {QStringLiteral("object"), QStringLiteral("chat.completion")},
                           {QStringLiteral("choices"), choices}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

void FakeChatServer::setReply(HttpResponse response)
{
    m_reply = std::move(response);
}

void FakeChatServer::setContent(const QString& content)
{
    setRawBody(completionBody(content));
}

void FakeChatServer::setStatus(int status, const QByteArray& body, const QByteArray& contentType)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    response.contentType = contentType;
    setReply(response);
}

void FakeChatServer::setRawBody(const QByteArray& body)
{
    setStatus(200, body);
}

void FakeChatServer::queueReply(HttpResponse response)
{
    m_queue.append(std::move(response));
}

void FakeChatServer::queueContent(const QString& content)
{
    HttpResponse response;
    response.body = completionBody(content);
    queueReply(response);
}

QList<QJsonObject> FakeChatServer::requestBodies() const
{
    QList<QJsonObject> out;
    for (const HttpRequest& request : m_server.requests())
        out.append(QJsonDocument::fromJson(request.body).object());
    return out;
}

QJsonObject FakeChatServer::lastRequestBody() const
{
    const auto bodies = requestBodies();
    return bodies.isEmpty() ? QJsonObject() : bodies.last();
}

HttpResponse FakeChatServer::next(const HttpRequest& request)
{
    if (m_handler)
        return m_handler(request);
    if (!m_queue.isEmpty())
        return m_queue.takeFirst();
    return m_reply;
}

} // namespace studio::test
