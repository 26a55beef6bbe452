#pragma once

// A production that uses every record of the document, for codec tests.

#include "model/Project.h"

namespace fixtures {

inline studio::Project richProject()
{
    using namespace studio;
    Project p;
    p.name = QStringLiteral("Salt & Signal");
    p.format = ProjectFormat::series;
    p.createdAt = Date(786297600.123456789);
    p.modifiedAt = Date(786300000.5);
    p.idea.logline = QStringLiteral("A keeper hears the sea answer back.");
    p.idea.genres = {Genre::sciFi, Genre::drama};
    p.idea.tone = ToneProfile{0.8, 0.2, 0.5, 0.9};
    p.idea.themes = {QStringLiteral("memory")};
    p.idea.rating = Rating::pg13;
    p.idea.targetRuntimeMinutes = 22;
    p.idea.cards = {IdeaCard{.kind = IdeaCardKind::line, .text = QStringLiteral("Who's there?")}};

    CastMember eda;
    eda.name = QStringLiteral("Eda");
    eda.look = QStringLiteral("Wiry, rain-soaked coat");
    eda.refSeeds = {newSeed()};
    CastMember tomas;
    tomas.name = QStringLiteral("Tomas");
    tomas.role = CastRole::antagonist;
    eda.relationships = {CastRelationship{.otherID = tomas.id, .label = QStringLiteral("rival")}};
    p.cast = {eda, tomas};

    Location light;
    light.name = QStringLiteral("Lighthouse");
    light.kind = LocationKind::both;
    p.locations = {light};

    p.look.styleID = QStringLiteral("noirMono");
    p.look.lightingMood = {QStringLiteral("Moonlit blue")};
    p.look.grain = 0.7;

    Episode& e = p.episodes.first();
    e.title = QStringLiteral("Episode 1");
    e.structure = StoryStructure{StructureKind::fiveAct,
                                 {Act{.title = QStringLiteral("Teaser"),
                                      .beats = {Beat{.title = QStringLiteral("Cold Open"), .summary = {}, .hint = {}, .charge = -1.0}}}}};
    e.script.elements = {ScriptElement{.kind = ScriptElementKind::sceneHeading, .text = QStringLiteral("INT. LIGHTHOUSE — NIGHT")},
                         ScriptElement{.kind = ScriptElementKind::dialogue, .text = QStringLiteral("Who's there?")}};
    Shot shot;
    shot.size = ShotSize::extremeWide;
    shot.what = QStringLiteral("Eda climbs the stair");
    Take take;
    take.createdAt = Date(786299999.25);
    take.note = QStringLiteral("Take 1");
    shot.takes = {take};
    shot.approvedTakeID = take.id;
    shot.recipeID = QStringLiteral("awePushIn");
    SceneCard scene;
    scene.setting = SceneSetting::interior;
    scene.locationID = light.id;
    scene.timeOfDay = TimeOfDay::night;
    scene.castIDs = {eda.id};
    scene.shots = {shot, Shot{}};
    e.scenes = {scene};
    e.timeline = {TimelineClip{.shotID = shot.id, .label = QStringLiteral("EWS 1"), .seconds = 4.5, .hasDialogue = true},
                  TimelineClip{.shotID = std::nullopt, .label = QStringLiteral("Black")}};
    e.musicCues = {MusicCue{.name = QStringLiteral("Tide"), .mood = QStringLiteral("low drone")}};

    Episode second;
    second.number = 2;
    second.title = QStringLiteral("Episode 2");
    p.episodes.append(second);
    p.completedPhases = {PhaseID::spark, PhaseID::cut};
    p.activePhase = PhaseID::scenes;
    return p;
}

} // namespace fixtures
