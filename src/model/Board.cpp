#include "model/Board.h"
#include "model/Text.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<ShotSizeRow>& EnumTable<ShotSize>::rows()
{
    static const QList<ShotSizeRow> table = {
        {ShotSize::extremeWide, u"extremeWide"_s, u"EWS"_s, u"Extreme Wide"_s, u"extreme wide establishing shot"_s},
        {ShotSize::wide, u"wide"_s, u"WS"_s, u"Wide"_s, u"wide shot"_s},
        {ShotSize::full, u"full"_s, u"FS"_s, u"Full"_s, u"full body shot"_s},
        {ShotSize::medium, u"medium"_s, u"MS"_s, u"Medium"_s, u"medium shot"_s},
        {ShotSize::mediumClose, u"mediumClose"_s, u"MCU"_s, u"Medium Close"_s, u"medium close-up"_s},
        {ShotSize::closeUp, u"closeUp"_s, u"CU"_s, u"Close-Up"_s, u"close-up"_s},
        {ShotSize::extremeClose, u"extremeClose"_s, u"ECU"_s, u"Extreme Close-Up"_s, u"extreme close-up on detail"_s},
        {ShotSize::overShoulder, u"overShoulder"_s, u"OTS"_s, u"Over-Shoulder"_s, u"over-the-shoulder shot"_s},
        {ShotSize::pov, u"pov"_s, u"POV"_s, u"POV"_s, u"first-person point of view shot"_s},
        {ShotSize::insert, u"insert"_s, u"INS"_s, u"Insert"_s, u"insert detail shot"_s},
        {ShotSize::twoShot, u"twoShot"_s, u"2S"_s, u"Two-Shot"_s, u"two-shot framing both characters"_s},
    };
    return table;
}

QString spokenSize(ShotSize s)
{
    switch (s) {
    case ShotSize::extremeWide: return u"Extreme wide shot"_s;
    case ShotSize::wide: return u"Wide shot"_s;
    case ShotSize::full: return u"Full shot"_s;
    case ShotSize::medium: return u"Medium shot"_s;
    case ShotSize::mediumClose: return u"Medium close-up"_s;
    case ShotSize::closeUp: return u"Close-up"_s;
    case ShotSize::extremeClose: return u"Extreme close-up"_s;
    case ShotSize::overShoulder: return u"Over-the-shoulder shot"_s;
    case ShotSize::pov: return u"Point-of-view shot"_s;
    case ShotSize::insert: return u"Insert shot"_s;
    case ShotSize::twoShot: return u"Two-shot"_s;
    }
    return label(s);
}

std::optional<ShotSize> sizeWithAbbrev(QStringView abbrev)
{
    for (const ShotSizeRow& row : EnumTable<ShotSize>::rows()) {
        if (row.abbrev == abbrev)
            return row.value;
    }
    return std::nullopt;
}

const QList<CameraMoveRow>& EnumTable<CameraMove>::rows()
{
    static const QList<CameraMoveRow> table = {
        {CameraMove::locked, u"locked"_s, u"Locked"_s, u"static locked-off camera"_s},
        {CameraMove::pan, u"pan"_s, u"Pan"_s, u"slow camera pan"_s},
        {CameraMove::tilt, u"tilt"_s, u"Tilt"_s, u"camera tilt"_s},
        {CameraMove::pushIn, u"pushIn"_s, u"Push In"_s, u"slow push in"_s},
        {CameraMove::pullOut, u"pullOut"_s, u"Pull Out"_s, u"slow pull out"_s},
        {CameraMove::track, u"track"_s, u"Track"_s, u"tracking shot moving with subject"_s},
        {CameraMove::crane, u"crane"_s, u"Crane"_s, u"sweeping crane move"_s},
        {CameraMove::handheld, u"handheld"_s, u"Handheld"_s, u"handheld camera energy"_s},
        {CameraMove::orbit, u"orbit"_s, u"Orbit"_s, u"orbiting camera move"_s},
        {CameraMove::zoom, u"zoom"_s, u"Zoom"_s, u"slow zoom"_s},
        {CameraMove::whipPan, u"whipPan"_s, u"Whip Pan"_s, u"fast whip pan"_s},
        {CameraMove::dollyZoom, u"dollyZoom"_s, u"Dolly Zoom"_s,
         u"dolly zoom vertigo effect, background warping while subject holds"_s},
        {CameraMove::aerial, u"aerial"_s, u"Aerial"_s, u"sweeping aerial drone shot"_s},
    };
    return table;
}

const QList<SceneSettingRow>& EnumTable<SceneSetting>::rows()
{
    static const QList<SceneSettingRow> table = {
        {SceneSetting::interior, u"interior"_s, u"INT"_s},
        {SceneSetting::exterior, u"exterior"_s, u"EXT"_s},
    };
    return table;
}

