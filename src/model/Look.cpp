#include "model/Look.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<AspectRatioRow>& EnumTable<AspectRatio>::rows()
{
    static const QList<AspectRatioRow> table = {
        {AspectRatio::ultra276, u"ultra276"_s, u"2.76 Ultra"_s, 2.76},
        {AspectRatio::scope239, u"scope239"_s, u"2.39 Scope"_s, 2.39},
        {AspectRatio::flat185, u"flat185"_s, u"1.85 Flat"_s, 1.85},
        {AspectRatio::euro166, u"euro166"_s, u"1.66 Euro"_s, 1.66},
        {AspectRatio::hd169, u"hd169"_s, u"16:9 HD"_s, 16.0 / 9.0},
        {AspectRatio::classic43, u"classic43"_s, u"4:3 Classic"_s, 4.0 / 3.0},
        {AspectRatio::imax143, u"imax143"_s, u"1.43 IMAX"_s, 1.43},
        {AspectRatio::vertical916, u"vertical916"_s, u"9:16 Vertical"_s, 9.0 / 16.0},
    };
    return table;
}

const QList<FrameRateRow>& EnumTable<FrameRate>::rows()
{
    static const QList<FrameRateRow> table = {
        {FrameRate::f24, u"f24"_s, u"24 — Cinema"_s},
        {FrameRate::f25, u"f25"_s, u"25 — PAL"_s},
        {FrameRate::f30, u"f30"_s, u"30 — Broadcast"_s},
        {FrameRate::f48, u"f48"_s, u"48 — HFR"_s},
        {FrameRate::f60, u"f60"_s, u"60 — Smooth"_s},
    };
    return table;
}

const QList<StyleCategoryRow>& EnumTable<StyleCategory>::rows()
{
    static const QList<StyleCategoryRow> table = {
        {StyleCategory::animation, u"animation"_s, u"Animation"_s},
        {StyleCategory::anime, u"anime"_s, u"Anime"_s},
        {StyleCategory::liveAction, u"liveAction"_s, u"Live Action"_s},
        {StyleCategory::stylized, u"stylized"_s, u"Stylized"_s},
    };
    return table;
}

namespace LookChoices {

const QStringList& lensFeels()
{
    static const QStringList list = {
        u"Anamorphic flares"_s, u"Vintage glass"_s, u"Razor-sharp modern"_s, u"Soft halation"_s,
        u"Deep focus"_s, u"Shallow dreamy bokeh"_s, u"Macro details"_s, u"Wide & close"_s,
    };
    return list;
}

const QStringList& lightingMoods()
{
    static const QStringList list = {
        u"Golden hour"_s, u"Soft overcast"_s, u"Hard noon sun"_s, u"Candlelit"_s, u"Moonlit blue"_s,
        u"Neon night"_s, u"Practical lamps"_s, u"Firelight"_s, u"Fluorescent flicker"_s, u"Storm light"_s,
    };
    return list;
}

const QStringList& accentSwatches()
{
    static const QStringList list = {
        u"D8C49A"_s, u"9FB4C4"_s, u"C49A9A"_s, u"9AC4A8"_s, u"C4B49A"_s, u"A89AC4"_s, u"C4C0B8"_s, u"8FA3A0"_s,
    };
    return list;
}

const QHash<QString, QString>& accentNames()
{
    static const QHash<QString, QString> names = {
        {u"D8C49A"_s, u"warm gold"_s},  {u"9FB4C4"_s, u"steel blue"_s}, {u"C49A9A"_s, u"dust rose"_s},
        {u"9AC4A8"_s, u"sage green"_s}, {u"C4B49A"_s, u"sand"_s},       {u"A89AC4"_s, u"dusk violet"_s},
        {u"C4C0B8"_s, u"bone"_s},       {u"8FA3A0"_s, u"sea slate"_s},
    };
    return names;
}

} // namespace LookChoices

namespace {

// One phrase for a dial outside the neutral band; the thresholds are strict.
void addDialPhrase(QStringList& out, double value, const QString& high, const QString& low)
{
    if (value > 0.65)
        out.append(high);
    else if (value < 0.35)
        out.append(low);
}

} // namespace

QStringList LookSpec::characterPhrases() const
{
    QStringList out;
    addDialPhrase(out, grain, u"heavy organic film grain"_s, u"pristine clean image"_s);
    addDialPhrase(out, temperature, u"warm amber color temperature"_s, u"cool steely color temperature"_s);
    addDialPhrase(out, contrast, u"hard high-contrast light"_s, u"soft low-contrast light"_s);
    const auto& names = LookChoices::accentNames();
    if (const auto it = names.constFind(accentHex); it != names.cend())
        out.append(u"recurring "_s + it.value() + u" color accent"_s);
    return out;
}

LookSpec LookSpec::fromJson(const json::Reader& r)
{
    return LookSpec{
        .styleID = r.optional<QString>("styleID"_L1),
        .directorLensID = r.optional<QString>("directorLensID"_L1),
        .aspect = r.lenient<AspectRatio>("aspect"_L1, AspectRatio::scope239),
        .frameRate = r.lenient<FrameRate>("frameRate"_L1, FrameRate::f24),
        .lensFeel = r.lenient<QStringList>("lensFeel"_L1, {}),
        .lightingMood = r.lenient<QStringList>("lightingMood"_L1, {}),
        .moodWords = r.lenient<QStringList>("moodWords"_L1, {}),
        .accentHex = r.lenient<QString>("accentHex"_L1, u"D8C49A"_s),
        .notes = r.lenient<QString>("notes"_L1, QString()),
        .grain = r.lenient<double>("grain"_L1, 0.5),
        .temperature = r.lenient<double>("temperature"_L1, 0.5),
        .contrast = r.lenient<double>("contrast"_L1, 0.5),
    };
}

void LookSpec::toJson(json::Writer& w) const
{
    w.setOptional("styleID"_L1, styleID);
    w.setOptional("directorLensID"_L1, directorLensID);
    w.set("aspect"_L1, aspect);
    w.set("frameRate"_L1, frameRate);
    w.set("lensFeel"_L1, lensFeel);
    w.set("lightingMood"_L1, lightingMood);
    w.set("moodWords"_L1, moodWords);
    w.set("accentHex"_L1, accentHex);
    w.set("notes"_L1, notes);
    w.set("grain"_L1, grain);
    w.set("temperature"_L1, temperature);
    w.set("contrast"_L1, contrast);
}

} // namespace studio
