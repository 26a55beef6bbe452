// The built-in acts and beats of the eight story engines.

#include "model/Story.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct BeatText {
    QString title;
    QString hint;
};

struct ActText {
    QString title;
    QList<BeatText> beats;
};

using Template = QList<ActText>;

const Template& textsOf(StructureKind kind)
{
    static const Template threeAct = {
        {u"Act I — Setup"_s,
         {{u"Opening Image"_s, u"The single frame that shows the world before anything changes."_s},
          {u"The Hook"_s, u"Why can't we look away in the first two minutes?"_s},
          {u"Inciting Incident"_s, u"The knock on the door that can never be un-knocked."_s},
          {u"First Turning Point"_s, u"Your hero chooses. What can they never take back?"_s}}},
        {u"Act II — Confrontation"_s,
         {{u"Rising Stakes"_s, u"What gets harder? Who starts to doubt?"_s},
          {u"Midpoint Shift"_s, u"Flip the game — a false victory or a true loss."_s},
          {u"The Squeeze"_s, u"Allies fall away. The plan stops working."_s},
          {u"All Is Lost"_s, u"Take the thing they love most. What's left?"_s}}},
        {u"Act III — Resolution"_s,
         {{u"The Climax"_s, u"The want and the wound collide. Who do they choose to be?"_s},
          {u"Aftermath"_s, u"Show the new world breathing."_s},
          {u"Final Image"_s, u"Answer the opening image. What changed in the frame?"_s}}},
    };
    static const Template fiveAct = {
        {u"Teaser"_s,
         {{u"Cold Open"_s, u"Start mid-heartbeat. What question does minute one ask?"_s},
          {u"The Question"_s, u"Name the episode's engine in one line."_s}}},
        {u"Act One"_s,
         {{u"Status Quo"_s, u"What does 'normal' cost these people?"_s},
          {u"Disruption"_s, u"What breaks routine — and who benefits?"_s}}},
        {u"Act Two"_s,
         {{u"Pursuit"_s, u"The chase is on. What's the first wrong assumption?"_s},
          {u"Complication"_s, u"The fix makes it worse. How?"_s}}},
        {u"Act Three"_s,
         {{u"Reversal"_s, u"Someone we trust turns, or a truth inverts."_s},
          {u"Lowest Point"_s, u"End the act on the sharpest cliff."_s}}},
        {u"Act Four"_s,
         {{u"Final Push"_s, u"Spend every setup you planted."_s},
          {u"Resolution & Hook"_s, u"Close this door; crack the next one open."_s}}},
    };
    static const Template heroJourney = {
        {u"Departure"_s,
         {{u"Ordinary World"_s, u"What's comfortable — and what's quietly missing?"_s},
          {u"Call to Adventure"_s, u"What invitation scares them most?"_s},
          {u"Refusal & Mentor"_s, u"Why do they say no — and who won't accept it?"_s},
          {u"Crossing the Threshold"_s, u"One step they can't walk back. Make it physical."_s}}},
        {u"Initiation"_s,
         {{u"Trials & Allies"_s, u"Three tests. Who joins? Who watches?"_s},
          {u"Approach the Cave"_s, u"Dread builds. What do they almost turn back from?"_s},
          {u"The Ordeal"_s, u"Face the death — literal, or of the old self."_s},
          {u"The Reward"_s, u"What do they seize, and what does it cost?"_s}}},
        {u"Return"_s,
         {{u"The Road Back"_s, u"The world demands payment for the prize."_s},
          {u"Resurrection"_s, u"The final test: prove the change is real."_s},
          {u"Return with the Elixir"_s, u"What do they bring home that heals others?"_s}}},
    };
    static const Template beatSheet = {
        {u"Act I"_s,
         {{u"Opening Image"_s, u"A snapshot of the 'before'. Make it rhyme with the end."_s},
          {u"Theme Stated"_s, u"Someone says the lesson out loud. The hero isn't ready to hear it."_s},
          {u"Set-Up"_s, u"Plant every character, tic and prop you'll pay off later."_s},
          {u"Catalyst"_s, u"The telegram, the diagnosis, the knock. Life changes."_s},
          {u"Debate"_s, u"Can I? Should I? Let them squirm."_s}}},
        {u"Act II"_s,
         {{u"Break Into Two"_s, u"The hero chooses the adventure. New world, new rules."_s},
          {u"B Story"_s, u"The relationship that carries the theme."_s},
          {u"Fun and Games"_s, u"The promise of the premise — why the poster exists."_s},
          {u"Midpoint"_s, u"False peak or false collapse. Stakes go public."_s},
          {u"Bad Guys Close In"_s, u"External pressure tightens; internal doubt festers."_s},
          {u"All Is Lost"_s, u"The whiff of death. Old world gone, new one not yet won."_s},
          {u"Dark Night of the Soul"_s, u"Sit in the ashes. Let it hurt."_s}}},
        {u"Act III"_s,
         {{u"Break Into Three"_s, u"The theme clicks. A and B stories fuse into the answer."_s},
          {u"Finale"_s, u"Storm the castle with everything learned."_s},
          {u"Final Image"_s, u"The opening image, transformed."_s}}},
    };
    static const Template sitcom = {
        {u"Cold Open"_s,
         {{u"The Hook Gag"_s, u"A laugh in 30 seconds that tells us exactly who these people are."_s}}},
        {u"Act One"_s,
         {{u"A-Plot Setup"_s, u"The lead wants something small and goes about it catastrophically."_s},
          {u"B-Plot Setup"_s, u"A second engine with opposite energy."_s},
          {u"The Complication"_s, u"The lie, scheme or plan doubles down."_s}}},
        {u"Act Two"_s,
         {{u"Escalation"_s, u"Dig the hole deeper, faster."_s},
          {u"A/B Plots Collide"_s, u"Both engines crash into the same room."_s},
          {u"The Unraveling"_s, u"Everything exposed — in front of the worst possible audience."_s},
          {u"Resolution"_s, u"Back to normal, but a little dented."_s}}},
        {u"Tag"_s,
         {{u"The Button"_s, u"One last gag that recontextualizes the half hour."_s}}},
    };
    static const Template anthologyTale = {
        {u"The Frame"_s,
         {{u"Wraparound Opening"_s, u"Who tells this tale — and why tonight?"_s},
          {u"Into the Tale"_s, u"Cross from teller to told. Change the light."_s}}},
        {u"The Tale"_s,
         {{u"A World & A Want"_s, u"A stranger, a desire, a rule that must not be broken."_s},
          {u"The Bargain"_s, u"They break the rule. It works… at first."_s},
          {u"The Turn"_s, u"The price reveals itself."_s}}},
        {u"The Sting"_s,
         {{u"Twist Revealed"_s, u"The reveal the audience retells tomorrow."_s},
          {u"Frame Close"_s, u"Return to the teller. Their smile says too much."_s}}},
    };
    static const Template storyCircle = {
        {u"Order"_s,
         {{u"You"_s, u"Establish comfort. Whose shoes are we in?"_s},
          {u"Need"_s, u"Something's off. Name the hunger."_s}}},
        {u"Descent"_s,
         {{u"Go"_s, u"Cross into the unfamiliar situation."_s},
          {u"Search"_s, u"Adapt. Fumble. Learn the new rules."_s}}},
        {u"Chaos"_s,
         {{u"Find"_s, u"They get what they wanted…"_s},
          {u"Take"_s, u"…and pay a heavy price for it."_s}}},
        {u"Ascent"_s,
         {{u"Return"_s, u"Head back to the familiar, changed."_s},
          {u"Change"_s, u"Prove it: they now master what once broke them."_s}}},
    };
    static const Template kishotenketsu = {
        {u"Ki — Introduction"_s,
         {{u"The Everyday"_s, u"Begin in peace. Weather, meals, small kindnesses."_s},
          {u"Texture & Ritual"_s, u"Let us live their routine until we love it."_s}}},
        {u"Shō — Development"_s,
         {{u"Deepening"_s, u"Grow the world sideways — no conflict required."_s},
          {u"A Quiet Thread"_s, u"Plant a detail that seems like scenery."_s}}},
        {u"Ten — The Turn"_s,
         {{u"The Unexpected Angle"_s,
           u"Recontextualize everything with one turn — not a clash, a revelation."_s}}},
        {u"Ketsu — Conclusion"_s,
         {{u"Reframe"_s, u"Show the everyday again, transformed by what we now know."_s},
          {u"Rest"_s, u"End on breath, not bang."_s}}},
    };

    switch (kind) {
    case StructureKind::threeAct: return threeAct;
    case StructureKind::fiveAct: return fiveAct;
    case StructureKind::heroJourney: return heroJourney;
    case StructureKind::beatSheet: return beatSheet;
    case StructureKind::sitcom: return sitcom;
    case StructureKind::anthologyTale: return anthologyTale;
    case StructureKind::storyCircle: return storyCircle;
    case StructureKind::kishotenketsu: return kishotenketsu;
    }
    return threeAct;
}

} // namespace

QList<Act> structureTemplate(StructureKind kind)
{
    QList<Act> acts;
    for (const ActText& actText : textsOf(kind)) {
        Act act;
        act.title = actText.title;
        for (const BeatText& beatText : actText.beats) {
            Beat beat;
            beat.title = beatText.title;
            beat.hint = beatText.hint;
            act.beats.append(beat);
        }
        acts.append(act);
    }
    return acts;
}

} // namespace studio
