#pragma once

// The library the store and start-up benchmarks run against, written into
// the store's folder of the current data location: the three samples over and
// over, and every tenth production a long generated series of a few megabytes.

#include "services/ProjectStore.h"
#include "services/SampleFactory.h"

#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace studio::bench {

using namespace Qt::StringLiterals;

// A long series: 12 episodes of 15 scenes with 10 shots of 3 takes each,
// a full script and cut per episode, and a large cast.
inline Project largeProduction(int index)
{
    Project p = SampleFactory::lighthouse();
    p.id = newId();
    p.name = u"Generated series %1"_s.arg(index);
    p.format = ProjectFormat::series;
    p.modifiedAt = Date(7.0e8 + index);
    for (int i = 0; i < 30; ++i)
        p.idea.cards.append(IdeaCard{.kind = IdeaCardKind::scene, .text = u"Fragment %1 of an idea that grows"_s.arg(i)});
    const CastMember lead = p.cast.first();
    for (int i = 0; i < 18; ++i) {
        CastMember m = lead;
        m.id = newId();
        m.name = u"Character %1"_s.arg(i);
        m.refSeeds = {newSeed(), newSeed()};
        p.cast.append(m);
    }
    const Location set = p.locations.first();
    for (int i = 0; i < 9; ++i) {
        Location l = set;
        l.id = newId();
        l.name = u"Set %1"_s.arg(i);
        p.locations.append(l);
    }

    const Episode pilot = p.episodes.first();
    p.episodes.clear();
    for (int e = 1; e <= 12; ++e) {
        Episode ep;
        ep.number = e;
        ep.title = u"Episode %1"_s.arg(e);
        ep.synopsis = pilot.synopsis;
        ep.structure = StoryStructure{StructureKind::fiveAct, structureTemplate(StructureKind::fiveAct)};
        for (Act& act : ep.structure.acts) {
            for (Beat& beat : act.beats) {
                beat.summary = pilot.structure.acts.first().beats.first().summary;
                beat.charge = 1;
            }
        }
        for (int r = 0; r < 5; ++r)
            ep.script.elements.append(pilot.script.elements);
        for (int s = 0; s < 15; ++s) {
            SceneCard scene = pilot.scenes.at(s % pilot.scenes.size());
            scene.id = newId();
            scene.shots.clear();
            for (int k = 0; k < 10; ++k) {
                Shot shot = pilot.scenes.first().shots.at(k % pilot.scenes.first().shots.size());
                shot.id = newId();
                shot.takes = {Take{.note = u"Take 1"_s}, Take{.note = u"Take 2"_s}, Take{.note = u"Take 3"_s}};
                shot.approvedTakeID = shot.takes.at(1).id;
                scene.shots.append(shot);
                ep.timeline.append(TimelineClip{.shotID = shot.id, .label = u"Shot"_s, .seconds = shot.seconds});
            }
            ep.scenes.append(scene);
        }
        ep.musicCues = pilot.musicCues;
        p.episodes.append(ep);
    }
    return p;
}

struct MixedLibrary {
    QStringList documents; // every project.json, in the order written
    qint64 bytes = 0;
    Project large;         // the first large series
};

// Writes `count` productions; exits the program when one can't be saved.
inline MixedLibrary writeMixedLibrary(int count)
{
    MixedLibrary library;
    ProjectStore store;
    const QList<SampleFactory::Sample>& samples = SampleFactory::registry();
    for (int i = 0; i < count; ++i) {
        Project p = i % 10 == 0 ? largeProduction(i) : samples.at(i % samples.size()).make();
        if (i == 0)
            library.large = p;
        if (!store.save(p)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
            std::exit(1);
        }
        library.documents.append(ProjectStore::folderPath(p.id) + u"/project.json"_s);
        library.bytes += QFileInfo(library.documents.last()).size();
    }
    return library;
}

} // namespace studio::bench
