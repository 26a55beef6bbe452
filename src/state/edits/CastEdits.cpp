#include "state/edits/CastEdits.h"

#include "state/edits/Assign.h"
#include "model/Lookup.h"

namespace studio::edits {

namespace {

bool fillIfEmpty(QString& field, const std::optional<QString>& value)
{
    if (!value || !field.isEmpty() || value->isEmpty())
        return false;
    field = *value;
    return true;
}

} // namespace

QUuid addCharacter(Project& project, const CastMember& member)
{
    project.cast.append(member);
    return member.id;
}

QUuid addLocation(Project& project, const Location& location)
{
    project.locations.append(location);
    return location.id;
}

QUuid addNewCharacter(Project& project, const CharacterStarter* starter)
{
    return addCharacter(project, rules::newCharacter(project.cast, starter));
}

QUuid addNewLocation(Project& project)
{
    return addLocation(project, rules::newLocation());
}

bool removeCharacter(Project& project, const QUuid& memberID)
{
    return removeByID(project.cast, memberID);
}

bool removeLocation(Project& project, const QUuid& locationID)
{
    return removeByID(project.locations, locationID);
}

bool setCharacterText(Project& project, const QUuid& memberID, rules::CharacterText field, const QString& text)
{
    CastMember* member = findCastMember(project, memberID);
    return member && assign(member->*rules::characterField(field), text);
}

bool setCharacterRole(Project& project, const QUuid& memberID, CastRole role)
{
    CastMember* member = findCastMember(project, memberID);
    if (!member || member->role == role)
        return false;
    member->role = role;
    return true;
}

bool setPortraitSeed(Project& project, const QUuid& memberID, const QString& seed)
{
    CastMember* member = findCastMember(project, memberID);
    return member && assign(member->portraitSeed, seed);
}

QUuid addRelationship(Project& project, const QUuid& memberID, const QUuid& otherID)
{
    CastMember* member = findCastMember(project, memberID);
    if (!member)
        return QUuid();
    CastRelationship relationship;
    relationship.otherID = otherID;
    member->relationships.append(relationship);
    return relationship.id;
}

bool retargetRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID,
                          const QUuid& otherID)
{
    CastRelationship* relationship = findRelationship(project, memberID, relationshipID);
    if (!relationship || relationship->otherID == otherID)
        return false;
    relationship->otherID = otherID;
    return true;
}

bool setRelationshipLabel(Project& project, const QUuid& memberID, const QUuid& relationshipID,
                          const QString& label)
{
    CastRelationship* relationship = findRelationship(project, memberID, relationshipID);
    return relationship && assign(relationship->label, label);
}

bool removeRelationship(Project& project, const QUuid& memberID, const QUuid& relationshipID)
{
    CastMember* member = findCastMember(project, memberID);
    return member && removeByID(member->relationships, relationshipID);
}

bool setLocationText(Project& project, const QUuid& locationID, rules::LocationText field, const QString& text)
{
    Location* location = findLocation(project, locationID);
    return location && assign(location->*rules::locationField(field), text);
}

bool setLocationKind(Project& project, const QUuid& locationID, LocationKind kind)
{
    Location* location = findLocation(project, locationID);
    if (!location || location->kind == kind)
        return false;
    location->kind = kind;
    return true;
}

bool setLocationArtSeed(Project& project, const QUuid& locationID, const QString& seed)
{
    Location* location = findLocation(project, locationID);
    return location && assign(location->artSeed, seed);
}

bool completeCharacter(Project& project, const QUuid& memberID, const QMap<QString, QString>& fields,
                       const QSet<QString>& askedFor)
{
    CastMember* member = findCastMember(project, memberID);
    if (!member)
        return false;
    bool filled = false;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.value().isEmpty() || !askedFor.contains(it.key()))
            continue;
        const std::optional<rules::CharacterText> text = rules::completedField(it.key());
        if (!text)
            continue;
        QString& field = member->*rules::characterField(*text);
        if (field.isEmpty()) {
            field = it.value();
            filled = true;
        }
    }
    return filled;
}

bool completeLocation(Project& project, const QUuid& locationID, const AIDirector::LocationDetails& details)
{
    Location* location = findLocation(project, locationID);
    if (!location)
        return false;
    bool filled = fillIfEmpty(location->era, details.era);
    filled = fillIfEmpty(location->mood, details.mood) || filled;
    filled = fillIfEmpty(location->look, details.look) || filled;
    filled = fillIfEmpty(location->sound, details.sound) || filled;
    return filled;
}

} // namespace studio::edits
