#pragma once

// The two assists of the Cast & World screen: completing a character and
// completing a location. Both ask the AI director about the target as it
// stands when the assist starts, and fill only fields that were empty then
// and are still empty when the reply lands, so nothing the user writes or
// deletes meanwhile is overwritten or brought back. The target is named by
// its id; when it is gone by the time the reply arrives nothing happens.
// They run through the session's assist runner: one at a time per session, a
// start while another assist runs is dropped, a failure ends as the session's
// error text.

#include "model/Cast.h"
#include "services/AIDirector.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QUuid>

namespace studio {

class ProjectSession;

namespace cast {

// Starts completing the character (location) with that id.
void fleshOut(ProjectSession& session, const QUuid& memberID);
void completeLocation(ProjectSession& session, const QUuid& locationID);

// The reply keys whose character field is empty (no characters at all) in
// the member: archetype, age, bio, want, need, flaw, lie, contradiction,
// voice, tells, look, wardrobe.
QSet<QString> emptyCharacterFields(const CastMember& member);

// Fills the member's fields from a reply: only keys of the table (compared
// case-sensitively), only non-empty values (written as received), only
// fields in `askedFor` that are still empty. Name, role, relationships and
// seeds are never touched.
CastMember mergeCharacterFields(CastMember member, const QMap<QString, QString>& fields,
                                const QSet<QString>& askedFor);
// Fills era, mood, look and sound from the reply where the reply has a value
// and the location's field is empty now.
Location mergeLocationDetails(Location location, const AIDirector::LocationDetails& details);

} // namespace cast
} // namespace studio
