// Story and cast assists: empty beats, a new character, the empty fields of a
// character, and the details of a location.

#include "services/AIDirector.h"

#include "model/Text.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct BeatsDTO {
    struct BeatFill {
        qint64 index = 0;
        QString summary;

        static BeatFill fromJson(const json::Reader& r)
        {
            return {r.required<qint64>("index"_L1), r.required<QString>("summary"_L1)};
        }
    };
    QList<BeatFill> beats;

    static BeatsDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<BeatFill>>("beats"_L1)};
    }
};

// The sheet keys of a character, in the order the prompts list them.
const QList<QLatin1StringView>& characterKeys()
{
    static const QList<QLatin1StringView> keys = {
        "name"_L1, "role"_L1, "archetype"_L1, "age"_L1, "bio"_L1, "want"_L1, "need"_L1,
        "flaw"_L1, "lie"_L1, "contradiction"_L1, "voice"_L1, "tells"_L1, "look"_L1, "wardrobe"_L1,
    };
    return keys;
}

struct CharacterDTO {
    QMap<QString, QString> values; // only the keys the reply had

    static CharacterDTO fromJson(const json::Reader& r)
    {
        CharacterDTO dto;
        for (QLatin1StringView key : characterKeys()) {
            if (auto value = r.optional<QString>(key))
                dto.values.insert(QString(key), *value);
        }
        return dto;
    }
};

struct FieldsDTO {
    QMap<QString, QString> fields;

    static FieldsDTO fromJson(const json::Reader& r)
    {
        const QLatin1StringView key = "fields"_L1;
        if (!r.has(key))
            r.fail(key, r.object().contains(key) ? u"null where a value is required"_s : u"missing key"_s);
        const QJsonValue value = r.object().value(key);
        if (!value.isObject())
            r.fail(key, u"expected an object, found "_s + json::describe(value));
        const QJsonObject fields = value.toObject();
        FieldsDTO dto;
        // The keys are the model's: a failure names one isolated, like a value.
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            const json::KeyPath path = r.pathOf(key) + u'.' + text::isolated(it.key());
            dto.fields.insert(it.key(), json::Codec<QString>::decode(it.value(), path));
        }
        return dto;
    }
};

struct LocationDTO {
    std::optional<QString> era;
    std::optional<QString> mood;
    std::optional<QString> look;
    std::optional<QString> sound;

    static LocationDTO fromJson(const json::Reader& r)
    {
        return {r.optional<QString>("era"_L1), r.optional<QString>("mood"_L1), r.optional<QString>("look"_L1),
                r.optional<QString>("sound"_L1)};
    }
};

// A character's sheet as (key, value) pairs; the role is its label.
QList<std::pair<QString, QString>> sheet(const CastMember& m)
{
    return {
        {u"name"_s, m.name}, {u"role"_s, label(m.role)}, {u"archetype"_s, m.archetype}, {u"age"_s, m.age},
        {u"bio"_s, m.bio}, {u"want"_s, m.want}, {u"need"_s, m.need}, {u"flaw"_s, m.flaw}, {u"lie"_s, m.lie},
        {u"contradiction"_s, m.contradiction}, {u"voice"_s, m.voice}, {u"tells"_s, m.tells},
        {u"look"_s, m.look}, {u"wardrobe"_s, m.wardrobe},
    };
}

} // namespace

QCoro::Task<AIDirector::BeatFills> AIDirector::fillBeats(const Project& project, const Episode& episode) const
{
    // The beats to fill, by id: their numbers in the prompt are positions in
    // this list, mapped back to ids before the result leaves the action.
    QList<BeatFill> targets;
    QStringList emptyLines;
    QStringList writtenLines;
    for (const Act& act : episode.structure.acts) {
        for (const Beat& beat : act.beats) {
            if (text::trimmedWhitespace(beat.summary).isEmpty()) {
                QString line = QString::number(targets.size()) + u" | "_s + act.title + u" | "_s + beat.title;
                if (!beat.hint.isEmpty())
                    line += u" (guide: "_s + beat.hint + u")"_s;
                emptyLines << line;
                targets << BeatFill{act.id, beat.id, QString()};
            }
            if (!beat.summary.isEmpty())
                writtenLines << beat.title + u": "_s + text::graphemePrefix(beat.summary, 160);
        }
    }
    if (targets.isEmpty())
        return ready(BeatFills{episode.id, {}});

    const QString samples = writtenLines.mid(0, 8).join(u'\n');
    QString user = u"Write a 1\u20133 sentence summary for each empty beat below \u2014 specific to THIS story, present "
                   u"tense, concrete events (who does what, what changes), honoring each beat's guiding question. "
                   u"Alternate emotional fortune between beats where natural. Never write \"our hero\" or "
                   u"\"we see\".\n"_s;
    if (!samples.isEmpty())
        user += u"ALREADY WRITTEN BEATS (match their voice):\n"_s + samples + u"\n"_s;
    user += u"\nEMPTY BEATS (index | act | beat):\n"_s + emptyLines.join(u'\n')
        + u"\nReturn JSON {\"beats\":[{\"index\":0,\"summary\":\"...\"}]}"_s;

    return ask<BeatsDTO>(m_complete, request(project, &episode, std::move(user), 12000),
                         [episodeID = episode.id, targets](BeatsDTO dto) {
                             BeatFills result{episodeID, {}};
                             for (const BeatsDTO::BeatFill& entry : dto.beats) {
                                 if (entry.index < 0 || entry.index >= targets.size())
                                     continue;
                                 BeatFill fill = targets.at(qsizetype(entry.index));
                                 fill.summary = entry.summary;
                                 result.fills << fill;
                             }
                             return result;
                         });
}