const QList<TimeOfDayRow>& EnumTable<TimeOfDay>::rows()
{
    static const QList<TimeOfDayRow> table = {
        {TimeOfDay::dawn, u"dawn"_s, u"Dawn"_s},
        {TimeOfDay::day, u"day"_s, u"Day"_s},
        {TimeOfDay::dusk, u"dusk"_s, u"Dusk"_s},
        {TimeOfDay::night, u"night"_s, u"Night"_s},
    };
    return table;
}

const QList<ShotStatusRow>& EnumTable<ShotStatus>::rows()
{
    static const QList<ShotStatusRow> table = {
        {ShotStatus::planned, u"planned"_s, u"Planned"_s},
        {ShotStatus::rendered, u"rendered"_s, u"Rendered"_s},
        {ShotStatus::approved, u"approved"_s, u"Approved"_s},
    };
    return table;
}

Take Take::fromJson(const json::Reader& r)
{
    return Take{
        .id = r.required<QUuid>("id"_L1),
        .createdAt = r.required<Date>("createdAt"_L1),
        .seed = r.required<QString>("seed"_L1),
        .note = r.required<QString>("note"_L1),
    };
}

void Take::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("createdAt"_L1, createdAt);
    w.set("seed"_L1, seed);
    w.set("note"_L1, note);
}

QString Shot::bestSeed() const
{
    if (approvedTakeID) {
        for (const Take& take : takes) {
            if (take.id == *approvedTakeID)
                return take.seed;
        }
    }
    if (!takes.isEmpty())
        return takes.last().seed;
    return frameSeed;
}

ShotStatus Shot::status() const
{
    if (approvedTakeID)
        return ShotStatus::approved;
    return takes.isEmpty() ? ShotStatus::planned : ShotStatus::rendered;
}

Shot Shot::fromJson(const json::Reader& r)
{
    return Shot{
        .id = r.lenientWith<QUuid>("id"_L1, newId),
        .size = r.lenient<ShotSize>("size"_L1, ShotSize::medium),
        .move = r.lenient<CameraMove>("move"_L1, CameraMove::locked),
        .seconds = r.lenient<double>("seconds"_L1, 5.0),
        .what = r.lenient<QString>("what"_L1, QString()),
        .dialogue = r.lenient<QString>("dialogue"_L1, QString()),
        .frameSeed = r.lenientWith<QString>("frameSeed"_L1, newSeed),
        .takes = r.lenient<QList<Take>>("takes"_L1, {}),
        .approvedTakeID = r.optional<QUuid>("approvedTakeID"_L1),
        .recipeID = r.optional<QString>("recipeID"_L1),
    };
}

void Shot::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("size"_L1, size);
    w.set("move"_L1, move);
    w.set("seconds"_L1, seconds);
    w.set("what"_L1, what);
    w.set("dialogue"_L1, dialogue);
    w.set("frameSeed"_L1, frameSeed);
    w.set("takes"_L1, takes);
    w.setOptional("approvedTakeID"_L1, approvedTakeID);
    w.setOptional("recipeID"_L1, recipeID);
}

QString SceneCard::locationName(const QList<Location>& locations) const
{
    if (locationID) {
        for (const Location& location : locations) {
            if (location.id == *locationID)
                return location.name;
        }
    }
    return locationText.isEmpty() ? u"Location TBD"_s : locationText;
}

QString SceneCard::slug(const QList<Location>& locations) const
{
    // A heading line: a place of any length is cut to what a line can show
    // before it is set in capitals, not set in capitals whole at every look.
    return headingWord(setting) + u". "_s + text::upper(text::displayPrefix(locationName(locations))) + u" — "_s
        + text::upper(label(timeOfDay));
}

double SceneCard::totalSeconds() const
{
    double total = 0.0;
    for (const Shot& shot : shots)
        total += shot.seconds;
    return total;
}

SceneCard SceneCard::fromJson(const json::Reader& r)
{
    return SceneCard{
        .id = r.required<QUuid>("id"_L1),
        .setting = r.required<SceneSetting>("setting"_L1),
        .locationID = r.optional<QUuid>("locationID"_L1),
        .locationText = r.required<QString>("locationText"_L1),
        .timeOfDay = r.required<TimeOfDay>("timeOfDay"_L1),
        .synopsis = r.required<QString>("synopsis"_L1),
        .castIDs = r.required<QList<QUuid>>("castIDs"_L1),
        .shots = r.required<QList<Shot>>("shots"_L1),
    };
}

void SceneCard::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("setting"_L1, setting);
    w.setOptional("locationID"_L1, locationID);
    w.set("locationText"_L1, locationText);
    w.set("timeOfDay"_L1, timeOfDay);
    w.set("synopsis"_L1, synopsis);
    w.set("castIDs"_L1, castIDs);
    w.set("shots"_L1, shots);
}

} // namespace studio
