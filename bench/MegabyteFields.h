#pragma once

// A production with a megabyte of prose in every text field a user writes
// (names, idea, cast and places, story, script, storyboard, timeline labels,
// cues, press kit), each field a text of its own. The deliver screens are
// opened with it to check that what they show of such texts costs what is in
// view, not what is stored.

#include "model/Project.h"

#include <QString>

namespace studio::bench {

inline constexpr qsizetype megabyte = 1'000'000;

// A megabyte of prose: words and sentences, so it wraps at word boundaries.
inline const QString& megabyteOfProse()
{
    static const QString text = [] {
        const QString sentence = QStringLiteral(
            "The keeper climbs the spiral stair with the lamp oil, counting every step aloud while the storm "
            "presses the glass. ");
        return sentence.repeated(megabyte / sentence.size() + 1).left(megabyte);
    }();
    return text;
}

// `project` with every text field holding its own megabyte.
inline Project megabyteInEveryField(Project p)
{
    qsizetype count = 0;
    // Each field its own text (a shared one would be compared and measured
    // once for all).
    const auto fill = [&count](QString& field) {
        field = QString::number(++count) + QLatin1Char(' ') + megabyteOfProse().left(megabyte - 8);
    };
    fill(p.name);
    fill(p.idea.logline);
    fill(p.idea.premise);
    fill(p.idea.argument);
    fill(p.idea.pressKit);
    for (IdeaCard& card : p.idea.cards)
        fill(card.text);
    for (CastMember& m : p.cast) {
        for (QString* f : {&m.name, &m.archetype, &m.age, &m.bio, &m.want, &m.need, &m.flaw, &m.lie,
                           &m.contradiction, &m.voice, &m.tells, &m.look, &m.wardrobe})
            fill(*f);
    }
    for (Location& l : p.locations) {
        for (QString* f : {&l.name, &l.era, &l.mood, &l.look, &l.sound})
            fill(*f);
    }
    fill(p.look.notes);
    for (Episode& e : p.episodes) {
        fill(e.title);
        fill(e.synopsis);
        for (Act& act : e.structure.acts) {
            fill(act.title);
            for (Beat& beat : act.beats) {
                fill(beat.title);
                fill(beat.summary);
            }
        }
        for (ScriptElement& element : e.script.elements)
            fill(element.text);
        for (SceneCard& scene : e.scenes) {
            fill(scene.locationText);
            fill(scene.synopsis);
            for (Shot& shot : scene.shots) {
                fill(shot.what);
                fill(shot.dialogue);
            }
        }
        for (TimelineClip& clip : e.timeline)
            fill(clip.label);
        for (MusicCue& cue : e.musicCues) {
            fill(cue.name);
            fill(cue.mood);
        }
    }
    return p;
}

} // namespace studio::bench
