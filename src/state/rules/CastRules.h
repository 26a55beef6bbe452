#pragma once

// What the Cast & World screen shows and builds that follows from the
// production alone: what a new character or location is, the one-line
// subtitles of the gallery cards, the names in the relationships, which
// written fields of a character the completion assist may fill, and the
// selection that survives a removal.

#include "model/Cast.h"
#include "model/CraftKits.h"
#include "model/Project.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>

namespace studio::rules {

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

// The selection after removing `removed`: cleared only when it named it.
QUuid selectionAfterRemoving(const QUuid& selection, const QUuid& removed);

// The name shown for a relationship's other member, looked up in the whole
// cast (the edited member included): "Someone" when no one is named or no
// member has the id; a stored empty name is shown empty.
QString nameFor(const QList<CastMember>& cast, const std::optional<QUuid>& otherID);
// The cast without the member with that id, in cast order: the members a
// relationship can point at.
QList<CastMember> others(const QList<CastMember>& cast, const QUuid& memberID);

// The written fields of a character and of a location, as the detail panes
// name them in their requests.
enum class CharacterText {
    name, archetype, age, bio, want, need, flaw, lie, contradiction, voice, tells, look, wardrobe
};
enum class LocationText { name, era, mood, look, sound };
QString CastMember::*characterField(CharacterText text);
QString Location::*locationField(LocationText text);

// The field a key of the completion reply fills (compared case-sensitively):
// archetype, age, bio, want, need, flaw, lie, contradiction, voice, tells,
// look, wardrobe. Name, role, relationships and seeds are never filled.
std::optional<CharacterText> completedField(const QString& replyKey);
// The reply keys whose character field is empty (no characters at all).
QSet<QString> emptyCharacterFields(const CastMember& member);

} // namespace studio::rules
