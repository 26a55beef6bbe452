#include "model/Story.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<StructureKindRow>& EnumTable<StructureKind>::rows()
{
    static const QList<StructureKindRow> table = {
        {StructureKind::threeAct, u"threeAct"_s, u"Three-Act"_s,
         u"Setup, confrontation, resolution. The backbone of cinema."_s},
        {StructureKind::fiveAct, u"fiveAct"_s, u"Five-Act TV"_s,
         u"Teaser plus four acts — built for episodic momentum."_s},
        {StructureKind::heroJourney, u"heroJourney"_s, u"Hero's Journey"_s,
         u"Departure, initiation, return. Myth-shaped stories."_s},
        {StructureKind::beatSheet, u"beatSheet"_s, u"15-Beat Sheet"_s,
         u"Fifteen beats from opening image to final image."_s},
        {StructureKind::sitcom, u"sitcom"_s, u"Sitcom Engine"_s,
         u"Cold open, A/B plots, tag. Comedy with clockwork."_s},
        {StructureKind::anthologyTale, u"anthologyTale"_s, u"Anthology Tale"_s,
         u"A framed tale that turns — built for the twist."_s},
        {StructureKind::storyCircle, u"storyCircle"_s, u"Story Circle"_s,
         u"Eight steps: comfort, chaos, change. The writers'-room favorite."_s},
        {StructureKind::kishotenketsu, u"kishotenketsu"_s, u"Kishōtenketsu"_s,
         u"Introduce, develop, turn, settle — wonder without conflict. Anime's secret heart."_s},
    };
    return table;
}

Beat Beat::fromJson(const json::Reader& r)
{
    return Beat{
        .id = r.lenientWith<QUuid>("id"_L1, newId),
        .title = r.lenient<QString>("title"_L1, u"New Beat"_s),
        .summary = r.lenient<QString>("summary"_L1, QString()),
        .hint = r.lenient<QString>("hint"_L1, QString()),
        .charge = r.lenient<double>("charge"_L1, 0.0),
    };
}

void Beat::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("title"_L1, title);
    w.set("summary"_L1, summary);
    w.set("hint"_L1, hint);
    w.set("charge"_L1, charge);
}

Act Act::fromJson(const json::Reader& r)
{
    return Act{
        .id = r.required<QUuid>("id"_L1),
        .title = r.required<QString>("title"_L1),
        .beats = r.required<QList<Beat>>("beats"_L1),
    };
}

void Act::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("title"_L1, title);
    w.set("beats"_L1, beats);
}

StoryStructure StoryStructure::fromJson(const json::Reader& r)
{
    return StoryStructure{
        .kind = r.required<StructureKind>("kind"_L1),
        .acts = r.required<QList<Act>>("acts"_L1),
    };
}

void StoryStructure::toJson(json::Writer& w) const
{
    w.set("kind"_L1, kind);
    w.set("acts"_L1, acts);
}

} // namespace studio
