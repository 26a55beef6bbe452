#include "services/AIService.h"

#include "model/Json.h"
#include "model/Text.h"
#include "services/AIError.h"
#include "services/Settings.h"

#include <QCoreApplication>
#include <QCoro/QCoroNetworkReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QUrl>

namespace studio {

namespace {

// What a completion answer holds that the program reads. Unknown keys are
// ignored; `choices` and each choice's `message` must be there.
struct ChatResponse {
    struct Choice {
        std::optional<QString> content;

        static Choice fromJson(const json::Reader& r)
        {
            const auto message = r.required<Message>(QLatin1StringView("message"));
            return Choice{message.content};
        }

        struct Message {
            std::optional<QString> content;
            static Message fromJson(const json::Reader& r)
            {
                return Message{r.optional<QString>(QLatin1StringView("content"))};
            }
            };
    };

    QList<Choice> choices;

    static ChatResponse fromJson(const json::Reader& r)
    {
        return ChatResponse{r.required<QList<Choice>>(QLatin1StringView("choices"))};
    }
};

// The error body most services send with a failure status.
struct APIErrorEnvelope {
    struct Inner {
        std::optional<QString> message;
        static Inner fromJson(const json::Reader& r)
        {
            return Inner{r.optional<QString>(QLatin1StringView("message"))};
        }
    };

    std::optional<Inner> error;

    static APIErrorEnvelope fromJson(const json::Reader& r)
    {
        return APIErrorEnvelope{r.optional<Inner>(QLatin1StringView("error"))};
    }
};

QString settingOr(const QString& key, const QString& fallback)
{
    return Settings::instance().string(key).value_or(fallback);
}

// The endpoint for a base URL: one trailing "/" dropped, "/chat/completions"
// appended. Anything that is not an absolute URL with a host is refused here,
// where the user can be told the base URL is wrong.
std::optional<QUrl> endpointFor(QString base)
{
    if (base.endsWith(u'/'))
        base.chop(1);
    const QUrl url(base + QStringLiteral("/chat/completions"), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && url.host().isEmpty())
        return std::nullopt;
    return url;
}

QByteArray requestBody(const QString& model, const QString& system, const QString& user, bool json, int maxTokens)
{
    QJsonObject body;
    body.insert(QLatin1StringView("model"), model);
    body.insert(QLatin1StringView("messages"),
                QJsonArray{
                    QJsonObject{{QLatin1StringView("role"), QStringLiteral("system")},
                                {QLatin1StringView("content"), system}},
                    QJsonObject{{QLatin1StringView("role"), QStringLiteral("user")},
                                {QLatin1StringView("content"), user}},
                });
    body.insert(QLatin1StringView("temperature"), 1.0);
    body.insert(QLatin1StringView("max_tokens"), maxTokens);
    if (json)
        body.insert(QLatin1StringView("response_format"),
                    QJsonObject{{QLatin1StringView("type"), QStringLiteral("json_object")}});
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

// The message of a failure status: the service's own error message when the
// body is an error envelope that has one, else the body's first 200 bytes as
// text ("Unknown error." when those bytes are not valid UTF-8, for instance a
// character cut in two at byte 200).
QString failureMessage(const QByteArray& body)
{
    try {
        const auto envelope = json::decode<APIErrorEnvelope>(body);
        if (envelope.error && envelope.error->message)
            return *envelope.error->message;
    } catch (const DecodingError&) {
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(body.left(200));
    if (decoder.hasError())
        return QStringLiteral("Unknown error.");
    return text;
}

// Errors that mean the answer never arrived whole: the connection failed,
// timed out or broke off, or the bytes were not HTTP. The others Qt reports
// for a finished reply only restate its HTTP status.
bool isTransportFailure(QNetworkReply::NetworkError error)
{
    return (error > QNetworkReply::NoError && error <= QNetworkReply::UnknownNetworkError)
        || error == QNetworkReply::ProtocolFailure;
}

} // namespace

QString AIService::builtInAPIKey()
{
    return QString();
}

QString AIService::defaultBaseURL()
{
    return QStringLiteral("https://api.moonshot.ai/v1");
}

QString AIService::defaultModel()
{
    return QStringLiteral("kimi-k2.6");
}

AIService& AIService::shared()
{
    // The network manager dies with the application object; the client itself
    // is never destroyed, so callers may hold it for the whole run.
    static AIService* service = new AIService(new QNetworkAccessManager(QCoreApplication::instance()));
    return *service;
}

AIService::AIService(QNetworkAccessManager* network, std::chrono::milliseconds timeout)
    : m_network(network), m_timeout(timeout)
{
}

void AIService::seedDefaultsIfNeeded()
{
    Settings& settings = Settings::instance();
    const std::pair<QString, QString> defaults[] = {
        {Settings::aiAPIKeyKey, builtInAPIKey()},
        {Settings::aiBaseURLKey, defaultBaseURL()},
        {Settings::aiModelKey, defaultModel()},
    };
    for (const auto& [key, value] : defaults) {
        // An empty default has nothing to fill in: absent and empty read the same.
        if (value.isEmpty())
            continue;
        const auto stored = settings.string(key);
        if (!stored || stored->isEmpty())
            settings.setString(key, value);
    }
}

std::optional<AIError> AIService::settingsFault()
{
    // The key is used as stored, untrimmed; a line break in it would split
    // the Authorization header, so such a key is refused, never sent.
    const QString key = settingOr(Settings::aiAPIKeyKey, QString());
    if (key.isEmpty())
        return AIError::missingKey();
    if (key.contains(u'\r') || key.contains(u'\n'))
        return AIError::badKey();
    if (!endpointFor(settingOr(Settings::aiBaseURLKey, defaultBaseURL())))
        return AIError::badURL();
    return std::nullopt;
}

bool AIService::isSettingsFault(AIError::Kind kind)
{
    switch (kind) {
    case AIError::Kind::missingKey:
    case AIError::Kind::badKey:
    case AIError::Kind::badURL:
        return true;
    case AIError::Kind::http:
    case AIError::Kind::parsing:
    case AIError::Kind::emptyResponse:
        return false;
    }
    return false;
}

QCoro::Task<QString> AIService::complete(QString system, QString user, bool json, int maxTokens)
{
    if (std::optional<AIError> fault = settingsFault())
        throw *fault;
    const QString key = settingOr(Settings::aiAPIKeyKey, QString());
    const auto url = endpointFor(settingOr(Settings::aiBaseURLKey, defaultBaseURL()));
    if (!url)
        throw AIError::badURL();

    QNetworkRequest request(*url);
    request.setTransferTimeout(int(m_timeout.count()));
    request.setRawHeader("Authorization", "Bearer " + key.toUtf8());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));

