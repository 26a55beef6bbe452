#pragma once

// The render plan of shots: the engine profile of an open production, the
// queued jobs and their clip plans. None of it is stored in a production.
//
// A default-constructed job or clip plan has a fresh id.

#include "model/Enum.h"
#include "model/Json.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace studio {

struct GenerationProfile {
    double maxClipSeconds = 8.0;  // a longer shot is split into several clips
    bool chainsLastFrame = true;  // clips after the first continue the previous final frame
    bool usesCharacterRefs = true;
    qint64 maxRefImages = 3;      // counting the style anchor; the set reference is not counted
    QString resolution = QStringLiteral("1080p");
    qint64 variantsPerShot = 1;   // takes per render

    // "720p", "1080p", "4K"
    static const QStringList& resolutions();

    static GenerationProfile fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const GenerationProfile&, const GenerationProfile&) = default;
};

enum class JobState { queued, rendering, done, failed };

struct JobStateRow {
    JobState value;
    QString raw;
};

template <>
struct EnumTable<JobState> {
    static constexpr const char* typeName = "JobState";
    static const QList<JobStateRow>& rows();
};

struct ClipPlan {
    QUuid id = newId();
    int index = 1; // counted from 1
    int total = 1;
    double seconds = 0.0;
    bool chained = false;
    QString prompt;
    QStringList refs;

    friend bool operator==(const ClipPlan&, const ClipPlan&) = default;
};

struct GenerationJob {
    QUuid id = newId();
    QUuid shotID;
    QUuid sceneID;
    QUuid episodeID;
    QString title;
    QList<ClipPlan> clips;
    double progress = 0.0; // 0...1
    JobState state = JobState::queued;

    friend bool operator==(const GenerationJob&, const GenerationJob&) = default;
};

} // namespace studio
