#include "model/Generation.h"

using namespace Qt::StringLiterals;

namespace studio {

const QStringList& GenerationProfile::resolutions()
{
    static const QStringList list = {u"720p"_s, u"1080p"_s, u"4K"_s};
    return list;
}

GenerationProfile GenerationProfile::fromJson(const json::Reader& r)
{
    return GenerationProfile{
        .maxClipSeconds = r.required<double>("maxClipSeconds"_L1),
        .chainsLastFrame = r.required<bool>("chainsLastFrame"_L1),
        .usesCharacterRefs = r.required<bool>("usesCharacterRefs"_L1),
        .maxRefImages = r.required<qint64>("maxRefImages"_L1),
        .resolution = r.required<QString>("resolution"_L1),
        .variantsPerShot = r.required<qint64>("variantsPerShot"_L1),
    };
}

void GenerationProfile::toJson(json::Writer& w) const
{
    w.set("maxClipSeconds"_L1, maxClipSeconds);
    w.set("chainsLastFrame"_L1, chainsLastFrame);
    w.set("usesCharacterRefs"_L1, usesCharacterRefs);
    w.set("maxRefImages"_L1, maxRefImages);
    w.set("resolution"_L1, resolution);
    w.set("variantsPerShot"_L1, variantsPerShot);
}

const QList<JobStateRow>& EnumTable<JobState>::rows()
{
    static const QList<JobStateRow> table = {
        {JobState::queued, u"queued"_s},
        {JobState::rendering, u"rendering"_s},
        {JobState::done, u"done"_s},
        {JobState::failed, u"failed"_s},
    };
    return table;
}

} // namespace studio
