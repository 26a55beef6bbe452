#include "model/CraftKits.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

template <class Row>
const Row* findById(const QList<Row>& rows, QStringView id)
{
    for (const Row& row : rows) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

} // namespace

const QStringList& InterrogationDeck::questions()
{
    static const QStringList list = {
        u"What does your protagonist lie to themselves about every morning?"_s,
        u"What's in the first frame that's also in the last — changed?"_s,
        u"Who gets hurt if the hero gets exactly what they want?"_s,
        u"What does this world smell like? When does that smell change?"_s,
        u"Which scene would you shoot if you could only afford one?"_s,
        u"What line would the trailer use — and why is it secretly a lie?"_s,
        u"What sound recurs until it means something else?"_s,
        u"Whose story is this if the protagonist dies in act two?"_s,
        u"What rule does this world enforce that ours doesn't?"_s,
        u"What's the most expensive thing on screen — and the cheapest thing that matters more?"_s,
        u"When does the audience know before the character? How long do you make them sit with it?"_s,
        u"What would the villain's version of this logline say?"_s,
        u"What object passes between characters, and what does it carry?"_s,
        u"Which moment must be completely silent?"_s,
        u"What's funny about your tragedy? What's tragic about your comedy?"_s,
        u"Where does the money, food or water come from in this world?"_s,
        u"What does the protagonist do with their hands when they're afraid?"_s,
        u"What's the last image you want the audience describing to a friend tomorrow?"_s,
        u"Which character would the camera follow home after the credits?"_s,
        u"What promise does minute one make that the last minute must keep?"_s,
        u"What's forbidden in this story's world — and who profits from the ban?"_s,
        u"If the theme is true, who in the story still loses?"_s,
    };
    return list;
}

const QList<CharacterStarter>& CharacterStarter::catalog()
{
    static const QList<CharacterStarter> rows = {
        {u"reluctantMentor"_s, u"The Reluctant Mentor"_s, u"The Mentor"_s,
         u"To be left alone with their regrets."_s,
         u"To pass on what they know before it dies with them."_s,
         u"Teaches through cruelty because kindness once cost them everything."_s,
         u"\"The student will only repeat my failure.\""_s,
         u"Brutal in lessons, secretly keeps every student's first attempt."_s,
         u"Corrects other people's work with their hands without asking."_s},
        {u"charmingLiar"_s, u"The Charming Liar"_s, u"The Trickster"_s,
         u"To talk their way into the room where it happens."_s,
         u"To be known truthfully by one single person."_s,
         u"Lies even when the truth would serve them better."_s,
         u"\"If they knew the real me, they'd leave.\""_s,
         u"Lies about everything except the one thing that could ruin them."_s,
         u"Touches their own wrist when a lie lands; can't help smiling at a good one."_s},
        {u"trueBeliever"_s, u"The True Believer"_s, u"The Zealot"_s,
         u"To see the cause win at any cost."_s,
         u"To learn the cause was built to use people exactly like them."_s,
         u"Mistakes loyalty for virtue."_s,
         u"\"Doubt is betrayal.\""_s,
         u"Breaks the doctrine's small rules constantly, defends its big ones violently."_s,
         u"Quotes scripture or slogans when frightened; voice drops when reciting."_s},
        {u"quietPowerhouse"_s, u"The Quiet Powerhouse"_s, u"The Stoic"_s,
         u"To keep everyone fed, safe and unaware of the cost."_s,
         u"To let someone carry them for once."_s,
         u"Confuses silence with strength."_s,
         u"\"If I stop, everything falls.\""_s,
         u"Can lift anything except the phone to ask for help."_s,
         u"Tidies the room when conversations get emotional."_s},
        {u"goldenChild"_s, u"The Golden Child"_s, u"The Prodigy"_s,
         u"One more win, one more record, one more nod."_s,
         u"To find out who they are when they lose."_s,
         u"Outsources their self-worth to scoreboards."_s,
         u"\"I am the streak.\""_s,
         u"Fearless in competition, terrified of unstructured Sunday afternoons."_s,
         u"Practices acceptance speeches in mirrors; re-laces shoes that are already laced."_s},
        {u"theGhost"_s, u"The Ghost"_s, u"The Haunted"_s,
         u"To make quiet amends without ever being recognized."_s,
         u"To say the name of what they did out loud."_s,
         u"Treats penance as a debt that can be paid anonymously."_s,
         u"\"Disappearing is the kindest thing I can do.\""_s,
         u"Avoids all attachment, remembers everyone's birthdays."_s,
         u"Sits facing exits; flinches at their old name."_s},
        {u"theFixer"_s, u"The Fixer"_s, u"The Operator"_s,
         u"To solve the problem before anyone admits it exists."_s,
         u"To sit inside a problem they cannot fix."_s,
         u"Sees people as situations to be managed."_s,
         u"\"Feelings are just problems that haven't been organized yet.\""_s,
         u"Cleans up everyone's catastrophes, lives out of unpacked boxes."_s,
         u"Answers questions with logistics; checks the time when comforted."_s},
        {u"wildCard"_s, u"The Wild Card"_s, u"The Free Spirit"_s,
         u"To keep every door open forever."_s,
         u"To choose one thing and survive the closing of the others."_s,
         u"Mistakes motion for freedom."_s,
         u"\"Commitment is where people go to die.\""_s,
         u"Owns nothing but keeps one box of objects they'd run into fire for."_s,
         u"Makes jokes at the exact wrong moment; goes still when truly happy."_s},
    };
    return rows;
}

