#include "state/rules/CastRules.h"

#include "model/Lookup.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

// The reply keys the completion fills, each with its field.
struct CompletedRow {
    QString key;
    CharacterText text;
};

const QList<CompletedRow>& completedRows()
{
    static const QList<CompletedRow> rows = {
        {u"archetype"_s, CharacterText::archetype}, {u"age"_s, CharacterText::age},
        {u"bio"_s, CharacterText::bio},             {u"want"_s, CharacterText::want},
        {u"need"_s, CharacterText::need},           {u"flaw"_s, CharacterText::flaw},
        {u"lie"_s, CharacterText::lie},             {u"contradiction"_s, CharacterText::contradiction},
        {u"voice"_s, CharacterText::voice},         {u"tells"_s, CharacterText::tells},
        {u"look"_s, CharacterText::look},           {u"wardrobe"_s, CharacterText::wardrobe},
    };
    return rows;
}

} // namespace

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

QUuid selectionAfterRemoving(const QUuid& selection, const QUuid& removed)
{
    return selection == removed ? QUuid() : selection;
}

QString nameFor(const QList<CastMember>& cast, const std::optional<QUuid>& otherID)
{
    if (!otherID)
        return u"Someone"_s;
    const auto it = std::find_if(cast.cbegin(), cast.cend(), [&](const CastMember& m) { return m.id == *otherID; });
    return it == cast.cend() ? u"Someone"_s : it->name;
}

QList<CastMember> others(const QList<CastMember>& cast, const QUuid& memberID)
{
    QList<CastMember> list = cast;
    removeByID(list, memberID);
    return list;
}

QString CastMember::*characterField(CharacterText text)
{
    switch (text) {
    case CharacterText::name: return &CastMember::name;
    case CharacterText::archetype: return &CastMember::archetype;
    case CharacterText::age: return &CastMember::age;
    case CharacterText::bio: return &CastMember::bio;
    case CharacterText::want: return &CastMember::want;
    case CharacterText::need: return &CastMember::need;
    case CharacterText::flaw: return &CastMember::flaw;
    case CharacterText::lie: return &CastMember::lie;
    case CharacterText::contradiction: return &CastMember::contradiction;
    case CharacterText::voice: return &CastMember::voice;
    case CharacterText::tells: return &CastMember::tells;
    case CharacterText::look: return &CastMember::look;
    case CharacterText::wardrobe: return &CastMember::wardrobe;
    }
    return &CastMember::name;
}

QString Location::*locationField(LocationText text)
{
    switch (text) {
    case LocationText::name: return &Location::name;
    case LocationText::era: return &Location::era;
    case LocationText::mood: return &Location::mood;
    case LocationText::look: return &Location::look;
    case LocationText::sound: return &Location::sound;
    }
    return &Location::name;
}

std::optional<CharacterText> completedField(const QString& replyKey)
{
    for (const CompletedRow& row : completedRows()) {
        if (row.key == replyKey)
            return row.text;
    }
    return std::nullopt;
}

QSet<QString> emptyCharacterFields(const CastMember& member)
{
    QSet<QString> empty;
    for (const CompletedRow& row : completedRows()) {
        if ((member.*characterField(row.text)).isEmpty())
            empty.insert(row.key);
    }
    return empty;
}

} // namespace studio::rules
