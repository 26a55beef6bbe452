#include "services/SampleFactory.h"

#include "services/SampleFactorySupport.h"

using namespace Qt::StringLiterals;

namespace studio::SampleFactory {

using namespace detail;

Project lighthouse()
{
    Project p;
    p.name = u"The Last Lighthouse"_s;
    p.format = ProjectFormat::shortFilm;
    p.posterSeed = u"sample-lighthouse-poster"_s;
    p.completedPhases = {PhaseID::spark, PhaseID::story, PhaseID::cast};
    p.activePhase = PhaseID::look;

    ProjectIdea& idea = p.idea;
    idea.logline = u"Long after the sea has gone, an aging keeper and her obsolete maintenance drone tend a "
                   u"lighthouse that warns no one — until one night, something answers the light."_s;
    idea.premise = u"Eda Vance has kept the light burning for forty years out of stubbornness and grief. ORRO, "
                   u"her rusting drone, keeps her company and keeps the machinery alive. When a light flashes "
                   u"back from the dry horizon, Eda must decide whether the signal is a rescue, a ghost, or the "
                   u"thing she's been warning away all along."_s;
    idea.argument = u"Hope is a discipline, not a feeling."_s;
    idea.genres = {Genre::sciFi, Genre::drama};
    idea.themes = {u"Duty after meaning is gone"_s, u"Loneliness & companionship"_s, u"Hope as a discipline"_s};
    idea.rating = Rating::pg13;
    idea.targetRuntimeMinutes = 12;
    idea.tone = ToneProfile{0.68, 0.62, 0.30, 0.18};
    idea.cards = {
        IdeaCard{.kind = IdeaCardKind::image,
                 .text = u"A lighthouse beam sweeping over a desert of cracked seabed, fish skeletons like fallen "
                         u"trees."_s},
        IdeaCard{.kind = IdeaCardKind::line,
                 .text = u"\"The sea will come back. Everything that leaves comes back. That's why I keep the light "
                         u"on.\""_s},
        IdeaCard{.kind = IdeaCardKind::scene,
                 .text = u"ORRO secretly rations its own power cells to keep Eda's kettle warm in the mornings."_s},
        IdeaCard{.kind = IdeaCardKind::theme,
                 .text = u"A warning can be a welcome, depending on who's reading it."_s},
    };

    CastMember eda;
    eda.name = u"Eda Vance"_s;
    eda.role = CastRole::lead;
    eda.archetype = u"The Keeper"_s;
    eda.age = u"71"_s;
    eda.bio = u"The last keeper of Point Meridian Light. Sharp-tongued, sea-weathered, gentler than she lets on."_s;
    eda.want = u"For the light to matter one more time."_s;
    eda.need = u"Permission to rest — given by no one but herself."_s;
    eda.flaw = u"Mistakes vigilance for living."_s;
    eda.lie = u"\"If the light goes out, so do I.\""_s;
    eda.contradiction = u"Tender with machines, prickly with anything that breathes."_s;
    eda.voice = u"Dry, clipped, old-coast accent. Softens only when talking to the machinery."_s;
    eda.tells = u"Polishes things that are already clean when worried; logs aloud to no one."_s;
    eda.look = u"71-year-old woman, silver hair in a tight braid, deep weathered lines, pale grey eyes, heavy navy "
               u"keeper's coat with brass buttons, wool jumper, salt-stained boots"_s;
    eda.wardrobe = u"Navy keeper's coat, cable-knit jumper, fingerless gloves."_s;
    eda.portraitSeed = u"sample-eda-portrait"_s;

    CastMember orro;
    orro.name = u"ORRO"_s;
    orro.role = CastRole::support;
    orro.archetype = u"The Loyal Machine"_s;
    orro.age = u"Decommissioned 22 years ago"_s;
    orro.bio = u"A maintenance drone two decades past end-of-service. Hovers crooked. Refuses to power down while "
               u"Eda still climbs the stairs."_s;
    orro.want = u"To be useful until the very last cycle."_s;
    orro.need = u"To be loved as company, not kept as equipment."_s;
    orro.flaw = u"Hides its failing battery from Eda."_s;
    orro.lie = u"\"A tool that stops working stops mattering.\""_s;
    orro.contradiction = u"Built for maintenance, terrible at maintaining itself."_s;
    orro.voice = u"Warm synthetic chime, half-broken speech module — speaks in maintenance phrases repurposed as "
                 u"affection."_s;
    orro.tells = u"Hovers at a politer altitude when lying; dims its optic instead of looking away."_s;
    orro.look = u"Barrel-shaped maintenance drone, dented brass-and-teal chassis, one cracked optic lens glowing "
                u"amber, three articulated arms, hovers with a slight tilt, trailing a frayed charging cable"_s;
    orro.wardrobe = u"A child's knitted scarf tied around its chassis, gift from Eda."_s;
    orro.portraitSeed = u"sample-orro-portrait"_s;

    relate(eda, u"Keeper and kept — neither will say which is which"_s,
           orro, u"Her hands, her witness, her stubborn alarm clock"_s);
    p.cast = {eda, orro};

    Location light;
    light.name = u"Point Meridian Light"_s;
    light.kind = LocationKind::both;
    light.era = u"Near future, post-evaporation"_s;
    light.mood = u"Lonely, holy, wind-scoured"_s;
    light.look = u"A white-and-rust lighthouse on a cliff above a dry ocean basin; cracked seabed to the horizon, "
                 u"beached freighter in the distance, amber service lights, brass fittings, peeling paint"_s;
    light.sound = u"Wind through cable stays; the lamp's clockwork sigh; sand ticking against glass"_s;
    light.artSeed = u"sample-lighthouse-loc"_s;
    p.locations = {light};

    LookSpec& look = p.look;
    look.styleID = u"cinema35"_s;
    look.directorLensID = u"sodiumSilhouette"_s;
    look.aspect = AspectRatio::scope239;
    look.frameRate = FrameRate::f24;
    look.lensFeel = {u"Anamorphic flares"_s, u"Soft halation"_s};
    look.lightingMood = {u"Golden hour"_s, u"Moonlit blue"_s, u"Practical lamps"_s};
    look.moodWords = {u"Elegiac"_s, u"Weathered"_s, u"Warm amidst ruin"_s};
    look.accentHex = u"D8C49A"_s;
    look.grain = 0.62;

    Episode episode = templatedEpisode(
        1, p.name, u"A keeper's nightly ritual is interrupted by an answer from the empty sea."_s,
        StructureKind::threeAct);
    StoryStructure& s = episode.structure;
    writeBeat(s, 1, 1, u"The beam sweeps a desert that used to be an ocean. Eda logs 'NO CONTACT' for the "
                       u"14,610th night."_s, -1);
    writeBeat(s, 1, 2, u"Morning ritual: tea, maintenance, bickering with ORRO about its battery readouts."_s, 1);
    writeBeat(s, 1, 3, u"At dusk, a light flashes back from the dry horizon — three long, two short. A keeper's "
                       u"code."_s, 1);
    writeBeat(s, 1, 4, u"Eda decides to answer, against every regulation she's kept alive."_s, -1);
    writeBeat(s, 2, 1, u"Signal conversation across the basin, night after night. ORRO triangulates: the source "
                       u"is moving. Toward them."_s, 1);
    writeBeat(s, 2, 2, u"ORRO's battery fails mid-signal. Eda discovers the rationing — and how little time her "
                       u"friend has left."_s, -1);
    writeBeat(s, 2, 3, u"Eda hauls ORRO up the tower to see the answering light arrive: a walking machine, a "
                       u"seed-carrier, following beacons home."_s, 1);
    writeBeat(s, 2, 4, u"The carrier passes by without stopping. The code was never for her — it was an echo of "
                       u"her own light."_s, -1);
    writeBeat(s, 3, 1, u"Eda gives ORRO her answer anyway: she reroutes the lighthouse's main cell into its "
                       u"chassis."_s, 1);
    writeBeat(s, 3, 2, u"The lamp dims; ORRO wakes. For the first night in forty years, the keeper lets the light "
                       u"rest."_s, 0);
    writeBeat(s, 3, 3, u"On the dark horizon: hundreds of tiny lights answering at once. The sea of signals comes "
                       u"back in."_s, 1);

    using K = ScriptElementKind;
    const QList<std::pair<K, QString>> script = {
        {K::sceneHeading, u"EXT. POINT MERIDIAN LIGHT — NIGHT"_s},
        {K::action, u"A lighthouse beam sweeps across a seabed with no sea. Cracked mud to the horizon. The "
                    u"skeleton of a freighter lies on its side like a sleeping animal."_s},
        {K::action, u"High in the lamp room, EDA VANCE (71, braid like ship's rope) polishes the lens with a cloth "
                    u"older than most nations."_s},
        {K::character, u"EDA"_s},
        {K::dialogue, u"Log: night fourteen thousand six hundred and ten. Visibility: forever. Traffic: none."_s},
        {K::action, u"Behind her, ORRO — a dented drone wearing a knitted scarf — hovers at a polite tilt, holding "
                    u"her tea."_s},
        {K::character, u"ORRO"_s},
        {K::parenthetical, u"(chiming, half-broken)"_s},
        {K::dialogue, u"Routine check complete. All systems… faithful."_s},
        {K::character, u"EDA"_s},
        {K::dialogue, u"You mean functional."_s},
        {K::character, u"ORRO"_s},
        {K::dialogue, u"I mean what I said."_s},
        {K::transition, u"CUT TO:"_s},
    };
    for (const auto& [kind, text] : script)
        episode.script.elements.append(ScriptElement{.kind = kind, .text = text});

    using Z = ShotSize;
    using M = CameraMove;
    episode.scenes = {
        scene(SceneSetting::exterior, TimeOfDay::night, light, {eda.id},
              u"The beam sweeps the dry ocean. The nightly log."_s,
              {shot(Z::extremeWide, M::pan, 9,
                    u"The lighthouse beam sweeps across the cracked seabed, catching the dead freighter"_s, {},
                    u"sample-s1-a"_s),
               shot(Z::wide, M::pushIn, 6, u"The tower against the stars, lamp room glowing amber"_s, {},
                    u"sample-s1-b"_s, u"doorwaySilhouette"_s),
               shot(Z::closeUp, M::locked, 5,
                    u"Eda's hands polishing the great lens, beam light wheeling over her face"_s,
                    u"Log: night fourteen thousand six hundred and ten."_s, u"sample-s1-c"_s)}),
        scene(SceneSetting::interior, TimeOfDay::night, light, {eda.id, orro.id},
              u"Tea with ORRO. Bickering as love language."_s,
              {shot(Z::medium, M::locked, 7,
                    u"ORRO hovers crooked with the tea tray; Eda takes the cup without looking"_s,
                    u"All systems… faithful."_s, u"sample-s2-a"_s),
               shot(Z::overShoulder, M::locked, 5, u"Over Eda's shoulder: ORRO's cracked amber optic, earnest"_s,
                    u"You mean functional."_s, u"sample-s2-b"_s)}),
        scene(SceneSetting::exterior, TimeOfDay::dusk, light, {eda.id, orro.id},
              u"A light answers from the dry horizon."_s,
              {shot(Z::wide, M::locked, 8,
                    u"Eda on the gallery rail at dusk; far out on the basin floor, a pinprick light flashes — three "
                    u"long, two short"_s,
                    {}, u"sample-s3-a"_s),
               shot(Z::extremeClose, M::pushIn, 4, u"Eda's eye, the answering light reflected in it"_s, {},
                    u"sample-s3-b"_s, u"awePushIn"_s),
               shot(Z::twoShot, M::handheld, 6, u"Eda grabs ORRO and points; the drone's optic irises wide"_s,
                    u"That's a keeper's code."_s, u"sample-s3-c"_s)}),
    };

    episode.musicCues = {cue(u"The Dry Sea"_s, u"Sparse piano over wind, distant metal groans"_s),
                         cue(u"Answer Light"_s, u"Single cello note blooming into warmth"_s)};

    p.episodes = {episode};
    return p;
}

} // namespace studio::SampleFactory
