#pragma once

// The one shape of every assist that asks the AI director: copy the
// production and the assist's target now, await one director action, then
// land the result in the live production. The workspace's Assist menu and the
// screens' own assist buttons all run through here, so none of them repeats
// the lifetime rules:
//
//   - the session is held through a QPointer; once its tab has closed the
//     result is dropped (nothing is written, no choice is offered);
//   - the director is given copies taken before the await, never the live
//     production, which may change or vanish while the request runs;
//   - the result lands through AssistResults::apply, so through the session's
//     edit door and its choice prompt, and the change it writes finds its
//     target again by id inside the edit: a target gone by then changes
//     nothing, and one still there is found whichever episode is active now.
//
// A screen's assist, e.g. completing a location:
//
//   session().runAssist(DirectorAssist::work(session(),
//       [id](const Project& p) { return findLocation(p, id); },
//       [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
//       [](const Project& live, const Location& asked, const AIDirector::LocationDetails& r) {
//           return locationOutcome(live, asked, r); }));  // the screen's pure result function
//
// `find` takes the copy of the production and returns the target as a pointer
// or an optional (null or empty: no target, nothing is asked); the target is
// copied before anything is awaited. `ask` may throw (AIError) to refuse
// before any request; the runner shows the message.

#include "model/Project.h"
#include "services/AIDirector.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"

#include <QCoro/QCoroTask>
#include <QPointer>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace studio {

class DirectorAssist {
public:
    // The director every assist asks, whether started from the Assist menu or
    // from a screen. By default it talks to the shared chat-completions
    // client; tests put a scripted one in place (nullopt restores the
    // default). Read once when an assist starts.
    static AIDirector director();
    static void setDirector(std::optional<AIDirector> director);

    // Copies the production and its target, awaits `ask(director, production,
    // target)` and lands `land(live production, target, result)`, an
    // AssistOutcome. True when a result was landed; false when the session
    // was gone (before or after the await) or the target was missing when
    // the assist started.
    template <class Find, class Ask, class Land>
    static QCoro::Task<bool> run(QPointer<ProjectSession> session, Find find, Ask ask, Land land)
    {
        if (!session)
            co_return false;
        const Project asked = session->project();
        const auto found = find(asked);
        if (!found)
            co_return false;
        const std::remove_cvref_t<decltype(*found)> target = *found;
        const AIDirector director = DirectorAssist::director();
        const auto result = co_await ask(director, asked, target);
        if (!session)
            co_return false;
        AssistResults::apply(*session, land(session->project(), target, result));
        co_return true;
    }

    // The same for an assist about the production as a whole:
    // `ask(director, production)` and `land(live production, result)`.
    template <class Ask, class Land>
    static QCoro::Task<bool> run(QPointer<ProjectSession> session, Ask ask, Land land)
    {
        return run(
            std::move(session), [](const Project& p) { return &p; },
            [ask = std::move(ask)](const AIDirector& d, const Project& p, const Project&) { return ask(d, p); },
            [land = std::move(land)](const Project& live, const Project&, const auto& result) {
                return land(live, result);
            });
    }

    // The work to hand to ProjectSession::runAssist. It keeps only the
    // session pointer and the functions (so only ids and values captured by
    // them), never a widget.
    template <class Find, class Ask, class Land>
    static std::function<QCoro::Task<void>()> work(ProjectSession& session, Find find, Ask ask, Land land)
    {
        return [session = QPointer<ProjectSession>(&session), find, ask, land]() -> QCoro::Task<void> {
            return discard(run(session, find, ask, land));
        };
    }

    template <class Ask, class Land>
    static std::function<QCoro::Task<void>()> work(ProjectSession& session, Ask ask, Land land)
    {
        return [session = QPointer<ProjectSession>(&session), ask, land]() -> QCoro::Task<void> {
            return discard(run(session, ask, land));
        };
    }

private:
    static QCoro::Task<void> discard(QCoro::Task<bool> task);
};

} // namespace studio
