#include "model/ShotRecipe.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<ShotRecipe>& ShotRecipe::catalog()
{
    using S = ShotSize;
    using M = CameraMove;
    static const QList<ShotRecipe> rows = {
        {u"doorwaySilhouette"_s, u"Doorway Silhouette"_s, u"John Ford / Roger Deakins"_s, S::wide, M::locked, 6,
         u"figure silhouetted in a bright doorway, surrounded by clean darkness"_s},
        {u"magicHourDrift"_s, u"Magic-Hour Drift"_s, u"Terrence Malick / Emmanuel Lubezki"_s, S::wide, M::track, 8,
         u"floating camera drifts with the subject at golden hour, sun flaring at the horizon"_s},
        {u"awePushIn"_s, u"The Awe Push-In"_s, u"Steven Spielberg"_s, S::mediumClose, M::pushIn, 5,
         u"slow push-in on a face lit with wonder, eyes reflecting something unseen"_s},
        {u"lightThroughDust"_s, u"Light Through Dust"_s, u"Steven Spielberg / Janusz Kamiński"_s, S::wide, M::locked, 6,
         u"volumetric light beams cutting through dust-filled air"_s},
        {u"whipToWitness"_s, u"Whip to Witness"_s, u"Edgar Wright"_s, S::medium, M::whipPan, 3,
         u"fast whip pan landing hard on the subject mid-action"_s},
        {u"theLongWalk"_s, u"The Long Walk"_s, u"Martin Scorsese / Michael Ballhaus"_s, S::full, M::track, 12,
         u"unbroken tracking shot following the subject through a busy living space"_s},
        {u"trunkPOV"_s, u"Trunk POV"_s, u"Quentin Tarantino"_s, S::pov, M::locked, 4,
         u"low trunk-shot POV looking up at characters peering down into frame"_s},
        {u"crackleTwoShot"_s, u"Crackle Two-Shot"_s, u"Sidney Lumet"_s, S::twoShot, M::locked, 10,
         u"two characters held in a tense locked frame as dialogue crackles"_s},
        {u"glacialReveal"_s, u"Glacial Reveal"_s, u"Denis Villeneuve"_s, S::extremeWide, M::pullOut, 10,
         u"vast form revealed through haze as the camera recedes, human figure dwarfed"_s},
        {u"monolithWide"_s, u"Monolith Wide"_s, u"Stanley Kubrick / Denis Villeneuve"_s, S::extremeWide, M::locked, 8,
         u"monumental structure dominating a static frame, figures tiny at its base"_s},
        {u"clinicalFrame"_s, u"Clinical Frame"_s, u"David Fincher"_s, S::medium, M::locked, 6,
         u"perfectly symmetrical locked composition, low-key tungsten against cyan windows"_s},
        {u"bodyMountSpiral"_s, u"Bolted to the Body"_s, u"Darren Aronofsky"_s, S::closeUp, M::handheld, 5,
         u"camera rigged to the character's body, face steady while the world lurches behind"_s},
        {u"ritualInsert"_s, u"Ritual Insert"_s, u"Darren Aronofsky / Edgar Wright"_s, S::insert, M::locked, 2,
         u"rapid rhythmic insert detail, clinical and percussive"_s},
        {u"unbrokenBreath"_s, u"Unbroken Breath"_s, u"Alfonso Cuarón / Emmanuel Lubezki"_s, S::medium, M::track, 15,
         u"camera weaves unbroken among the characters like another body in the room"_s},
        {u"mythicSweep"_s, u"Mythic Sweep"_s, u"Peter Jackson"_s, S::extremeWide, M::aerial, 9,
         u"sweeping aerial across a vast landscape, tiny travelers below"_s},
        {u"hazyBacklight"_s, u"Hazy Backlight"_s, u"Sofia Coppola"_s, S::mediumClose, M::locked, 6,
         u"backlit anamorphic haze, soft halation blooming around the subject, dreamy shallow focus"_s},
        {u"eyeLevelJoy"_s, u"Eye-Level Joy"_s, u"Pete Docter / Andrew Stanton"_s, S::medium, M::track, 6,
         u"camera at the character's own eye level, moving with playful eager energy"_s},
        {u"vertigoPull"_s, u"Vertigo Pull"_s, u"Alfred Hitchcock"_s, S::mediumClose, M::dollyZoom, 4,
         u"dolly zoom — the world stretches behind a steady, sinking face"_s},
    };
    return rows;
}

const ShotRecipe* ShotRecipe::find(QStringView id)
{
    for (const ShotRecipe& recipe : catalog()) {
        if (recipe.id == id)
            return &recipe;
    }
    return nullptr;
}

} // namespace studio
