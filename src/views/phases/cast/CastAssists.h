#pragma once

// The two assists of the Cast & World screen: completing a character and
// completing a location. Both ask the AI director about the target as it
// stands when the assist starts, and fill only fields that were empty then
// and are still empty when the reply lands, so nothing the user writes or
// deletes meanwhile is overwritten or brought back. The target is named by
// its id; when it is gone by the time the reply arrives nothing happens.
// Each is a request the screen runs on its session through the assist
// runner: one at a time per session, a start while another assist runs is
// dropped, a failure ends as the session's error text.

#include "state/assist/AssistRequest.h"

#include <QUuid>

namespace studio::cast {

// Completing the character (location) with that id.
AssistRequest fleshOut(const QUuid& memberID);
AssistRequest completeLocation(const QUuid& locationID);

} // namespace studio::cast
