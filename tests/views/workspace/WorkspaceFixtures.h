#pragma once

// Shared pieces of the workspace tests: a scripted model standing in for the
// chat-completions client (canned replies in order, every request recorded,
// replies optionally held back until the test lets them through), and small
// builders of productions.

#include "model/Project.h"
#include "services/AIDirector.h"
#include "services/AIError.h"
#include "state/ProjectSession.h"
#include "views/shell/AssistActions.h"

#include <QCoro/QCoroTimer>
#include <QList>
#include <QString>
#include <QTest>
#include <chrono>
#include <exception>
#include <memory>

namespace fixtures {

using namespace studio;
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

    // Installs this model as the director of every workspace assist.
    void install() const { AssistActions::setDirector(director()); }

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

// Runs the entry of the session's table with that title; false when the
// active phase has no such entry.
inline bool runEntry(ProjectSession& session, const QString& title)
{
    for (const AssistAction& action : AssistActions::forSession(session)) {
        if (action.title == title) {
            session.runAssist(action.work);
            return true;
        }
    }
    return false;
}

// An episode whose structure has the given beats (summaries) in one act.
inline Episode episodeWithBeats(const QStringList& summaries)
{
    Episode episode;
    Act act;
    for (const QString& summary : summaries) {
        Beat beat;
        beat.summary = summary;
        act.beats << beat;
    }
    episode.structure.acts << act;
    return episode;
}

inline SceneCard sceneWithShots(int shots, int renderedShots = 0)
{
    SceneCard scene;
    for (int i = 0; i < shots; ++i) {
        Shot shot;
        if (i < renderedShots)
            shot.takes << Take{};
        scene.shots << shot;
    }
    return scene;
}

} // namespace fixtures
