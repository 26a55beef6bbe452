#pragma once

// The errors of the assist road and the one function that turns any of them
// into the text the user sees.
//
// An assist (or the connection test) may see exactly these exception types:
//   - AIError          the client's and the director's own failures;
//   - TransportError   the request never got a whole HTTP answer (refused,
//                      host not found, timed out, dropped mid-body);
//   - DecodingError    a success reply whose body is not a chat completion
//                      (model/Json.h), passed through from the client.
// describeError() gives the user-facing text of each; any other exception
// falls back to its what() text.

#include <QNetworkReply>
#include <QString>
#include <exception>

namespace studio {

class AIError : public std::exception {
public:
    enum class Kind {
        http,          // a status other than 200: statusCode() and message()
        parsing,       // a reply that can't be read: message() holds the detail
        missingKey,
        badURL,
        emptyResponse,
        // A key with a carriage return or line feed: it would otherwise be
        // written into the Authorization header and split it.
        badKey,
    };

    static AIError http(int statusCode, QString message);
    static AIError parsing(QString detail);
    static AIError missingKey();
    static AIError badURL();
    static AIError emptyResponse();
    static AIError badKey();

    Kind kind() const { return m_kind; }
    int statusCode() const { return m_statusCode; }
    // The body of http, the detail of parsing; empty for the other kinds.
    const QString& message() const { return m_message; }

    // The text shown to the user.
    QString description() const;
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    AIError(Kind kind, int statusCode, QString message);

    Kind m_kind;
    int m_statusCode = 0;
    QString m_message;
    QByteArray m_utf8;
};

// A request that got no complete HTTP answer. Carries Qt's own description.
class TransportError : public std::exception {
public:
    TransportError(QNetworkReply::NetworkError code, QString message);

    QNetworkReply::NetworkError code() const { return m_code; }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QNetworkReply::NetworkError m_code;
    QString m_message;
    QByteArray m_utf8;
};

// The user-facing text of a failure caught around an assist or a request.
// A null pointer gives an empty text.
QString describeError(std::exception_ptr error);

} // namespace studio
