#pragma once

// The rules of the Cast & World screen that need no widget: what a new
// character or location is, the one-line subtitles of the gallery cards,
// removals by id, and the relationships of a character. Every function finds
// its records by id at the moment it runs.

#include "model/Cast.h"
#include "model/CraftKits.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio::cast {

// A new character for the cast as it stands now: blank (no starter) or from a
// starter. A blank character is always a lead; a starter brings the
// supporting role, except for the first character of an empty cast, who is
// the lead whatever the starter says.
CastMember newCharacter(const QList<CastMember>& cast, const CharacterStarter* starter);
// A new interior location named "New Location" with its own id and art seed.
Location newLocation();

// The card's second line: the want, else the archetype, else "Inner life TBD".
// Only a field with no characters at all counts as missing.
QString characterSubtitle(const CastMember& member);
// The mood, else the kind's label.
QString locationSubtitle(const Location& location);

// Removes the first character (location) with that id; false when none has
// it. Relationships and scenes that name it are left as they are.
bool removeCharacter(Project& project, const QUuid& memberID);
bool removeLocation(Project& project, const QUuid& locationID);
// The selection after removing `removed`: cleared only when it named it.
QUuid selectionAfterRemoving(const QUuid& selection, const QUuid& removed);

// The name shown for a relationship's other member, looked up in the whole
// cast (the edited member included): "Someone" when no one is named or no
// member has the id; a stored empty name is shown empty.
QString nameFor(const QList<CastMember>& cast, const std::optional<QUuid>& otherID);
// The cast without the member with that id, in cast order: the members a
// relationship can point at.
QList<CastMember> others(const QList<CastMember>& cast, const QUuid& memberID);

// Appends a relationship with a fresh id pointing at `otherID`, label empty.
// The same member may be related any number of times.
void addRelationship(CastMember& member, const QUuid& otherID);
// Points the relationship with that id at another member.
void retarget(CastMember& member, const QUuid& relationshipID, const QUuid& otherID);
// Removes every relationship with that id, the others keeping their order.
void removeRelationship(CastMember& member, const QUuid& relationshipID);

} // namespace studio::cast