const CharacterStarter* CharacterStarter::find(QStringView id)
{
    return findById(catalog(), id);
}

CastMember CastMember::from(const CharacterStarter& starter)
{
    CastMember m;
    m.name = starter.label;
    m.role = CastRole::support;
    m.archetype = starter.archetype;
    m.want = starter.want;
    m.need = starter.need;
    m.flaw = starter.flaw;
    m.lie = starter.lie;
    m.contradiction = starter.contradiction;
    m.tells = starter.tells;
    return m;
}

Shot CoveragePack::PackShot::makeShot() const
{
    Shot shot;
    shot.size = size;
    shot.move = move;
    shot.seconds = seconds;
    shot.what = what;
    return shot;
}

const QList<CoveragePack>& CoveragePack::catalog()
{
    using S = ShotSize;
    using M = CameraMove;
    static const QList<CoveragePack> rows = {
        {u"dialogue"_s, u"Dialogue Scene"_s, u"Master, opposing overs, and the close-up you save for the turn."_s,
         {{S::twoShot, M::locked, 8, u"Master two-shot — hold the geography of the conversation"_s},
          {S::overShoulder, M::locked, 6, u"Over A's shoulder onto B"_s},
          {S::overShoulder, M::locked, 6, u"Over B's shoulder onto A"_s},
          {S::closeUp, M::pushIn, 5, u"Close-up saved for the line that changes things"_s}}},
        {u"establish"_s, u"Establish & Enter"_s, u"Where we are, who's arriving, why it matters."_s,
         {{S::extremeWide, M::locked, 7, u"Establishing — the place breathes before anyone speaks"_s},
          {S::wide, M::pushIn, 5, u"Approach — the subject enters the geography"_s},
          {S::medium, M::track, 6, u"Arrival — moving with them into the scene"_s}}},
        {u"action"_s, u"Action Beat"_s, u"Orientation, impact, detail, consequence."_s,
         {{S::wide, M::handheld, 4, u"Orient — the whole collision in one frame"_s},
          {S::medium, M::whipPan, 3, u"Impact — whip to the moment of contact"_s},
          {S::insert, M::locked, 2, u"Detail — the object that decides the outcome"_s},
          {S::closeUp, M::handheld, 3, u"Consequence — a face pays for what just happened"_s}}},
        {u"quiet"_s, u"Quiet Moment"_s, u"Hold wide, earn the face, end on the object that means more."_s,
         {{S::wide, M::locked, 8, u"Held wide — let the stillness do the talking"_s},
          {S::closeUp, M::locked, 6, u"The face, unhurried"_s},
          {S::insert, M::pushIn, 4, u"The object that carries the feeling"_s}}},
        {u"reveal"_s, u"The Reveal"_s, u"Face first, thing second — awe is staged in that order."_s,
         {{S::mediumClose, M::pushIn, 5, u"The face that sees it — wonder arrives before the cut"_s},
          {S::extremeWide, M::locked, 8, u"What they see — scale lands because we waited"_s}}},
    };
    return rows;
}

const CoveragePack* CoveragePack::find(QStringView id)
{
    return findById(catalog(), id);
}

} // namespace studio
