#include "model/LookCatalogs.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<StylePreset>& StylePreset::catalog()
{
    static const QList<StylePreset> rows = {
        {u"dimensional3D"_s, u"Dimensional 3D"_s, StyleCategory::animation,
         u"Polished feature CG — soft global light, expressive faces, tactile materials."_s,
         {u"3D animation"_s, u"feature CG"_s, u"subsurface scattering"_s, u"soft global illumination"_s, u"expressive character animation"_s},
         u"Lock character turnarounds early; 3D styles tolerate motion best but drift on fine costume detail."_s},
        {u"classicCel"_s, u"Classic Cel"_s, StyleCategory::animation,
         u"Golden-age hand-drawn 2D — ink lines, painted backgrounds, squash and stretch."_s,
         {u"classic 2D animation"_s, u"hand-drawn cel"_s, u"ink and paint"_s, u"painted background"_s, u"1940s animation"_s},
         u"Request 'on twos' motion cadence; keep backgrounds painterly and characters flat-shaded."_s},
        {u"primetimeFlat"_s, u"Primetime Flat"_s, StyleCategory::animation,
         u"Bold-outline adult-animation sitcom look — flat color, deadpan staging."_s,
         {u"adult animation sitcom style"_s, u"bold outlines"_s, u"flat colors"_s, u"simple staging"_s, u"primetime cartoon"_s},
         u"Flat styles are the most consistent across long runtimes — great for episodic volume."_s},
        {u"stopMotionPuppet"_s, u"Stop-Motion Puppet"_s, StyleCategory::animation,
         u"Tactile miniature sets and felt-and-wire puppets, 12 fps charm."_s,
         {u"stop motion"_s, u"puppet animation"_s, u"miniature set"_s, u"felt texture"_s, u"12fps"_s},
         u"Ask for slight frame jitter and fingerprints-in-clay imperfection to sell the medium."_s},
        {u"claymation"_s, u"Claymation"_s, StyleCategory::animation,
         u"Sculpted clay characters, thumbprint texture, handmade warmth."_s,
         {u"claymation"_s, u"plasticine"_s, u"sculpted clay character"_s, u"handmade animation"_s},
         u"Strong identity per character sculpt; keep lighting practical and warm."_s},
        {u"paperCutout"_s, u"Paper Cutout"_s, StyleCategory::animation,
         u"Layered paper worlds — construction-paper edges and shadowbox depth."_s,
         {u"paper cutout animation"_s, u"construction paper"_s, u"layered shadowbox"_s, u"flat puppet hinges"_s},
         u"Limit camera moves to slides and zooms; parallax layers sell the look."_s},
        {u"storybookWatercolor"_s, u"Storybook Watercolor"_s, StyleCategory::animation,
         u"Soft watercolor washes and pencil lines, like an illustrated book set in motion."_s,
         {u"watercolor illustration"_s, u"storybook"_s, u"pencil linework"_s, u"soft wash"_s, u"gentle animation"_s},
         u"Embrace bloom and paper texture; motion should be gentle and floaty."_s},
        {u"pixelEra"_s, u"Pixel Era"_s, StyleCategory::animation,
         u"16-bit worlds — chunky pixels, limited palettes, parallax skies."_s,
         {u"pixel art"_s, u"16-bit"_s, u"limited palette"_s, u"parallax scrolling"_s, u"retro game cinematic"_s},
         u"Specify grid resolution (e.g. 384×216 upscaled) to keep pixels honest."_s},
        {u"modernAnime"_s, u"Modern Anime"_s, StyleCategory::anime,
         u"Crisp digital anime — sharp lines, dramatic lighting, sakuga energy in key moments."_s,
         {u"modern anime"_s, u"crisp lineart"_s, u"dramatic rim light"_s, u"digital cel shading"_s, u"sakuga"_s},
         u"Reserve high-motion cuts for set pieces; hold frames with pans elsewhere, just like real productions."_s},
        {u"retroAnime90s"_s, u"'90s OVA Anime"_s, StyleCategory::anime,
         u"VHS-era cel anime — film grain, halation, hand-painted gradients, moody color."_s,
         {u"90s anime"_s, u"OVA style"_s, u"cel animation"_s, u"film grain"_s, u"halation glow"_s, u"retro color palette"_s},
         u"Add slight gate weave and chromatic fringe; muted teal-and-amber palettes land the era."_s},
        {u"painterlyAnime"_s, u"Painterly Wonder"_s, StyleCategory::anime,
         u"Lush painted skies and pastoral fantasy — gentle, wind-swept, full of food and weather."_s,
         {u"painterly anime"_s, u"lush painted background"_s, u"pastoral fantasy"_s, u"soft natural light"_s, u"wind and grass"_s},
         u"Lean on nature beats and quiet moments; pairs beautifully with the Kishōtenketsu story engine."_s},
        {u"inkBrushAnime"_s, u"Ink & Brush"_s, StyleCategory::anime,
         u"High-contrast sumi-e brushwork — splatter, negative space, violent elegance."_s,
         {u"ink brush animation"_s, u"sumi-e"_s, u"high contrast"_s, u"negative space"_s, u"calligraphic strokes"_s},
         u"Monochrome with one accent color cuts beautifully; let frames breathe."_s},
        {u"cinema35"_s, u"35mm Cinema"_s, StyleCategory::liveAction,
         u"Classic theatrical film — organic grain, halation highlights, honest color."_s,
         {u"35mm film"_s, u"cinematic"_s, u"film grain"_s, u"halation"_s, u"anamorphic bokeh"_s, u"theatrical color timing"_s},
         u"Specify film stock vibes (warm tungsten vs cool daylight) per scene for cohesion."_s},
        {u"largeFormatEpic"_s, u"Large-Format Epic"_s, StyleCategory::liveAction,
         u"IMAX-grade clarity and sweep — vast landscapes, towering compositions."_s,
         {u"large format film"_s, u"IMAX style"_s, u"epic landscape"_s, u"extreme detail"_s, u"deep focus"_s, u"monumental scale"_s},
         u"Favor wide static compositions; generation models excel at vista shots."_s},
        {u"digitalCinema"_s, u"Digital Cinema"_s, StyleCategory::liveAction,
         u"Modern cinema-camera clean — wide dynamic range, precise color, contemporary gloss."_s,
         {u"digital cinema"_s, u"clean image"_s, u"wide dynamic range"_s, u"modern blockbuster look"_s, u"precise color grade"_s},
         u"The most forgiving live-action style for AI generation — fewest artifacts to fight."_s},
        {u"indie16"_s, u"16mm Indie"_s, StyleCategory::liveAction,
         u"Grainy, intimate, handheld — sunlight through windows, lived-in rooms."_s,
         {u"16mm film"_s, u"indie film look"_s, u"heavy grain"_s, u"natural window light"_s, u"handheld intimacy"_s},
         u"Grain hides artifacts well — a smart choice for dialogue-heavy realism."_s},
        {u"multicamSitcom"_s, u"Multi-Cam Sitcom"_s, StyleCategory::liveAction,
         u"Bright stage lighting, three-wall sets, audience energy."_s,
         {u"multi-camera sitcom"_s, u"stage lighting"_s, u"three wall set"_s, u"bright even light"_s, u"video look"_s},
         u"Repeat the same 2–3 sets constantly — repetition is the format and helps consistency."_s},
        {u"singleCamTV"_s, u"Single-Cam Drama"_s, StyleCategory::liveAction,
         u"Prestige television — controlled palettes, motivated light, patient camera."_s,
         {u"prestige TV drama"_s, u"single camera"_s, u"motivated lighting"_s, u"controlled palette"_s, u"shallow depth"_s},
         u"Define a strict scene-by-scene palette; prestige looks live and die on color discipline."_s},
        {u"veriteDoc"_s, u"Vérité Documentary"_s, StyleCategory::liveAction,
         u"Handheld truth — available light, imperfect frames, found moments."_s,
         {u"documentary"_s, u"verite"_s, u"handheld"_s, u"available light"_s, u"observational realism"_s},
         u"Imperfection is the aesthetic — ask for clipped highlights and refocus moments."_s},
        {u"noirMono"_s, u"Noir Monochrome"_s, StyleCategory::stylized,
         u"Hard shadows, venetian blinds, cigarette smoke — black and white with teeth."_s,
         {u"film noir"_s, u"black and white"_s, u"hard shadows"_s, u"venetian blind light"_s, u"smoke and rain"_s},
         u"Monochrome dramatically improves character consistency — a secret weapon for long films."_s},
        {u"technicolorGold"_s, u"Technicolor Golden Age"_s, StyleCategory::stylized,
         u"Saturated three-strip glamour — jewel tones, painted skies, studio sheen."_s,
         {u"technicolor"_s, u"three-strip color"_s, u"golden age hollywood"_s, u"jewel tones"_s, u"studio backlot"_s},
         u"Push saturation and rim light; ask for 'painted studio sky' backgrounds."_s},
        {u"neonNeoNoir"_s, u"Neon Neo-Noir"_s, StyleCategory::stylized,
         u"Rain-slick streets, neon reflections, synth-lit nights."_s,
         {u"neo noir"_s, u"neon lighting"_s, u"rain reflections"_s, u"night city"_s, u"cyan and magenta"_s},
         u"Two-color light logic (cyan/magenta) keeps wildly different shots feeling like one film."_s},
    };
    return rows;
}

const StylePreset* StylePreset::find(QStringView id)
{
    for (const StylePreset& preset : catalog()) {
        if (preset.id == id)
            return &preset;
    }
    return nullptr;
}

} // namespace studio
