#include "model/Cast.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<CastRoleRow>& EnumTable<CastRole>::rows()
{
    static const QList<CastRoleRow> table = {
        {CastRole::lead, u"lead"_s, u"Lead"_s},
        {CastRole::support, u"support"_s, u"Supporting"_s},
        {CastRole::antagonist, u"antagonist"_s, u"Antagonist"_s},
        {CastRole::ensemble, u"ensemble"_s, u"Ensemble"_s},
        {CastRole::cameo, u"cameo"_s, u"Cameo"_s},
    };
    return table;
}

const QList<LocationKindRow>& EnumTable<LocationKind>::rows()
{
    static const QList<LocationKindRow> table = {
        {LocationKind::interior, u"interior"_s, u"Interior"_s},
        {LocationKind::exterior, u"exterior"_s, u"Exterior"_s},
        {LocationKind::both, u"both"_s, u"Int. & Ext."_s},
    };
    return table;
}

CastRelationship CastRelationship::fromJson(const json::Reader& r)
{
    return CastRelationship{
        .id = r.required<QUuid>("id"_L1),
        .otherID = r.optional<QUuid>("otherID"_L1),
        .label = r.required<QString>("label"_L1),
    };
}

void CastRelationship::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.setOptional("otherID"_L1, otherID);
    w.set("label"_L1, label);
}

CastMember CastMember::fromJson(const json::Reader& r)
{
    const auto text = [&r](QLatin1StringView key) { return r.lenient<QString>(key, QString()); };
    return CastMember{
        .id = r.lenientWith<QUuid>("id"_L1, newId),
        .name = r.lenient<QString>("name"_L1, u"New Character"_s),
        .role = r.lenient<CastRole>("role"_L1, CastRole::lead),
        .archetype = text("archetype"_L1),
        .age = text("age"_L1),
        .bio = text("bio"_L1),
        .want = text("want"_L1),
        .need = text("need"_L1),
        .flaw = text("flaw"_L1),
        .lie = text("lie"_L1),
        .contradiction = text("contradiction"_L1),
        .voice = text("voice"_L1),
        .tells = text("tells"_L1),
        .look = text("look"_L1),
        .wardrobe = text("wardrobe"_L1),
        .relationships = r.lenient<QList<CastRelationship>>("relationships"_L1, {}),
        .portraitSeed = r.lenientWith<QString>("portraitSeed"_L1, newSeed),
        .refSeeds = r.lenient<QStringList>("refSeeds"_L1, {}),
    };
}

void CastMember::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("name"_L1, name);
    w.set("role"_L1, role);
    w.set("archetype"_L1, archetype);
    w.set("age"_L1, age);
    w.set("bio"_L1, bio);
    w.set("want"_L1, want);
    w.set("need"_L1, need);
    w.set("flaw"_L1, flaw);
    w.set("lie"_L1, lie);
    w.set("contradiction"_L1, contradiction);
    w.set("voice"_L1, voice);
    w.set("tells"_L1, tells);
    w.set("look"_L1, look);
    w.set("wardrobe"_L1, wardrobe);
    w.set("relationships"_L1, relationships);
    w.set("portraitSeed"_L1, portraitSeed);
    w.set("refSeeds"_L1, refSeeds);
}

Location Location::fromJson(const json::Reader& r)
{
    const auto text = [&r](QLatin1StringView key) { return r.lenient<QString>(key, QString()); };
    return Location{
        .id = r.lenientWith<QUuid>("id"_L1, newId),
        .name = r.lenient<QString>("name"_L1, u"New Location"_s),
        .kind = r.lenient<LocationKind>("kind"_L1, LocationKind::interior),
        .era = text("era"_L1),
        .mood = text("mood"_L1),
        .look = text("look"_L1),
        .sound = text("sound"_L1),
        .artSeed = r.lenientWith<QString>("artSeed"_L1, newSeed),
    };
}

void Location::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("name"_L1, name);
    w.set("kind"_L1, kind);
    w.set("era"_L1, era);
    w.set("mood"_L1, mood);
    w.set("look"_L1, look);
    w.set("sound"_L1, sound);
    w.set("artSeed"_L1, artSeed);
}

} // namespace studio
