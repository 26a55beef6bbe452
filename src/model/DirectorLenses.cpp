#include "model/LookCatalogs.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<DirectorLens>& DirectorLens::catalog()
{
    static const QList<DirectorLens> rows = {
        {u"sodiumSilhouette"_s, u"Sodium & Silhouette"_s, u"Roger Deakins"_s,
         u"One honest light source, shaped. Figures become silhouettes against it; everything unnecessary falls into clean darkness."_s,
         {u"silhouetted figure against bright light"_s, u"single motivated light source"_s, u"clean negative space"_s, u"sodium vapor warmth against blue night"_s},
         u"The camera moves only when the story moves."_s,
         u"Find the practical source, then commit to it."_s,
         u"Cut on stillness — let compositions finish their sentence."_s},
        {u"availableHeaven"_s, u"Available Heaven"_s, u"Terrence Malick / Emmanuel Lubezki"_s,
         u"Natural light, wide lenses inches from faces, a camera that floats like breath. The world feels witnessed, not staged."_s,
         {u"natural available light only"_s, u"wide lens close to subject"_s, u"floating weightless camera"_s, u"magic hour halo"_s, u"vast sky overhead"_s},
         u"Unbroken drifting moves; the camera is a soul in the room."_s,
         u"The sun is the gaffer. Shoot the golden minutes."_s,
         u"Long takes; cuts hide inside movement."_s},
        {u"monumentalTime"_s, u"Monumental Time"_s, u"Christopher Nolan"_s,
         u"Practical, in-camera reality at architectural scale. Time itself is the antagonist — intercut threads that converge like clockwork."_s,
         {u"large format scale"_s, u"practical in-camera realism"_s, u"monumental brutalist architecture"_s, u"cold precise color"_s, u"horizon-bending scale"_s},
         u"Stable, weighty moves; handheld only when the world breaks."_s,
         u"Hard daylight and practical sources; nothing theatrical."_s,
         u"Cross-cut parallel timelines that tighten like a knot."_s},
        {u"slowColossus"_s, u"Slow Colossus"_s, u"Denis Villeneuve"_s,
         u"Monolithic forms in haze. Humans are small, dwarfed by what they've built or found. Dread arrives at one frame per hour."_s,
         {u"monolithic form in atmospheric haze"_s, u"dust and fog diffusion"_s, u"human figure dwarfed by scale"_s, u"muted monochromatic palette"_s, u"glacial dread"_s},
         u"Glacial push-ins and reveals; speed is vulgar."_s,
         u"Soft, directionless atmosphere; shape with haze, not lamps."_s,
         u"Hold past comfort. Sound design carries the cut."_s},
        {u"restlessWitness"_s, u"Restless Witness"_s, u"Martin Scorsese"_s,
         u"The camera is a participant with an opinion — it rushes to the guilty, whips to the gun, glides through the party it shouldn't be at."_s,
         {u"kinetic tracking through crowded space"_s, u"whip pan urgency"_s, u"push-in on guilt"_s, u"saturated practical neon and tungsten"_s},
         u"Whip pans, crash push-ins, long confident tracks."_s,
         u"Practical bulbs, neon, candles — sources in frame."_s,
         u"Needle-drop energy; freeze frames; cut on impact."_s},
        {u"theReveal"_s, u"The Reveal"_s, u"Steven Spielberg"_s,
         u"Awe is staged: show the face before the thing. Light arrives through doorways and dust. One fluid shot blocks an entire scene."_s,
         {u"slow push-in on awestruck face"_s, u"volumetric light through doorway"_s, u"dust motes in beams"_s, u"warm backlit wonder"_s},
         u"The oner that blocks the scene; push-ins earn the cut to the reveal."_s,
         u"Backlight through atmosphere; flashlights and doorways."_s,
         u"Delay the reveal one beat longer than feels safe."_s},
        {u"visceralGround"_s, u"Visceral Ground"_s, u"Akira Kurosawa"_s,
         u"Embodied cinema — mud, breath, weight. The camera is low, close and in the fray; violence has consequence and stillness has prayer."_s,
         {u"low angle in the action"_s, u"mud rain and breath"_s, u"brutal physical clarity"_s, u"earth tones and firelight"_s},
         u"Handheld inside the chaos; locked and low for the quiet."_s,
         u"Fire, overcast skies, cold dawns."_s,
         u"Fast in violence, reverent in aftermath."_s},
        {u"pulpFrame"_s, u"Pulp Frame"_s, u"Quentin Tarantino"_s,
         u"Dialogue is the action. Low trunk-shot POVs, snap zooms, chapters in ultra-wide — genre worship played completely straight."_s,
         {u"low angle trunk shot POV"_s, u"snap zoom"_s, u"long two-shot dialogue tension"_s, u"saturated pulp color"_s, u"ultra-widescreen chapter framing"_s},
         u"Locked for talk; sudden zooms for punctuation; trunk shots for power."_s,
         u"Bold, saturated, unashamed."_s,
         u"Let dialogue scenes run long, then explode."_s},
        {u"toyLogic"_s, u"Toy Logic"_s, u"Pete Docter / Andrew Stanton"_s,
         u"Sincerity over irony. The camera lives at the character's eye level — even if they're three inches tall — and color is the emotional score."_s,
         {u"camera at small character eye level"_s, u"warm saturated emotional color"_s, u"playful staging"_s, u"squash and stretch energy"_s},
         u"Bouncing, eager moves that share the character's joy."_s,
         u"Sunny key with soft bounce; storybook clarity."_s,
         u"Gag rhythm: setup, build, topper."_s},
        {u"lockedObsession"_s, u"Locked Obsession"_s, u"Darren Aronofsky"_s,
         u"Ritual as montage: tight rhythmic inserts repeat until they hurt. The camera bolts to the body and the world spins around a fixed face."_s,
         {u"camera rigged to body"_s, u"rhythmic extreme close-up inserts"_s, u"repetition ritual montage"_s, u"claustrophobic follow shot behind head"_s},
         u"A rig bolted to the body; tight follows from behind the head while the world spins."_s,
         u"Harsh practicals; fluorescent honesty."_s,
         u"Hip-hop montage — fast ritual cuts repeated like a chorus."_s},
        {u"clinicalPrecision"_s, u"Clinical Precision"_s, u"David Fincher"_s,
         u"Locked, level, perfect. Tungsten interiors against cyan windows. The camera moves only with reason — usually to follow process, not emotion."_s,
         {u"perfectly composed locked frame"_s, u"low-key tungsten interior"_s, u"cyan night windows"_s, u"shallow clinical focus"_s, u"process photographed like ritual"_s},
         u"Motivated micro-moves; never handheld; reframe like a chess clock."_s,
         u"Low-key warm interiors, cool exteriors bleeding in."_s,
         u"Relentless forward pace — trim every breath that doesn't earn rent."_s},
        {u"hazyYouth"_s, u"Hazy Youth"_s, u"Sofia Coppola"_s,
         u"Anamorphic haze and backlit suburbia at dusk. Memory-soft focus, glowing edges — adolescence shot like something already lost."_s,
         {u"anamorphic haze"_s, u"backlit suburban dusk"_s, u"dreamy shallow focus"_s, u"soft halation glow"_s, u"melancholy pastel night"_s},
         u"Slow drifts and parked observation; nothing urgent."_s,
         u"Backlight everything; let windows and streetlamps bloom."_s,
         u"Linger past the moment; cut like memory skips."_s},
        {u"unbrokenBreath"_s, u"Unbroken Breath"_s, u"Alfonso Cuarón / Alejandro G. Iñárritu"_s,
         u"The shot refuses to end. The camera weaves between characters like another body under pressure — naturalism pushed until it feels supernatural."_s,
         {u"unbroken weaving camera among characters"_s, u"naturalistic pressure"_s, u"wide lens immersion"_s, u"continuous choreographed movement"_s},
         u"Choreographed oners; the cut is a failure state."_s,
         u"Available and practical; light must survive 360° staging."_s,
         u"Invisible stitches; rhythm comes from blocking, not cutting."_s},
        {u"mythicSweep"_s, u"Mythic Sweep"_s, u"Peter Jackson"_s,
         u"Geography is character. Sweeping aerials establish the world's scale, then cut to faces that carry its weight. Big emotions, bigger landscapes."_s,
         {u"sweeping aerial over vast landscape"_s, u"epic scale contrast"_s, u"heightened mythic color"_s, u"miniature-rich detail"_s},
         u"Helicopter sweeps, crane reveals, then intimate push-ins."_s,
         u"Storm-light drama; golden valleys; firelit interiors."_s,
         u"Scale contrast cuts — vista to eyeball."_s},
    };
    return rows;
}

const DirectorLens* DirectorLens::find(QStringView id)
{
    for (const DirectorLens& lens : catalog()) {
        if (lens.id == id)
            return &lens;
    }
    return nullptr;
}

} // namespace studio
