#pragma once

// A scripted model standing in for the chat-completions client behind the AI
// director: queued replies in order, then a standing reply ("{}" unless
// told), every request recorded, replies optionally held back until the test
// lets them through. director() hands it to one director; install() makes it
// the director of every assist, from the Assist menu and from the screens.

#include "services/AIDirector.h"
#include "services/AIError.h"
#include "state/assist/DirectorAssist.h"

#include <QCoro/QCoroTimer>
#include <QList>
#include <QString>
#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>

namespace studio::test {

using namespace std::chrono_literals;

class ScriptedModel {
public:
    // One request as the client would send it.
    struct Call {
        QString system;
        QString user;
        int maxTokens = 0;
    };

    // Replies used once each, in order.
    void reply(const QString& json) { m_state->replies << Reply{json, nullptr}; }
    template <class Error>
    void fail(const Error& error)
    {
        m_state->replies << Reply{QString(), std::make_exception_ptr(error)};
    }
    // The reply, or failure, once the queue is empty.
    void replyAlways(const QString& json) { m_state->standing = Reply{json, nullptr}; }
    template <class Error>
    void failAlways(const Error& error)
    {
        m_state->standing = Reply{QString(), std::make_exception_ptr(error)};
    }

    // Each reply comes after this long (2 ms unless told), so it always
    // arrives later, like a real one; zero answers within the request.
    void setLatency(std::chrono::milliseconds latency) { m_state->latency = latency; }
    // While held, requests are recorded but not answered.
    void hold() { m_state->held = true; }
    void release() { m_state->held = false; }

    const QList<Call>& calls() const { return m_state->calls; }
    const Call& last() const { return m_state->calls.last(); }
    int requestCount() const { return int(m_state->calls.size()); }
    // The user prompt of every request, in order.
    QList<QString> requests() const
    {
        QList<QString> users;
        for (const Call& call : m_state->calls)
            users << call.user;
        return users;
    }

    AIDirector director() const
    {
        auto state = m_state;
        return AIDirector([state](QString system, QString user, int maxTokens) {
            return answer(state, Call{std::move(system), std::move(user), maxTokens});
        });
    }

    // Installs this model as the director of every assist; uninstall() puts
    // the real one back.
    void install() const { DirectorAssist::setDirector(director()); }
    static void uninstall() { DirectorAssist::setDirector(std::nullopt); }

private:
    struct Reply {
        QString text;
        std::exception_ptr error;
    };
    struct State {
        QList<Reply> replies;
        Reply standing{QStringLiteral("{}"), nullptr};
        QList<Call> calls;
        std::chrono::milliseconds latency = 2ms;
        bool held = false;
    };

    static QCoro::Task<QString> answer(std::shared_ptr<State> state, Call call)
    {
        state->calls << std::move(call);
        const Reply reply = state->replies.isEmpty() ? state->standing : state->replies.takeFirst();
        if (state->latency > 0ms || state->held) {
            do {
                co_await QCoro::sleepFor(std::max(state->latency, 1ms));
            } while (state->held);
        }
        if (reply.error)
            std::rethrow_exception(reply.error);
        co_return reply.text;
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace studio::test
