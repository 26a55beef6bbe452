#pragma once

// The one chat-completions client of the program. It keeps no state of its
// own: the API key, base URL and model are read from the settings at every
// request, so a change in the settings window applies to the next request.
//
// complete() throws AIError for the failures it recognises, TransportError
// when no whole HTTP answer arrives, and DecodingError when a 200 answer is
// not a chat completion (see AIError.h; describeError() gives the text to
// show for any of them).

#include "services/AIError.h"

#include <QCoro/QCoroTask>
#include <QPointer>
#include <QString>
#include <chrono>
#include <optional>

class QNetworkAccessManager;

namespace studio {

class AIService final {
public:
    // Requests give up after this long without traffic.
    static constexpr std::chrono::milliseconds defaultTimeout{240'000};

    // The built-in defaults written by seedDefaultsIfNeeded(). No credential
    // ships with the program: the built-in key is empty, so requests fail
    // with AIError::missingKey until the user enters one.
    static QString builtInAPIKey();
    static QString defaultBaseURL();
    static QString defaultModel();

    // The instance the program uses, on its one shared network manager.
    // Needs a QCoreApplication; lives for the rest of the run.
    static AIService& shared();

    // A client on the given network manager (not owned), for tests and
    // anything that needs its own time-out.
    explicit AIService(QNetworkAccessManager* network, std::chrono::milliseconds timeout = defaultTimeout);
    AIService(const AIService&) = delete;
    AIService& operator=(const AIService&) = delete;

    // Fills "aiAPIKey", "aiBaseURL" and "aiModel" with the built-in defaults
    // where a key is missing or holds the empty string. A string of blanks is
    // kept. Called once at start-up.
    static void seedDefaultsIfNeeded();

    // The failure a request meets with the settings as they are now, before
    // anything is sent: no key, a key with a line break, a base URL that
    // names no endpoint. None when the settings allow a request.
    static std::optional<AIError> settingsFault();
    // Whether a failure of this kind is one of those.
    static bool isSettingsFault(AIError::Kind kind);

    // Sends one chat-completions request (a system and a user message) and
    // returns the first choice's content exactly as received. `json` asks the
    // service for a JSON-object reply. The service must outlive the task.
    QCoro::Task<QString> complete(QString system, QString user, bool json, int maxTokens);

    // Never throws. Returns "Connected — <model> is responding.", "Connected,
    // but the reply looked odd: …" or "Failed: " and the error's text.
    QCoro::Task<QString> testConnection();

private:
    QPointer<QNetworkAccessManager> m_network;
    std::chrono::milliseconds m_timeout;
};

} // namespace studio