QCoro::Task<CastMember> AIDirector::inventCharacter(const Project& project) const
{
    QString user = u"Invent ONE new character who creates productive friction with the existing cast and fills a "
                   u"missing function in the ensemble (foil, antagonist, ally, comic pressure \u2014 your call, stated "
                   u"via role). Roles: lead|support|antagonist|ensemble|cameo. Not a copy of anyone above. Same field "
                   u"rules as a character sheet: want external, need internal, lie quoted, tells filmable, look = "
                   u"concrete visual anchor for image prompts.\n"
                   u"Return JSON {\"name\":\"...\",\"role\":\"support\",\"archetype\":\"...\",\"age\":\"...\","
                   u"\"bio\":\"...\",\"want\":\"...\",\"need\":\"...\",\"flaw\":\"...\",\"lie\":\"...\","
                   u"\"contradiction\":\"...\",\"voice\":\"...\",\"tells\":\"...\",\"look\":\"...\","
                   u"\"wardrobe\":\"...\"}"_s;
    return ask<CharacterDTO>(m_complete, request(project, nullptr, std::move(user)), [](CharacterDTO dto) {
        const auto& v = dto.values;
        CastMember member; // fresh id and portrait seed
        member.name = v.value(u"name"_s, u"New Character"_s);
        member.role = fromRaw<CastRole>(v.value(u"role"_s)).value_or(CastRole::support);
        member.archetype = v.value(u"archetype"_s);
        member.age = v.value(u"age"_s);
        member.bio = v.value(u"bio"_s);
        member.want = v.value(u"want"_s);
        member.need = v.value(u"need"_s);
        member.flaw = v.value(u"flaw"_s);
        member.lie = v.value(u"lie"_s);
        member.contradiction = v.value(u"contradiction"_s);
        member.voice = v.value(u"voice"_s);
        member.tells = v.value(u"tells"_s);
        member.look = v.value(u"look"_s);
        member.wardrobe = v.value(u"wardrobe"_s);
        return member;
    });
}

QCoro::Task<AIDirector::CharacterFields> AIDirector::fleshOutCharacter(const Project& project,
                                                                        const CastMember& member) const
{
    QStringList known;
    QStringList empty;
    for (const auto& [key, value] : sheet(member)) {
        if (value.isEmpty())
            empty << key;
        else
            known << key + u": "_s + text::graphemePrefix(value, 160);
    }
    if (empty.isEmpty())
        return ready(CharacterFields{member.id, {}});

    QString user = u"Complete this character. Fill ONLY these empty fields: "_s + empty.join(u", "_s)
        + u".\nRules: want = external chase; need = internal truth; lie = first person in quotes; contradiction = a "
          u"believable trait pair; tells = physical behavior under emotion (filmable); look = consistency anchor "
          u"\u2014 concrete visual list (age, hair, eyes, build, wardrobe staples) usable in image prompts; voice = "
          u"cadence and tics. Keep each under 40 words.\nKNOWN:\n"_s
        + known.join(u'\n') + u"\nReturn JSON {\"fields\":{\"want\":\"...\",\"tells\":\"...\"}} with ONLY the empty "
                              u"fields as keys."_s;
    return ask<FieldsDTO>(m_complete, request(project, nullptr, std::move(user)),
                          [memberID = member.id](FieldsDTO dto) { return CharacterFields{memberID, dto.fields}; });
}

QCoro::Task<AIDirector::LocationDetails> AIDirector::locationDetails(const Project& project,
                                                                      const Location& location) const
{
    QString user = u"Complete this location: \""_s + location.name + u"\" ("_s + label(location.kind)
        + u"). era = period/feel; mood = three words; look = consistency anchor: architecture, materials, light "
          u"sources, landmark details \u2014 concrete, usable in image prompts; sound = what you hear here, specific.\n"
          u"Existing (keep consistent, improve where empty): era: "_s
        + location.era + u" | mood: "_s + location.mood + u" | look: "_s + text::graphemePrefix(location.look, 200)
        + u" | sound: "_s + location.sound + u"\nReturn JSON {\"era\":\"...\",\"mood\":\"...\",\"look\":\"...\","
                                               u"\"sound\":\"...\"}"_s;
    // Only fields that are empty now may take a value from the reply.
    const bool eraEmpty = location.era.isEmpty();
    const bool moodEmpty = location.mood.isEmpty();
    const bool lookEmpty = location.look.isEmpty();
    const bool soundEmpty = location.sound.isEmpty();
    return ask<LocationDTO>(m_complete, request(project, nullptr, std::move(user)),
                            [locationID = location.id, eraEmpty, moodEmpty, lookEmpty, soundEmpty](LocationDTO dto) {
                                auto keep = [](bool wasEmpty, std::optional<QString> value) {
                                    return wasEmpty ? value : std::nullopt;
                                };
                                return LocationDetails{locationID, keep(eraEmpty, dto.era), keep(moodEmpty, dto.mood),
                                                       keep(lookEmpty, dto.look), keep(soundEmpty, dto.sound)};
                            });
}

} // namespace studio
