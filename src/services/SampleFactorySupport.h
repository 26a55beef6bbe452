#pragma once

// Small builders shared by the sample productions.

#include "model/Project.h"

#include <QString>
#include <optional>

namespace studio::SampleFactory::detail {

// Writes a beat of a structure addressed by act and beat position, both from 1.
void writeBeat(StoryStructure& structure, int act, int beat, const QString& summary, double charge);

// A new episode with its kind's template acts and beats.
Episode templatedEpisode(qint64 number, const QString& title, const QString& synopsis, StructureKind kind);

Shot shot(ShotSize size, CameraMove move, double seconds, const QString& what, const QString& dialogue,
          const QString& frameSeed, const std::optional<QString>& recipeID = std::nullopt);

// A scene at the location with the listed cast, in the order given.
SceneCard scene(SceneSetting setting, TimeOfDay time, const Location& location, const QList<QUuid>& castIDs,
                const QString& synopsis, QList<Shot> shots);

// One relationship each way between the two characters.
void relate(CastMember& first, const QString& firstLabel, CastMember& second, const QString& secondLabel);

MusicCue cue(const QString& name, const QString& mood);

} // namespace studio::SampleFactory::detail
