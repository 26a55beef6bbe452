#pragma once

// What the Spark screen shows that follows from the production alone: the
// texts that carry values, what a genre chip's tap leaves, the runtime the
// slider stands for, and where the interrogation deck opens.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio::rules {

// A genre chip's tap: removes the first entry equal to the genre, else
// appends it.
QList<Genre> toggledGenre(QList<Genre> genres, Genre genre);

// What the runtime slider stores for a value it reports: the integer part,
// saturating (a value that is no number stores 0).
qint64 runtimeFromSlider(double value);

// The caption over the runtime slider: "Runtime per episode" / "Runtime per
// segment" for the episodic formats, "Target runtime" for the others.
QString runtimeCaption(ProjectFormat format);
// "42m"
QString runtimeText(qint64 minutes);
// "12 characters", counting user-perceived characters.
QString loglineCounterText(const QString& logline);
// "Targeting 2h 48m total"
QString targetingText(const Project& project);

// Where the deck stands for a production after `step` presses of "Next
// question": a stable hash of the id's canonical (upper-case) text, plus the
// step, wrapped to the deck. Always a valid index of the deck's questions.
int interrogationIndex(const QUuid& projectID, qint64 step);
// "10/22"
QString interrogationCounter(int index, int count);
// The text of the card "Answer on the board" appends: the question, a line
// break, the arrow and a space where the answer goes.
QString answerCardText(const QString& question);

} // namespace studio::rules
