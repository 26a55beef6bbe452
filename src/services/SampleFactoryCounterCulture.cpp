#include "services/SampleFactory.h"

#include "services/SampleFactorySupport.h"

using namespace Qt::StringLiterals;

namespace studio::SampleFactory {

using namespace detail;

Project counterCulture()
{
    Project p;
    p.name = u"Counter Culture"_s;
    p.format = ProjectFormat::sitcom;
    p.posterSeed = u"sample-counter-poster"_s;
    p.completedPhases = {PhaseID::spark, PhaseID::cast};
    p.activePhase = PhaseID::story;

    ProjectIdea& idea = p.idea;
    idea.logline = u"A washed-out futures trader inherits his aunt's stubbornly analog coffee shop and discovers "
                   u"the only market he can't game is the morning regulars."_s;
    idea.premise = u"Dev Ashby-Malone liquidated his life at 9:47 on a Tuesday. His aunt Rosa's will gave him a "
                   u"coffee shop with no POS system, no wifi, and a booth of regulars who have ordered the same "
                   u"thing since 1998. Dev intends to optimize, franchise and flip it. The shop — and June, the "
                   u"head barista who actually runs it — has other plans."_s;
    idea.argument = u"Community compounds better than capital."_s;
    idea.genres = {Genre::comedy};
    idea.themes = {u"Belonging vs. scale"_s, u"Inherited places"_s, u"The regulars"_s};
    idea.rating = Rating::pg;
    idea.targetRuntimeMinutes = 22;
    idea.tone = ToneProfile{0.28, 0.25, 0.60, 0.90};

    CastMember dev;
    dev.name = u"Dev"_s;
    dev.role = CastRole::lead;
    dev.archetype = u"The Fixer"_s;
    dev.age = u"38"_s;
    dev.bio = u"Former derivatives trader. Owns four identical quarter-zips. Has a pitch deck about the coffee "
              u"shop that nobody will ever see the end of."_s;
    dev.want = u"To optimize the shop into a sellable chain."_s;
    dev.need = u"To belong somewhere that refuses to scale."_s;
    dev.flaw = u"Treats people like positions to be managed."_s;
    dev.lie = u"\"Efficiency is love.\""_s;
    dev.contradiction = u"Spreadsheets everything; cannot remember his own coffee order."_s;
    dev.voice = u"Fast, jargon-laced, deflates mid-sentence when nobody's impressed."_s;
    dev.tells = u"Narrates his decisions like a market analyst; checks his smartwatch when hugged."_s;
    dev.look = u"38-year-old man, permanent stubble, tech quarter-zip over a barista apron he wears wrong, "
               u"smartwatch, expensive sneakers dusted with espresso grounds"_s;
    dev.wardrobe = u"Quarter-zip, misbuttoned apron, sneakers too white for kitchen work."_s;
    dev.portraitSeed = u"sample-dev-portrait"_s;

    CastMember june;
    june.name = u"June"_s;
    june.role = CastRole::support;
    june.archetype = u"The Quiet Powerhouse"_s;
    june.age = u"45"_s;
    june.bio = u"Head barista for twenty years. Rosa left her the recipes and the regulars; Dev got the lease. "
               u"Everyone knows who inherited the shop."_s;
    june.want = u"To keep the shop exactly as Rosa left it."_s;
    june.need = u"To admit the place needs to change to survive — on her terms."_s;
    june.flaw = u"Says 'it's fine' while fixing what you broke."_s;
    june.lie = u"\"If I keep every ritual, Rosa isn't really gone.\""_s;
    june.contradiction = u"Despises Dev's optimizations, secretly keeps the one that works."_s;
    june.voice = u"Flat, unhurried, devastating. One eyebrow does the yelling."_s;
    june.tells = u"Wipes the counter in slow circles before delivering a verdict."_s;
    june.look = u"45-year-old woman, salt-streak in dark hair tied back with a pencil, rolled flannel sleeves, "
                u"Rosa's old apron with a sewn-shut pocket, forearms like a climber"_s;
    june.wardrobe = u"Flannel, Rosa's apron, the pencil that is also a weapon."_s;
    june.portraitSeed = u"sample-june-portrait"_s;

    relate(dev, u"Owner on paper, employee in practice"_s,
           june, u"The audit she never asked for — and won't admit she's fond of"_s);
    p.cast = {dev, june};

    Location shop;
    shop.name = u"Aunt Rosa's Counter"_s;
    shop.kind = LocationKind::interior;
    shop.era = u"Frozen lovingly in 1998"_s;
    shop.mood = u"Warm, caffeinated, opinionated"_s;
    shop.look = u"Worn oak counter, mismatched mugs on a pegboard, hand-chalked menu unchanged for decades, "
                u"morning sun through gold-lettered front glass, window booth of regulars, espresso machine with a "
                u"name (Brenda)"_s;
    shop.sound = u"Steam wand shriek, bell over the door, the regulars arguing about the crossword"_s;
    shop.artSeed = u"sample-shop-loc"_s;
    p.locations = {shop};

    LookSpec& look = p.look;
    look.styleID = u"multicamSitcom"_s;
    look.directorLensID = std::nullopt;
    look.aspect = AspectRatio::hd169;
    look.frameRate = FrameRate::f30;
    look.lensFeel = {};
    look.lightingMood = {u"Practical lamps"_s};
    look.moodWords = {u"Warm"_s, u"Caffeinated"_s};
    look.accentHex = u"C4B49A"_s;
    look.contrast = 0.35;

    Episode pilot = templatedEpisode(
        1, u"The Optimization"_s, u"Dev installs a 'smart queue'. The regulars unionize by 10 a.m."_s,
        StructureKind::sitcom);
    StoryStructure& s = pilot.structure;
    writeBeat(s, 1, 1, u"Dev rehearses 'simple shop talk' in the mirror, fails, orders his own latte by ticker "
                       u"symbol."_s, 1);
    writeBeat(s, 2, 1, u"A-plot: Dev replaces the chalk menu with a tablet. The tablet asks for a software update "
                       u"at rush hour."_s, 1);
    writeBeat(s, 2, 2, u"B-plot: June quietly trials Dev's discarded oat-milk supplier — it's better — and hides "
                       u"the carton like contraband."_s, 1);
    writeBeat(s, 2, 3, u"The regulars discover their booth is now 'flex seating'. The crossword stops mid-clue. "
                       u"Silence."_s, -1);
    writeBeat(s, 3, 2, u"A/B collide: the tablet bricks, the contraband carton is exposed, and the queue "
                       u"'optimizes' Mrs. Felder out the door."_s, -1);
    writeBeat(s, 3, 4, u"Chalk menu back on the wall — with one tiny new line in Dev's handwriting: 'oat milk, ask "
                       u"June'."_s, 1);
    writeBeat(s, 4, 1, u"Tag: Dev finally orders correctly. June writes it on a card and pins it behind the "
                       u"register, filed under D."_s, 1);

    using Z = ShotSize;
    using M = CameraMove;
    pilot.scenes = {
        scene(SceneSetting::interior, TimeOfDay::day, shop, {dev.id, june.id}, u"The tablet meets the regulars."_s,
              {shot(Z::wide, M::locked, 8,
                    u"Master on the counter: Dev presents the tablet menu like a keynote; June polishes the same "
                    u"spot, unimpressed; the booth watches"_s,
                    u"Friends — welcome to ordering, version two point oh."_s, u"sample-cc-s1-a"_s),
               shot(Z::twoShot, M::locked, 10,
                    u"Dev and June at the register, the tablet between them showing a spinning update wheel"_s,
                    u"It's contactless. — So is a vending machine, Dev."_s, u"sample-cc-s1-b"_s,
                    u"crackleTwoShot"_s),
               shot(Z::closeUp, M::locked, 4, u"The chalk menu leaning in the corner like a benched veteran"_s, {},
                    u"sample-cc-s1-c"_s)}),
    };
    pilot.musicCues = {cue(u"Opening Bustle"_s, u"Brushed drums, walking bass, doorbell as percussion"_s)};

    p.episodes = {
        pilot,
        templatedEpisode(2, u"The Loyalty Card"_s,
                         u"Dev gamifies loyalty; the regulars discover exploits within the hour. June arbitrates "
                         u"the punch-card black market."_s,
                         StructureKind::sitcom),
        templatedEpisode(3, u"Decaf"_s,
                         u"Brenda the espresso machine breaks. Dev's replacement budget meets June's repair guy, "
                         u"who is also her ex. Nobody gets caffeine; everybody gets feelings."_s,
                         StructureKind::sitcom),
    };
    return p;
}

} // namespace studio::SampleFactory
