#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for tests: the fake chat-completions
// service, the fake update feed and archive host. Tests never reach the network.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace studio::test {

struct HttpRequest {
    QByteArray method;
    QByteArray path;                      // path and query as sent
    QHash<QByteArray, QByteArray> headers; // names lower-cased
    QByteArray body;
};

struct HttpResponse {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    QList<std::pair<QByteArray, QByteArray>> extraHeaders;
    int delayMs = 0;          // answer after this long
    bool dropConnection = false; // close without answering
};

class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    // Starts listening on a free port; false when that fails.
    bool start();
    quint16 port() const;
    // "http://127.0.0.1:<port>" followed by the path.
    QUrl url(const QString& path = QString()) const;

    // Every request is answered by the handler; by default 404.
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Convenience: always answer with this response.
    void respondWith(HttpResponse response);

    const QList<HttpRequest>& requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const HttpRequest& request);

    QTcpServer* m_server;
    Handler m_handler;
    QList<HttpRequest> m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};

} // namespace studio::test
