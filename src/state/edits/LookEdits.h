#pragma once

// The changes The Look and its assist make to a production's look. Each is
// one user action (or one accepted recommendation) on the production it is
// given, and returns whether anything changed.

#include "model/Look.h"
#include "model/Project.h"
#include "services/AIDirector.h"

#include <QString>
#include <QStringList>

namespace studio::edits {

// Choosing the chosen style again stores it again: a style is never cleared here.
bool chooseStyle(Project& p, const QString& styleID);
// Picks the lens, or puts it down when it is the one picked.
bool toggleDirectorLens(Project& p, const QString& lensID);
bool clearDirectorLens(Project& p);

bool setAspect(Project& p, AspectRatio aspect);
bool setFrameRate(Project& p, FrameRate rate);
// A chip removes its first occurrence, or is appended when absent; entries no
// chip offers stay where they are.
bool toggleLensFeel(Project& p, const QString& text);
bool toggleLightingMood(Project& p, const QString& text);

bool setMoodWords(Project& p, const QStringList& words);
bool setAccent(Project& p, const QString& hex);
bool setGrain(Project& p, double value);
bool setTemperature(Project& p, double value);
bool setContrast(Project& p, double value);
bool setLookNotes(Project& p, const QString& notes);

// The director's look recommendation: only catalog ids and offered lighting
// moods are taken, mood words replace the old ones when there are any, and
// notes go only into empty notes.
bool applyLookRecommendation(Project& p, const AIDirector::LookRecommendation& recommendation);

} // namespace studio::edits
