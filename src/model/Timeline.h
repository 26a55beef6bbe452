#pragma once

// The cut of an episode (timeline clips), its music cues, and the delivery
// presets of the premiere screen.
//
// A default-constructed record is a new record: ids and seeds are drawn fresh
// by the default member initialisers.

#include "model/Json.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio {

struct TimelineClip {
    QUuid id = newId();
    std::optional<QUuid> shotID; // unset for a clip without a shot
    QString label;
    double seconds = 5.0;
    QString seed = newSeed();
    bool hasDialogue = false;

    static TimelineClip fromJson(const json::Reader& r); // strict, shotID optional
    void toJson(json::Writer& w) const;
    friend bool operator==(const TimelineClip&, const TimelineClip&) = default;
};

struct MusicCue {
    QUuid id = newId();
    QString name = QStringLiteral("New Cue");
    QString mood;

    static MusicCue fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const MusicCue&, const MusicCue&) = default;
};

// A delivery format; never stored in a production.
struct ExportPreset {
    QString id;
    QString name;
    QString container;
    QString codec;
    QString resolution;
    QString blurb;
    QString icon; // symbol name

    static const QList<ExportPreset>& catalog();
    // The first row with exactly this id, or nullptr.
    static const ExportPreset* find(QStringView id);
    friend bool operator==(const ExportPreset&, const ExportPreset&) = default;
};

// The length of a cut in whole seconds, truncated toward zero: "59s", or from
// a minute on "12m 34s" (minutes are never carried into hours). A length that
// isn't a finite number reads "0s".
QString cutLengthText(double seconds);

} // namespace studio
