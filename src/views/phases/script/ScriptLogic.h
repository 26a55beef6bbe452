#pragma once

// The rules of the Script screen that need no widget: its statistics line,
// where new elements go, what Return inserts, the story draft and the scene
// heading rebuilt from its suggestion chips.

#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio::script {

// "~0.2 pg · ~0 min · 33% dialogue": pages with one decimal, minutes (a page
// a minute) with none, and the dialogue share truncated to a whole percent,
// so 99.9 % reads 99 %.
QString statisticsText(const ScriptDocument& script);

// A new element of that kind at the very end of the script (a transition
// starts as "CUT TO:", every other kind empty); its id.
QUuid appendElement(ScriptDocument& script, ScriptElementKind kind);

// The kind that usually follows in a screenplay, inserted by Return.
ScriptElementKind nextKind(ScriptElementKind kind);

// A new empty element of `kind` directly after the first element with id
// `afterID`; its id, or nothing when no element has that id (the script is
// then left alone).
std::optional<QUuid> insertAfter(ScriptDocument& script, const QUuid& afterID, ScriptElementKind kind);

// Whether any beat of the episode's story has a summary (a beat with only a
// title doesn't count).
bool hasBeats(const Episode& episode);

// The draft built from the story: per act a scene heading at the first
// location (one heading per act that has beats), then one action per beat
// holding its summary, or its title when the summary is empty.
QList<ScriptElement> storyDraft(const Episode& episode, const QList<Location>& locations);
// Writes that draft into the episode's script, only while the script is
// empty (the draft is offered for empty scripts only); whether it wrote.
bool draftFromStory(Episode& episode, const QList<Location>& locations);

// The heading text after one chip: the prefix, the location and the time are
// read from `text` (upper-cased; missing parts fall back to "INT.", the first
// location or "LOCATION", and "DAY"), the given part replaces its own, and the
// whole heading is written anew as "PREFIX LOCATION — TIME".
QString setHeading(const QString& text, const std::optional<QString>& prefix, const std::optional<QString>& location,
                   const std::optional<QString>& time, const QList<Location>& locations);

} // namespace studio::script
