#include "views/phases/cast/CastAssists.h"

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/DirectorAssist.h"

using namespace Qt::StringLiterals;

namespace studio::cast {

namespace {

// The reply keys that fill a character field, each with its field.
struct FieldRow {
    QString key;
    QString CastMember::*field;
};

const QList<FieldRow>& fieldRows()
{
    static const QList<FieldRow> rows = {
        {u"archetype"_s, &CastMember::archetype}, {u"age"_s, &CastMember::age},
        {u"bio"_s, &CastMember::bio},             {u"want"_s, &CastMember::want},
        {u"need"_s, &CastMember::need},           {u"flaw"_s, &CastMember::flaw},
        {u"lie"_s, &CastMember::lie},             {u"contradiction"_s, &CastMember::contradiction},
        {u"voice"_s, &CastMember::voice},         {u"tells"_s, &CastMember::tells},
        {u"look"_s, &CastMember::look},           {u"wardrobe"_s, &CastMember::wardrobe},
    };
    return rows;
}

QString* characterField(CastMember& member, const QString& key)
{
    for (const FieldRow& row : fieldRows()) {
        if (row.key == key)
            return &(member.*row.field);
    }
    return nullptr;
}

void fillIfEmpty(QString& field, const std::optional<QString>& value)
{
    if (value && field.isEmpty())
        field = *value;
}

} // namespace

QSet<QString> emptyCharacterFields(const CastMember& member)
{
    QSet<QString> empty;
    for (const FieldRow& row : fieldRows()) {
        if ((member.*row.field).isEmpty())
            empty.insert(row.key);
    }
    return empty;
}

CastMember mergeCharacterFields(CastMember member, const QMap<QString, QString>& fields,
                                const QSet<QString>& askedFor)
{
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.value().isEmpty() || !askedFor.contains(it.key()))
            continue;
        QString* field = characterField(member, it.key());
        if (field && field->isEmpty())
            *field = it.value();
    }
    return member;
}

Location mergeLocationDetails(Location location, const AIDirector::LocationDetails& details)
{
    fillIfEmpty(location.era, details.era);
    fillIfEmpty(location.mood, details.mood);
    fillIfEmpty(location.look, details.look);
    fillIfEmpty(location.sound, details.sound);
    return location;
}

void fleshOut(ProjectSession& session, const QUuid& memberID)
{
    session.runAssist(DirectorAssist::work(
        session, [memberID](const Project& p) { return findCastMember(p, memberID); },
        [](const AIDirector& d, const Project& p, const CastMember& asked) { return d.fleshOutCharacter(p, asked); },
        [](const Project&, const CastMember& asked, const AIDirector::CharacterFields& reply) {
            AssistOutcome outcome;
            outcome.change = [id = asked.id, askedFor = emptyCharacterFields(asked), fields = reply.fields](Project& p) {
                if (CastMember* member = findCastMember(p, id))
                    *member = mergeCharacterFields(*member, fields, askedFor);
            };
            return outcome;
        }));
}

void completeLocation(ProjectSession& session, const QUuid& locationID)
{
    session.runAssist(DirectorAssist::work(
        session, [locationID](const Project& p) { return findLocation(p, locationID); },
        [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
        [](const Project&, const Location& asked, const AIDirector::LocationDetails& details) {
            AssistOutcome outcome;
            outcome.change = [id = asked.id, details](Project& p) {
                if (Location* location = findLocation(p, id))
                    *location = mergeLocationDetails(*location, details);
            };
            return outcome;
        }));
}

} // namespace studio::cast
