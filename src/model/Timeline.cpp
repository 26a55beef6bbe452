#include "model/Timeline.h"

#include "model/Text.h"

using namespace Qt::StringLiterals;

namespace studio {

TimelineClip TimelineClip::fromJson(const json::Reader& r)
{
    return TimelineClip{
        .id = r.required<QUuid>("id"_L1),
        .shotID = r.optional<QUuid>("shotID"_L1),
        .label = r.required<QString>("label"_L1),
        .seconds = r.required<double>("seconds"_L1),
        .seed = r.required<QString>("seed"_L1),
        .hasDialogue = r.required<bool>("hasDialogue"_L1),
    };
}

void TimelineClip::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.setOptional("shotID"_L1, shotID);
    w.set("label"_L1, label);
    w.set("seconds"_L1, seconds);
    w.set("seed"_L1, seed);
    w.set("hasDialogue"_L1, hasDialogue);
}

MusicCue MusicCue::fromJson(const json::Reader& r)
{
    return MusicCue{
        .id = r.required<QUuid>("id"_L1),
        .name = r.required<QString>("name"_L1),
        .mood = r.required<QString>("mood"_L1),
    };
}

void MusicCue::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("name"_L1, name);
    w.set("mood"_L1, mood);
}

const QList<ExportPreset>& ExportPreset::catalog()
{
    static const QList<ExportPreset> rows = {
        {u"streaming"_s, u"Streaming Master"_s, u"MOV"_s, u"HEVC 10-bit"_s, u"4K UHD"_s,
         u"Delivery-grade master for streaming platforms."_s, u"play.rectangle.fill"_s},
        {u"theatrical"_s, u"Theatrical Master"_s, u"MOV"_s, u"ProRes 422 HQ"_s, u"DCI 4K"_s,
         u"Cinema-bound. Ready for DCP packaging."_s, u"ticket.fill"_s},
        {u"web"_s, u"Web & Social"_s, u"MP4"_s, u"H.264"_s, u"1080p"_s,
         u"Light, compatible, everywhere at once."_s, u"globe"_s},
        {u"archive"_s, u"Archive Master"_s, u"MOV"_s, u"ProRes 4444"_s, u"4K UHD"_s,
         u"Every pixel preserved, for the vault."_s, u"archivebox.fill"_s},
    };
    return rows;
}

const ExportPreset* ExportPreset::find(QStringView id)
{
    for (const ExportPreset& preset : catalog()) {
        if (preset.id == id)
            return &preset;
    }
    return nullptr;
}

QString cutLengthText(double seconds)
{
    const std::int64_t n = text::saturatingInt64(seconds);
    if (n >= 60)
        return QString::number(n / 60) + u"m "_s + QString::number(n % 60) + u"s"_s;
    return QString::number(n) + u"s"_s;
}

} // namespace studio
