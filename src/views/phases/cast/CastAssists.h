#pragma once

// The two assists of the Cast & World screen: completing a character and
// completing a location. Both ask the AI director about the target as it
// stands when the assist starts, and fill only fields that were empty then
// and are still empty when the reply lands, so nothing the user writes or
// deletes meanwhile is overwritten or brought back. The target is named by
// its id; when it is gone by the time the reply arrives nothing happens.
// Each is the work to run through the session's assist runner: one at a time
// per session, a start while another assist runs is dropped, a failure ends
// as the session's error text.

#include <QCoro/QCoroTask>
#include <QUuid>
#include <functional>

namespace studio {

class ProjectSession;

namespace cast {

// Completing the character (location) with that id, in that session.
std::function<QCoro::Task<void>()> fleshOut(ProjectSession& session, const QUuid& memberID);
std::function<QCoro::Task<void>()> completeLocation(ProjectSession& session, const QUuid& locationID);

} // namespace cast
} // namespace studio
