#pragma once

// A scripted model standing in for the chat-completions client behind the AI
// director: canned replies in order, every request recorded, replies
// optionally held back until the test lets them through. install() makes it
// the director of every assist, from the Assist menu and from the screens.

#include "services/AIDirector.h"
#include "services/AIError.h"
#include "state/assist/DirectorAssist.h"

#include <QCoro/QCoroTimer>
#include <QList>
#include <QString>
#include <chrono>
#include <exception>
#include <memory>

namespace studio::test {

using namespace std::chrono_literals;

class ScriptedModel {
public:
    struct Reply {
        QString text;
        std::exception_ptr error;
    };

    // Replies are used in order; once they run out every request gets "{}".
    void reply(const QString& json) { m_state->replies << Reply{json, nullptr}; }
    void fail(const AIError& error) { m_state->replies << Reply{QString(), std::make_exception_ptr(error)}; }
    // While held, requests are recorded but not answered.
    void hold() { m_state->held = true; }
    void release() { m_state->held = false; }

    int requestCount() const { return int(m_state->users.size()); }
    const QList<QString>& requests() const { return m_state->users; }

    AIDirector director() const
    {
        auto state = m_state;
        return AIDirector([state](QString, QString user, int) { return answer(state, std::move(user)); });
    }

    // Installs this model as the director of every assist; uninstall() puts
    // the real one back.
    void install() const { DirectorAssist::setDirector(director()); }
    static void uninstall() { DirectorAssist::setDirector(std::nullopt); }

private:
    struct State {
        QList<Reply> replies;
        QList<QString> users;
        bool held = false;
    };

    static QCoro::Task<QString> answer(std::shared_ptr<State> state, QString user)
    {
        state->users << user;
        const Reply reply = state->replies.isEmpty() ? Reply{QStringLiteral("{}"), nullptr}
                                                     : state->replies.takeFirst();
        // Always suspends once, like a real request.
        do {
            co_await QCoro::sleepFor(2ms);
        } while (state->held);
        if (reply.error)
            std::rethrow_exception(reply.error);
        co_return reply.text;
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace studio::test
