#include "services/SampleFactory.h"

#include "services/SampleFactorySupport.h"

using namespace Qt::StringLiterals;

namespace studio::SampleFactory {

using namespace detail;

Project cloudFarmer()
{
    Project p;
    p.name = u"The Cloud Farmer"_s;
    p.format = ProjectFormat::shortFilm;
    p.posterSeed = u"sample-cloudfarmer-poster"_s;
    p.completedPhases = {PhaseID::spark, PhaseID::story, PhaseID::cast, PhaseID::look};
    p.activePhase = PhaseID::scenes;

    ProjectIdea& idea = p.idea;
    idea.logline = u"On terraced fields above the weather, a girl who farms clouds for her village must decide "
                   u"what to do with the first storm anyone has grown in forty years."_s;
    idea.premise = u"Mako tends the family cloud terraces the way her grandmother taught her: seed the mist at "
                   u"dawn, sing the pools calm, harvest soft rain for the valley below. When one of her seedlings "
                   u"darkens into something with thunder in it, the village wants it destroyed. Her grandmother, "
                   u"who grew the last storm long ago, says nothing at all — and waits to see what Mako does."_s;
    idea.argument = u"Small daily work is how wonders are made."_s;
    idea.genres = {Genre::fantasy, Genre::drama};
    idea.themes = {u"Inheritance of craft"_s, u"Patience"_s, u"Weather as feeling"_s};
    idea.rating = Rating::g;
    idea.targetRuntimeMinutes = 8;
    idea.tone = ToneProfile{0.22, 0.80, 0.25, 0.45};
    idea.cards = {
        IdeaCard{.kind = IdeaCardKind::image,
                 .text = u"A watering can pouring mist instead of water, the mist curling into a tiny cumulus."_s},
        IdeaCard{.kind = IdeaCardKind::line,
                 .text = u"\"Storms aren't angry rain, Mako. They're rain that has something to say.\""_s},
        IdeaCard{.kind = IdeaCardKind::theme, .text = u"The village fears exactly the weather it needs."_s},
    };

    CastMember mako;
    mako.name = u"Mako"_s;
    mako.role = CastRole::lead;
    mako.archetype = u"The Apprentice"_s;
    mako.age = u"12"_s;
    mako.bio = u"Third generation of cloud farmers. Knows every pool by name, hasn't named the dark one yet."_s;
    mako.want = u"To harvest a cloud worthy of the valley festival."_s;
    mako.need = u"To trust her own weather sense over the village's fear."_s;
    mako.flaw = u"Apologizes for things that aren't mistakes."_s;
    mako.lie = u"\"Grandmother's way is the only way.\""_s;
    mako.contradiction = u"Frightened of thunder, sings to it anyway."_s;
    mako.voice = u"Quick and quiet, swallows the ends of sentences — except when talking to clouds."_s;
    mako.tells = u"Tugs her hat brim down when proud; talks to seedling clouds like chickens."_s;
    mako.look = u"12-year-old girl, round face, ink-black bob under a wide straw hat, indigo work apron with brass "
                u"cloud-hooks, bare feet, grass-stained knees"_s;
    mako.wardrobe = u"Straw hat, indigo apron, a red string bracelet that was her mother's."_s;
    mako.portraitSeed = u"sample-mako-portrait"_s;

    CastMember umi;
    umi.name = u"Grandmother Umi"_s;
    umi.role = CastRole::support;
    umi.archetype = u"The Reluctant Mentor"_s;
    umi.age = u"77"_s;
    umi.bio = u"Grew the storm of '86 that ended the long drought — and was never quite forgiven for the "
              u"lightning."_s;
    umi.want = u"To watch one more harvest from her porch chair."_s;
    umi.need = u"To hand over the storm-craft she swore she'd never teach."_s;
    umi.flaw = u"Answers questions with chores."_s;
    umi.lie = u"\"What I grew back then was a mistake.\""_s;
    umi.contradiction = u"Pretends to nap through everything, misses nothing."_s;
    umi.voice = u"Slow, gravelled, amused. Long pauses that are actually tests."_s;
    umi.tells = u"Whittles cloud-pegs when she's about to say something true."_s;
    umi.look = u"77-year-old woman, silver hair in a loose bun with a wooden pin, sun-creased smile lines, faded "
               u"indigo jacket over work clothes, seated with a carved cane"_s;
    umi.wardrobe = u"Faded indigo jacket, wooden hairpin, the old storm-bell on her belt."_s;
    umi.portraitSeed = u"sample-umi-portrait"_s;

    relate(mako, u"Granddaughter and gatekeeper — the lessons are chores in disguise"_s,
           umi, u"The reason she stopped saying 'last harvest'"_s);
    p.cast = {mako, umi};

    Location terraces;
    terraces.name = u"The Cloud Terraces"_s;
    terraces.kind = LocationKind::exterior;
    terraces.era = u"Timeless rural fantasy"_s;
    terraces.mood = u"Tender, breezy, quietly magic"_s;
    terraces.look = u"Stepped emerald terraces stitched into a mountainside above the cloud line; wooden weirs "
                    u"holding pools of luminous mist, paper windmills on bamboo poles, a tin-roofed tool shed, "
                    u"valley drowned in haze far below"_s;
    terraces.sound = u"Wind chimes, distant goat bells, the wet hush of mist settling into pools"_s;
    terraces.artSeed = u"sample-terraces-loc"_s;
    p.locations = {terraces};

    LookSpec& look = p.look;
    look.styleID = u"painterlyAnime"_s;
    look.directorLensID = u"availableHeaven"_s;
    look.aspect = AspectRatio::euro166;
    look.frameRate = FrameRate::f24;
    look.lensFeel = {u"Soft halation"_s, u"Wide & close"_s};
    look.lightingMood = {u"Golden hour"_s, u"Soft overcast"_s};
    look.moodWords = {u"Tender"_s, u"Breezy"_s, u"Quietly magic"_s};
    look.accentHex = u"9AC4A8"_s;
    look.grain = 0.42;
    look.temperature = 0.62;

    Episode episode = templatedEpisode(
        1, p.name, u"A seedling cloud darkens into a storm; a village holds its breath; a girl decides."_s,
        StructureKind::kishotenketsu);
    StoryStructure& s = episode.structure;
    writeBeat(s, 1, 1, u"Dawn rounds: Mako seeds the pools, greets each cloud by name, ladles mist like soup."_s, 1);
    writeBeat(s, 1, 2, u"The rituals: singing the pools calm, patching weirs, Umi 'napping' through her "
                       u"inspection."_s, 1);
    writeBeat(s, 2, 1, u"Harvest week: the valley sends up thank-you kites; Mako's festival cloud plumps "
                       u"beautifully."_s, 1);
    writeBeat(s, 2, 2, u"One seedling in the north pool grows dark at the edges. Mako says nothing. It hums at "
                       u"night."_s, -1);
    writeBeat(s, 3, 1, u"It isn't a blight — it's a storm, the first grown since '86. The village demands it be "
                       u"drained; Umi finally speaks: 'Ask it what it has to say.'"_s, -1);
    writeBeat(s, 4, 1, u"Mako walks the storm down the mountain on a tether of song and lets it speak over the "
                       u"dying fields — rain, real rain, no lightning at all."_s, 1);
    writeBeat(s, 4, 2, u"Dawn rounds again: same pools, same ladle — and one new dark seedling Mako now greets by "
                       u"name."_s, 1);

    using Z = ShotSize;
    using M = CameraMove;
    episode.scenes = {
        scene(SceneSetting::exterior, TimeOfDay::dawn, terraces, {mako.id},
              u"Dawn rounds — the work of growing weather."_s,
              {shot(Z::extremeWide, M::aerial, 9,
                    u"The terraces emerge from the cloud sea at dawn, paper windmills turning, pools glowing "
                    u"faint"_s,
                    {}, u"sample-cf-s1-a"_s),
               shot(Z::medium, M::track, 6,
                    u"Mako walks the weir line with her ladle, mist curling after her like ducklings"_s, {},
                    u"sample-cf-s1-b"_s, u"magicHourDrift"_s),
               shot(Z::closeUp, M::locked, 5,
                    u"Her hands cup a palm-sized cumulus; she blows on it gently and sets it on a pool"_s,
                    u"Grow up round, you."_s, u"sample-cf-s1-c"_s)}),
        scene(SceneSetting::exterior, TimeOfDay::dusk, terraces, {mako.id, umi.id},
              u"The north pool hums. Umi whittles and watches."_s,
              {shot(Z::wide, M::locked, 8,
                    u"Across the dusk terraces, one pool glows darker — a slow pulse like a heartbeat under mist"_s,
                    {}, u"sample-cf-s2-a"_s),
               shot(Z::twoShot, M::locked, 7,
                    u"Mako pretends to patch a weir; Umi whittles a cloud-peg on the porch, eyes closed, "
                    u"listening"_s,
                    u"You'll want to name it. Don't. Not yet."_s, u"sample-cf-s2-b"_s)}),
    };

    episode.musicCues = {cue(u"Dawn Rounds"_s, u"Plucked koto and soft accordion, kettle warmth"_s),
                         cue(u"What the Storm Says"_s, u"Low strings under rainfall, resolving into a child's hum"_s)};

    p.episodes = {episode};
    return p;
}

} // namespace studio::SampleFactory
