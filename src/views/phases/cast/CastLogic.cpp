#include "views/phases/cast/CastLogic.h"

#include "model/Lookup.h"

using namespace Qt::StringLiterals;

namespace studio::cast {

CastMember newCharacter(const QList<CastMember>& cast, const CharacterStarter* starter)
{
    CastMember member = starter ? CastMember::from(*starter) : CastMember{};
    if (!starter || cast.isEmpty())
        member.role = CastRole::lead;
    return member;
}

Location newLocation()
{
    return Location{};
}

QString characterSubtitle(const CastMember& member)
{
    if (!member.want.isEmpty())
        return member.want;
    if (!member.archetype.isEmpty())
        return member.archetype;
    return u"Inner life TBD"_s;
}

QString locationSubtitle(const Location& location)
{
    return location.mood.isEmpty() ? label(location.kind) : location.mood;
}

namespace {

template <class Record>
bool removeFirst(QList<Record>& list, const QUuid& id)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

} // namespace

bool removeCharacter(Project& project, const QUuid& memberID)
{
    return removeFirst(project.cast, memberID);
}

bool removeLocation(Project& project, const QUuid& locationID)
{
    return removeFirst(project.locations, locationID);
}

QUuid selectionAfterRemoving(const QUuid& selection, const QUuid& removed)
{
    return selection == removed ? QUuid() : selection;
}

QString nameFor(const QList<CastMember>& cast, const std::optional<QUuid>& otherID)
{
    if (!otherID)
        return u"Someone"_s;
    for (const CastMember& member : cast) {
        if (member.id == *otherID)
            return member.name;
    }
    return u"Someone"_s;
}

QList<CastMember> others(const QList<CastMember>& cast, const QUuid& memberID)
{
    QList<CastMember> list;
    for (const CastMember& member : cast) {
        if (member.id != memberID)
            list.append(member);
    }
    return list;
}

void addRelationship(CastMember& member, const QUuid& otherID)
{
    CastRelationship relationship;
    relationship.otherID = otherID;
    member.relationships.append(relationship);
}

void retarget(CastMember& member, const QUuid& relationshipID, const QUuid& otherID)
{
    if (CastRelationship* relationship = findRelationship(member, relationshipID))
        relationship->otherID = otherID;
}

void removeRelationship(CastMember& member, const QUuid& relationshipID)
{
    member.relationships.removeIf(
        [&relationshipID](const CastRelationship& r) { return r.id == relationshipID; });
}

} // namespace studio::cast
