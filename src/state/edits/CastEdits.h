#pragma once

// The changes the Cast & World screen and its completion assists make to a
// production. Each finds its character, location or relationship by id in
// the production it is given, does nothing when it is gone, and returns
// whether it changed anything (or the new record's id).

#include "model/Cast.h"
#include "model/Project.h"
#include "services/AIDirector.h"
#include "state/rules/CastRules.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QUuid>

namespace studio::edits {

// Appends the character (location) as it is; returns its id.
QUuid addCharacter(Project& project, const CastMember& member);
QUuid addLocation(Project& project, const Location& location);
// Appends a new character, blank (no starter) or from a starter, with the
// role the cast as it stands gives it (rules::newCharacter); returns its id.
QUuid addNewCharacter(Project& project, const CharacterStarter* starter);
// Appends a new location ("New Location", interior); returns its id.
QUuid addNewLocation(Project& project);
// Removes every character (location) with that id. Relationships and scenes
// that name it are left as they are.
bool removeCharacter(Project& project, const QUuid& memberID);
bool removeLocation(Project& project, const QUuid& locationID);

bool setCharacterText(Project& project, const QUuid& memberID, rules::CharacterText field, const QString& text);
bool setCharacterRole(Project& project, const QUuid& memberID, CastRole role);
bool setPortraitSeed(Project& project, const QUuid& memberID, const QString& seed);

// Appends a relationship with a fresh id pointing at `otherID`, label empty
// (the same member may be related any number of times); returns its id.
QUuid addRelationship(Project& project, const QUuid& memberID, const QUuid& otherID);
// Points the relationship at another member.
bool retargetRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID,
                          const QUuid& otherID);
bool setRelationshipLabel(Project& project, const QUuid& memberID, const QUuid& relationshipID,
                          const QString& label);
// Removes every relationship with that id, the others keeping their order.
bool removeRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID);

bool setLocationText(Project& project, const QUuid& locationID, rules::LocationText field, const QString& text);
bool setLocationKind(Project& project, const QUuid& locationID, LocationKind kind);
bool setLocationArtSeed(Project& project, const QUuid& locationID, const QString& seed);

// The completion assist's reply landing in the character: only keys that
// name a written field, only non-empty values (written as received), only
// fields in `askedFor` (empty when asked) that are still empty now.
bool completeCharacter(Project& project, const QUuid& memberID, const QMap<QString, QString>& fields,
                       const QSet<QString>& askedFor);
// Era, mood, look and sound from the reply, where the reply has a value and
// the location's field is empty now.
bool completeLocation(Project& project, const QUuid& locationID, const AIDirector::LocationDetails& details);

} // namespace studio::edits
