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
// A screen's assist, e.g. completing a location, is a request its base runs
// on the session the screen shows:
//
//   runAssist(DirectorAssist::request(
//       [id](const Project& p) { return findLocation(p, id); },
//       [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
//       [](const Project& live, const Location& asked, const AIDirector::LocationDetails& r) {
//           return locationOutcome(live, asked, r); }));  // the screen's pure result function
//
// The Assist menu, which holds the session itself, makes the work at once
// with DirectorAssist::work(session, find, ask, land).
//
// `find` takes the copy of the production and returns the target as a pointer
// or an optional (null or empty: no target, nothing is asked); the target is
// copied before anything is awaited. `ask` may throw (AIError) to refuse
// before any request; the runner shows the message.

#include "model/Project.h"
#include "services/AIDirector.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistRequest.h"
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

    // An assist not yet given its session (AssistRequest): what a screen
    // asks its base to run, which gives it the session the screen shows.
    using Request = AssistRequest;

    template <class Find, class Ask, class Land>
    static Request request(Find find, Ask ask, Land land)
    {
        return [find, ask, land](QPointer<ProjectSession> session) -> QCoro::Task<void> {
            return discard(run(std::move(session), find, ask, land));
        };
    }

    template <class Ask, class Land>
    static Request request(Ask ask, Land land)
    {
        return [ask, land](QPointer<ProjectSession> session) -> QCoro::Task<void> {
            return discard(run(std::move(session), ask, land));
        };
    }

    // The request given its session: the work to hand to
    // ProjectSession::runAssist. It holds the session through a QPointer.
    static std::function<QCoro::Task<void>()> bind(Request request, ProjectSession& session)
    {
        return [request = std::move(request), session = QPointer<ProjectSession>(&session)] {
            return request(session);
        };
    }

    template <class Find, class Ask, class Land>
    static std::function<QCoro::Task<void>()> work(ProjectSession& session, Find find, Ask ask, Land land)
    {
        return bind(request(std::move(find), std::move(ask), std::move(land)), session);
    }

    template <class Ask, class Land>
    static std::function<QCoro::Task<void>()> work(ProjectSession& session, Ask ask, Land land)
    {
        return bind(request(std::move(ask), std::move(land)), session);
    }

private:
    static QCoro::Task<void> discard(QCoro::Task<bool> task);
};

} // namespace studio
