#include "services/AIError.h"

#include "model/Json.h"

namespace studio {

AIError::AIError(Kind kind, int statusCode, QString message)
    : m_kind(kind), m_statusCode(statusCode), m_message(std::move(message))
{
    m_utf8 = description().toUtf8();
}

AIError AIError::http(int statusCode, QString message)
{
    return AIError(Kind::http, statusCode, std::move(message));
}

AIError AIError::parsing(QString detail)
{
    return AIError(Kind::parsing, 0, std::move(detail));
}

AIError AIError::missingKey()
{
    return AIError(Kind::missingKey, 0, QString());
}

AIError AIError::badURL()
{
    return AIError(Kind::badURL, 0, QString());
}

AIError AIError::emptyResponse()
{
    return AIError(Kind::emptyResponse, 0, QString());
}

AIError AIError::badKey()
{
    return AIError(Kind::badKey, 0, QString());
}

QString AIError::description() const
{
    // The payload is appended as it stands: an empty one leaves the text
    // ending in the blank after the full stop.
    switch (m_kind) {
    case Kind::http:
        return QStringLiteral("AI request failed (") + QString::number(m_statusCode) + QStringLiteral("). ") + m_message;
    case Kind::parsing:
        return QStringLiteral("Couldn't read the model's reply. ") + m_message;
    case Kind::missingKey:
        return QStringLiteral("No AI key set. Add one in Settings \u2192 AI.");
    case Kind::badURL:
        return QStringLiteral("The AI base URL isn't valid.");
    case Kind::emptyResponse:
        return QStringLiteral("The model returned an empty reply.");
    case Kind::badKey:
        return QStringLiteral("The AI key contains a line break. Paste it again in Settings \u2192 AI.");
    }
    return QString();
}

TransportError::TransportError(QNetworkReply::NetworkError code, QString message)
    : m_code(code), m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

QString describeError(std::exception_ptr error)
{
    if (!error)
        return QString();
    try {
        std::rethrow_exception(error);
    } catch (const AIError& e) {
        return e.description();
    } catch (const TransportError& e) {
        return e.message();
    } catch (const DecodingError& e) {
        return QStringLiteral("The AI service's reply couldn't be read (") + e.message() + QStringLiteral(").");
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

} // namespace studio
