#pragma once

// A production: the root record of everything the studio keeps about one
// film, series or other format, and the root of its JSON document.
//
// New records. Every record of the model is a plain value whose default
// construction makes a *new* record: fields whose new value is "fresh" draw
// it in their default member initialiser (ids from newId(), seeds from
// newSeed(), creation dates from Date::now()). So `Shot{}` is a new shot with
// its own id and frame seed, and `Project{}` (or Project::make()) is a new
// production with the defaults of a fresh one. Decoders never start from a
// default record: each fromJson names every field in a designated initialiser,
// so no default member initialiser runs and a fresh value is drawn only where
// a lenient key is missing (lenientWith). The initialisers run in member order,
// which is the key order, so the first bad key is the one reported. A field
// left out would silently take its new-record default: name every field.
//
// JSON. Each record reads itself strictly (every key required), leniently
// (a missing or null key takes the new record's value) or with optional keys
// (missing or null is "absent"), as noted at each fromJson. Wrong JSON types,
// unknown enumeration strings and malformed UUIDs fail the whole document.

#include "model/Board.h"
#include "model/Cast.h"
#include "model/Date.h"
#include "model/Enums.h"
#include "model/Json.h"
#include "model/Look.h"
#include "model/Script.h"
#include "model/Story.h"
#include "model/Timeline.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace studio {

// Four dials from 0 to 1. A high brightness means a dark tone.
struct ToneProfile {
    double brightness = 0.5;
    double realism = 0.5;
    double energy = 0.5;
    double humor = 0.5;

    // At most one phrase per dial (above 0.7 or below 0.3), in dial order.
    QStringList promptPhrases() const;

    static ToneProfile fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const ToneProfile&, const ToneProfile&) = default;
};

struct IdeaCard {
    QUuid id = newId();
    IdeaCardKind kind = IdeaCardKind::concept_;
    QString text;

    static IdeaCard fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const IdeaCard&, const IdeaCard&) = default;
};

struct ProjectIdea {
    QString logline;
    QString premise;
    QString argument;
    QList<Genre> genres;
    ToneProfile tone;
    QStringList themes;
    Rating rating = Rating::unrated;
    qint64 targetRuntimeMinutes = 10; // per episode for the episodic formats
    QList<IdeaCard> cards;
    QString pressKit;

    static ProjectIdea fromJson(const json::Reader& r); // lenient; a present tone is strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const ProjectIdea&, const ProjectIdea&) = default;
};

struct Episode {
    QUuid id = newId();
    qint64 number = 1;
    QString title;
    QString synopsis;
    StoryStructure structure;
    ScriptDocument script;
    QList<SceneCard> scenes;
    QList<TimelineClip> timeline;
    QList<MusicCue> musicCues;

    static Episode fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const Episode&, const Episode&) = default;
};

struct Project {
    QUuid id = newId();
    QString name = QStringLiteral("Untitled");
    ProjectFormat format = ProjectFormat::shortFilm;
    Date createdAt = Date::now();
    Date modifiedAt = createdAt;
    ProjectIdea idea;
    QList<CastMember> cast;
    QList<Location> locations;
    LookSpec look;
    QList<Episode> episodes = {Episode{}};
    QSet<PhaseID> completedPhases;
    PhaseID activePhase = PhaseID::spark;
    QString posterSeed = newSeed(); // separate from id

    // A new production: fresh id, poster seed and first episode, both dates now.
    static Project make() { return Project{}; }

    // The total running time: "45 min", "2h", "2h 56m". The target counts per
    // episode for the episodic formats.
    QString runtimeLabel() const;

    static Project fromJson(const json::Reader& r); // strict, 13 keys
    void toJson(json::Writer& w) const;
    friend bool operator==(const Project&, const Project&) = default;
};

} // namespace studio
