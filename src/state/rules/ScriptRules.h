#pragma once

// What the Script screen shows that needs no widget: its statistics line,
// the kind Return inserts, whether the story can draft a script, the draft
// itself, the suggestion chips of an element and the scene heading rebuilt
// from one of them.

#include "model/Project.h"

#include <QList>
#include <QString>
#include <optional>

namespace studio::rules {

// What elements add to the statistics line: estimated lines, and the
// characters of dialogue and of action. A screen that follows a long script
// keeps the sum and adds and takes away only the elements that changed.
struct ScriptTally {
    double lines = 0;
    qint64 dialogue = 0;
    qint64 action = 0;
    ScriptTally& operator+=(const ScriptTally& other);
    ScriptTally& operator-=(const ScriptTally& other);
    friend bool operator==(const ScriptTally&, const ScriptTally&) = default;
};
ScriptTally scriptTally(const ScriptElement& element);
ScriptTally scriptTally(const QList<ScriptElement>& elements);
// The sum for `now`, from the sum for `before` and only the elements that
// differ between the two lists (the same list gives the same sum at once).
ScriptTally scriptTally(const ScriptTally& sum, const QList<ScriptElement>& before, const QList<ScriptElement>& now);

// Where two versions of a script differ: the elements that agree at the
// start (head) and at the end (tail); what lies between changed.
struct ScriptChange {
    qsizetype head = 0;
    qsizetype tail = 0;
};
ScriptChange scriptChange(const QList<ScriptElement>& before, const QList<ScriptElement>& now);
// The same sum, with the change already known.
ScriptTally scriptTally(const ScriptTally& sum, const QList<ScriptElement>& before, const QList<ScriptElement>& now,
                        const ScriptChange& change);
// Whether two elements are the same (quick for the text a copy shares).
bool sameScriptElement(const ScriptElement& a, const ScriptElement& b);

// "~0.2 pg · ~0 min · 33% dialogue": pages with one decimal, minutes (a page
// a minute) with none, and the dialogue share truncated to a whole percent,
// so 99.9 % reads 99 %.
QString scriptStatistics(const ScriptTally& tally);
QString scriptStatistics(const ScriptDocument& script);

// The kind that usually follows in a screenplay, inserted by Return.
ScriptElementKind nextScriptKind(ScriptElementKind kind);

// Whether any beat of the episode's story has a summary (a beat with only a
// title doesn't count).
bool hasBeats(const Episode& episode);

// The draft built from the story: per act a scene heading at the first
// location (one heading per act that has beats), then one action per beat
// holding its summary, or its title when the summary is empty.
QList<ScriptElement> storyDraft(const Episode& episode, const QList<Location>& locations);

// One suggestion chip under an element: a cast member's name under a
// character cue; a prefix, a location or a time under a scene heading.
struct ScriptChip {
    enum class Part { castName, prefix, location, time };
    Part part;
    QString label;
    friend bool operator==(const ScriptChip&, const ScriptChip&) = default;
};
// The chips of an element, in the order shown (a name or place given twice
// shows once); none for the other kinds, or for a cue without a cast.
QList<ScriptChip> scriptChips(const Project& project, const ScriptElement& element);

// The element's text after a chip: a name replaces the whole text in
// capitals; a heading part replaces its own part and keeps the other two.
QString textAfterChip(const QString& text, const ScriptChip& chip, const QList<Location>& locations);

// The heading text after one chip: the prefix, the location and the time are
// read from `text` (upper-cased; missing parts fall back to "INT.", the first
// location or "LOCATION", and "DAY"), the given part replaces its own, and the
// whole heading is written anew as "PREFIX LOCATION — TIME".
QString setHeading(const QString& text, const std::optional<QString>& prefix, const std::optional<QString>& location,
                   const std::optional<QString>& time, const QList<Location>& locations);

} // namespace studio::rules
