#pragma once

// A feature film at its real size, for the benchmarks: one episode with a
// long screenplay in the usual mix of headings, action, speakers,
// parentheticals, dialogue and transitions; scenes of six shots (some with
// takes) and a clip per shot on the timeline; music cues; a large cast bound
// by relationships; locations; idea cards and a complete look. Every id and
// seed comes from one fixed-seed generator, so every run builds the same
// production.

#include "model/LookCatalogs.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <array>
#include <cstdint>
#include <random>

namespace studio::bench {

struct FeatureScale {
    int scriptElements = 2400;
    int scenes = 110;
    int shotsPerScene = 6;
    int cast = 40;
    int locations = 25;
    int ideaCards = 60;
    int musicCues = 24;

    // The production pushed past any real film: a script of about eight
    // hundred pages and a board of thousands of fragments.
    static FeatureScale stress()
    {
        FeatureScale s;
        s.scriptElements = 20000;
        s.ideaCards = 3000;
        return s;
    }
};

namespace feature_detail {

using namespace Qt::StringLiterals;

class Draws {
public:
    explicit Draws(std::uint64_t seed)
        : m_engine(seed)
    {
    }
    std::uint64_t next() { return m_engine(); }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <class List>
    const auto& pick(const List& list)
    {
        return list[below(int(std::size(list)))];
    }
    QUuid id()
    {
        const std::uint64_t a = next();
        const std::uint64_t b = next();
        std::array<char, 16> bytes;
        for (int i = 0; i < 8; ++i) {
            bytes[std::size_t(i)] = char(a >> (8 * i));
            bytes[std::size_t(i + 8)] = char(b >> (8 * i));
        }
        // A well-formed random (version 4) identifier.
        bytes[6] = char((bytes[6] & 0x0F) | 0x40);
        bytes[8] = char((bytes[8] & 0x3F) | 0x80);
        return QUuid::fromRfc4122(QByteArrayView(bytes.data(), 16));
    }
    QString seed() { return uuidString(id()); }

private:
    std::mt19937_64 m_engine;
};

inline const QStringList& firstNames()
{
    static const QStringList names = {u"Mara"_s,  u"Theo"_s,  u"Ines"_s,  u"Jonah"_s, u"Ada"_s,
                                      u"Felix"_s, u"Ruth"_s,  u"Caleb"_s, u"Noor"_s,  u"Silas"_s,
                                      u"Vera"_s,  u"Otto"_s,  u"Lena"_s,  u"Amos"_s,  u"Iris"_s,
                                      u"Hugo"_s,  u"Nell"_s,  u"Rafe"_s,  u"Dora"_s,  u"Ezra"_s};
    return names;
}

inline const QStringList& places()
{
    static const QStringList names = {
        u"Harbor"_s,        u"Lamp Room"_s,      u"Keeper's Cottage"_s, u"Fish Market"_s, u"Chapel"_s,
        u"Coast Road"_s,    u"Radio Shack"_s,    u"Ferry Deck"_s,       u"Cannery"_s,     u"Cliff Path"_s,
        u"Boat Shed"_s,     u"Post Office"_s,    u"Pub"_s,              u"Tide Pools"_s,  u"Station"_s,
        u"Village Hall"_s,  u"Salt Flats"_s,     u"Quarry"_s,           u"Greenhouse"_s,  u"School"_s,
        u"Breakwater"_s,    u"Harbormaster's"_s, u"Dunes"_s,            u"Attic"_s,       u"Bus Shelter"_s};
    return names;
}

inline const QStringList& actionLines()
{
    static const QStringList lines = {
        u"Rain hammers the pier. A net comes over the rail, empty again, and is thrown down hard."_s,
        u"The beam of the lighthouse sweeps across the water and, for a moment, finds a small boat where none should be."_s,
        u"She crosses to the window. Below, the village lights go out one by one."_s,
        u"A kettle screams on the stove. Nobody moves to take it off."_s,
        u"He unfolds the chart on the table, weighs its corners with a mug, a knife, a stone and a photograph."_s,
        u"Gulls wheel over the cannery roof."_s,
        u"The radio crackles, a voice half lost in the static, then nothing."_s,
        u"They walk in silence along the cliff path, the wind pulling at their coats."_s,
        u"A door bangs somewhere below. Footsteps on the iron stair, slow, coming up."_s,
        u"Morning. Fog sits on the harbor so thick the boats are only sounds."_s,
    };
    return lines;
}

inline const QStringList& dialogueLines()
{
    static const QStringList lines = {
        u"Twelve years and it still comes back empty on a night like this."_s,
        u"Then stop going out on nights like this."_s,
        u"You heard it too. Don't tell me you didn't."_s,
        u"The light has to turn. Whatever else happens, the light has to turn."_s,
        u"I kept every letter. I never opened one."_s,
        u"No."_s,
        u"If the ferry doesn't come by Thursday we go over the causeway, tide or no tide."_s,
        u"She knew. That's what I can't forgive, that she knew and she let me keep looking."_s,
        u"Give me the key."_s,
        u"It's not the sea I'm afraid of. It's what it gives back."_s,
    };
    return lines;
}

inline const QStringList& parentheticals()
{
    static const QStringList lines = {u"(to herself)"_s, u"(quietly)"_s, u"(beat)"_s, u"(not looking up)"_s,
                                      u"(into the radio)"_s, u"(O.S.)"_s};
    return lines;
}

inline const QStringList& transitions()
{
    static const QStringList lines = {u"CUT TO:"_s, u"DISSOLVE TO:"_s, u"SMASH CUT TO:"_s, u"MATCH CUT TO:"_s};
    return lines;
}

inline const QStringList& shotActions()
{
    static const QStringList lines = {
        u"The lamp turning, seen from below"_s, u"Hands hauling a wet rope"_s,     u"A face lit by the beam, then dark"_s,
        u"The boat at the edge of the fog"_s,   u"Rain on the window, the room behind"_s,
        u"Two figures on the breakwater"_s,     u"The radio dial, a needle trembling"_s,
        u"Boots on the iron stair"_s,
    };
    return lines;
}

// The screenplay: a heading opens each scene (scenes spread evenly over the
// length), then action and exchanges of speaker, an occasional
// parenthetical and the line, with a transition now and then before the
// next heading.
inline QList<ScriptElement> script(Draws& d, int count, int scenes, const QStringList& speakers,
                                   const QList<SceneCard>& cards, const QList<Location>& locations)
{
    QList<ScriptElement> out;
    out.reserve(count);
    const auto add = [&](ScriptElementKind kind, const QString& text) {
        if (out.size() < count)
            out.append(ScriptElement{.id = d.id(), .kind = kind, .text = text});
    };
    const int perScene = std::max(2, count / std::max(1, scenes));
    int scene = 0;
    while (out.size() < count) {
        const SceneCard& card = cards.at(scene % cards.size());
        add(ScriptElementKind::sceneHeading, card.slug(locations));
        ++scene;
        const qsizetype end = std::min<qsizetype>(count, out.size() + perScene - 1);
        while (out.size() < end) {
            if (d.chance(35)) {
                add(ScriptElementKind::action, d.pick(actionLines()));
                continue;
            }
            add(ScriptElementKind::character, d.pick(speakers));
            if (d.chance(15))
                add(ScriptElementKind::parenthetical, d.pick(parentheticals()));
            add(ScriptElementKind::dialogue, d.pick(dialogueLines()));
        }
        if (d.chance(30))
            add(ScriptElementKind::transition, d.pick(transitions()));
    }
    return out;
}

} // namespace feature_detail

inline Project featureProduction(const FeatureScale& scale = {})
{
    using namespace Qt::StringLiterals;
    using feature_detail::Draws;
    Draws d(0x5EED'F11Eu);

    Project p;
    p.id = d.id();
    p.name = u"The Keeper's Daughter"_s;
    p.format = ProjectFormat::feature;
    p.createdAt = Date(7.0e8);
    p.modifiedAt = Date(7.1e8);
    p.posterSeed = d.seed();
    p.activePhase = PhaseID::script;
    p.completedPhases = {PhaseID::spark, PhaseID::story, PhaseID::cast};

    ProjectIdea& idea = p.idea;
    idea.logline = u"When the last keeper of a failing lighthouse sees a boat that sank twenty years ago, his "
                   u"daughter must decide whether to save him or the village that wants the light gone."_s;
    idea.premise = u"Grief keeps the light turning long after anyone needs it."_s;
    idea.argument = u"Letting go is not the same as forgetting."_s;
    idea.genres = {Genre::drama, Genre::mystery};
    idea.tone = ToneProfile{.brightness = 0.72, .realism = 0.8, .energy = 0.35, .humor = 0.2};
    idea.themes = {u"grief"_s, u"duty"_s, u"inheritance"_s, u"the sea"_s};
    idea.rating = Rating::pg13;
    idea.targetRuntimeMinutes = 118;
    idea.pressKit = u"A storm-bound drama about a family and the light they cannot put out."_s;
    const QList<IdeaCardKind> kinds = allCases<IdeaCardKind>();
    for (int i = 0; i < scale.ideaCards; ++i)
        idea.cards.append(IdeaCard{.id = d.id(),
                                   .kind = kinds.at(i % kinds.size()),
                                   .text = u"Fragment %1: %2"_s.arg(i + 1).arg(d.pick(feature_detail::shotActions()))});

    const QList<CastRole> roles = allCases<CastRole>();
    QStringList speakers;
    for (int i = 0; i < scale.cast; ++i) {
        const QString& first = feature_detail::firstNames().at(i % feature_detail::firstNames().size());
        const QString name = i < feature_detail::firstNames().size() ? first : u"%1 %2"_s.arg(first).arg(i);
        CastMember m{.id = d.id(), .name = name, .role = i < 3 ? CastRole::lead : roles.at(1 + i % (roles.size() - 1))};
        m.archetype = u"The Keeper"_s;
        m.age = QString::number(20 + i % 50);
        m.bio = u"Grew up on the point; has never spent a night away from the sound of the sea."_s;
        m.want = u"To keep the light burning"_s;
        m.need = u"To let the dead rest"_s;
        m.flaw = u"Stubborn past reason"_s;
        m.look = u"weathered oilskin, grey stubble, pale blue eyes"_s;
        m.wardrobe = u"heavy knit jumper, sea boots"_s;
        m.portraitSeed = d.seed();
        m.refSeeds = {d.seed(), d.seed()};
        p.cast.append(m);
        if (i < 12)
            speakers << name.toUpper();
    }
    // Each member knows the next two: a web, not a list.
    for (int i = 0; i < p.cast.size(); ++i) {
        for (int k = 1; k <= 2; ++k) {
            const CastMember& other = p.cast.at((i + k) % p.cast.size());
            p.cast[i].relationships.append(CastRelationship{
                .id = d.id(), .otherID = other.id, .label = k == 1 ? u"sibling"_s : u"old rival"_s});
        }
    }

    const QList<LocationKind> locationKinds = allCases<LocationKind>();
    for (int i = 0; i < scale.locations; ++i) {
        const QString& place = feature_detail::places().at(i % feature_detail::places().size());
        p.locations.append(Location{.id = d.id(),
                                    .name = i < feature_detail::places().size() ? place : u"%1 %2"_s.arg(place).arg(i),
                                    .kind = locationKinds.at(i % locationKinds.size()),
                                    .era = u"1970s"_s,
                                    .mood = u"salt-worn, wind-loud"_s,
                                    .look = u"sodium light on wet stone"_s,
                                    .sound = u"surf, gulls, a generator"_s,
                                    .artSeed = d.seed()});
    }

    LookSpec& look = p.look;
    look.styleID = StylePreset::catalog().at(1).id;
    look.directorLensID = DirectorLens::catalog().at(2).id;
    look.aspect = AspectRatio::scope239;
    look.frameRate = FrameRate::f24;
    look.lensFeel = LookChoices::lensFeels().mid(0, 2);
    look.lightingMood = LookChoices::lightingMoods().mid(1, 2);
    look.moodWords = {u"brooding"_s, u"tidal"_s, u"tender"_s};
    look.accentHex = LookChoices::accentSwatches().at(3);
    look.notes = u"Keep the lamp the brightest thing in every frame."_s;
    look.grain = 0.65;
    look.temperature = 0.35;
    look.contrast = 0.7;

    Episode& ep = p.episodes.first();
    ep.id = d.id();
    ep.title = p.name;
    ep.synopsis = idea.logline;
    ep.structure.kind = StructureKind::threeAct;
    ep.structure.acts = structureTemplate(StructureKind::threeAct);
    for (Act& act : ep.structure.acts) {
        act.id = d.id();
        for (Beat& beat : act.beats) {
            beat.id = d.id();
            beat.summary = d.pick(feature_detail::actionLines());
            beat.charge = d.chance(50) ? 1 : -1;
        }
    }

    const QList<ShotSize> sizes = allCases<ShotSize>();
    const QList<CameraMove> moves = allCases<CameraMove>();
    const QList<TimeOfDay> times = allCases<TimeOfDay>();
    for (int s = 0; s < scale.scenes; ++s) {
        SceneCard scene{.id = d.id()};
        const Location& where = p.locations.at(d.below(int(p.locations.size())));
        scene.setting = where.kind == LocationKind::exterior ? SceneSetting::exterior : SceneSetting::interior;
        scene.locationID = where.id;
        scene.timeOfDay = times.at(d.below(int(times.size())));
        scene.synopsis = d.pick(feature_detail::actionLines());
        for (int c = 0; c < 3 && !p.cast.isEmpty(); ++c)
            scene.castIDs.append(p.cast.at((s + c * 7) % p.cast.size()).id);
        for (int k = 0; k < scale.shotsPerScene; ++k) {
            Shot shot{.id = d.id(),
                      .size = sizes.at(d.below(int(sizes.size()))),
                      .move = moves.at(d.below(int(moves.size()))),
                      .seconds = 2.0 + d.below(9),
                      .what = d.pick(feature_detail::shotActions()),
                      .dialogue = d.chance(30) ? d.pick(feature_detail::dialogueLines()) : QString(),
                      .frameSeed = d.seed()};
            // About a third of the shots have been rendered, half of those approved.
            if (d.chance(35)) {
                for (int t = 0, n = 1 + d.below(3); t < n; ++t)
                    shot.takes.append(Take{.id = d.id(), .createdAt = Date(7.05e8 + t), .seed = d.seed(),
                                           .note = u"Take %1"_s.arg(t + 1)});
                if (d.chance(50))
                    shot.approvedTakeID = shot.takes.last().id;
            }
            ep.timeline.append(TimelineClip{.id = d.id(),
                                            .shotID = shot.id,
                                            .label = shot.what,
                                            .seconds = shot.seconds,
                                            .seed = shot.bestSeed(),
                                            .hasDialogue = !shot.dialogue.isEmpty()});
            scene.shots.append(shot);
        }
        ep.scenes.append(scene);
    }
    for (int i = 0; i < scale.musicCues; ++i)
        ep.musicCues.append(MusicCue{.id = d.id(), .name = u"Cue %1M%2"_s.arg(1 + i / 8).arg(1 + i % 8),
                                     .mood = i % 2 ? u"low strings, tidal"_s : u"solo piano, sparse"_s});

    ep.script.elements = feature_detail::script(d, scale.scriptElements, scale.scenes, speakers, ep.scenes, p.locations);
    return p;
}

// A production's (first episode's) screenplay as plain text, one element a
// line: what a bare text editor is given as the floor of the screen
// benchmarks.
inline QString scriptText(const Project& p)
{
    QStringList lines;
    for (const ScriptElement& e : p.episodes.first().script.elements)
        lines << e.text;
    return lines.join(u'\n');
}

} // namespace studio::bench