    const QString model = settingOr(Settings::aiModelKey, defaultModel());
    const QByteArray body = requestBody(model, system, user, json, maxTokens);

    if (!m_network)
        throw TransportError(QNetworkReply::OperationCanceledError,
                             QStringLiteral("The network is no longer available."));
    QPointer<QNetworkReply> reply = m_network->post(request, body);
    const auto release = qScopeGuard([reply] {
        if (reply)
            reply->deleteLater();
    });
    co_await qCoro(reply.data()).waitForFinished();
    if (!reply)
        throw TransportError(QNetworkReply::OperationCanceledError,
                             QStringLiteral("The request was cancelled."));

    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (isTransportFailure(error) || (!status.isValid() && error != QNetworkReply::NoError)) {
        // A transfer time-out surfaces as a cancelled operation; say what happened.
        const QString message = error == QNetworkReply::OperationCanceledError
            ? QStringLiteral("The request timed out.")
            : reply->errorString();
        throw TransportError(error, message);
    }
    if (!status.isValid())
        throw AIError::emptyResponse();

    const QByteArray answer = reply->readAll();
    const int statusCode = status.toInt();
    if (statusCode != 200)
        throw AIError::http(statusCode, failureMessage(answer));

    // Not a completion: the decoder's error goes to the caller unchanged.
    const auto response = json::decode<ChatResponse>(answer);
    if (response.choices.isEmpty())
        throw AIError::emptyResponse();
    const auto& content = response.choices.first().content;
    if (!content || text::trimmed(*content).isEmpty())
        throw AIError::emptyResponse();
    co_return *content;
}

QCoro::Task<QString> AIService::testConnection()
{
    QString reply;
    std::exception_ptr failure;
    try {
        reply = co_await complete(QStringLiteral("Reply with strict JSON only."),
                                  QStringLiteral("Reply exactly {\"ok\":true}"), true, 2048);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure)
        co_return QStringLiteral("Failed: ") + describeError(failure);
    if (reply.contains(QLatin1String("true")))
        co_return QStringLiteral("Connected \u2014 ") + settingOr(Settings::aiModelKey, defaultModel())
            + QStringLiteral(" is responding.");
    co_return QStringLiteral("Connected, but the reply looked odd: ") + text::graphemePrefix(reply, 60);
}

} // namespace studio
