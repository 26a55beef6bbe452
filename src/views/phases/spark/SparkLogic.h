#pragma once

// The rules of the Spark screen on their own, without widgets: what a format
// change, a genre chip and the runtime slider write, the texts that follow
// from the idea, where the interrogation deck opens for a production, and
// the idea-board operations. Each change takes the production as the edit
// door hands it over and touches nothing else.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio::spark {

// The chosen format, then the runtime kept inside that format's range (a
// runtime already inside stays as it is; the episodes and the look are not
// touched).
void changeFormat(Project& project, ProjectFormat format);

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
// question": the hash of the id's canonical text, plus the step, wrapped to
// the deck. Always a valid index of InterrogationDeck::questions().
int interrogationIndex(const QUuid& projectID, qint64 step);
// "10/22"
QString interrogationCounter(int index, int count);
// The text of the card "Answer on the board" appends: the question, a line
// break, the arrow and a space where the answer goes.
QString answerCardText(const QString& question);

// The idea board. A new card goes to the end of the list.
void appendIdeaCard(Project& project, IdeaCardKind kind, const QString& text = QString());
// Removes every card with that id (none: nothing changes).
void removeIdeaCard(Project& project, const QUuid& cardID);
// Writes the text into the card with that id (none: nothing changes).
void setIdeaCardText(Project& project, const QUuid& cardID, const QString& text);

} // namespace studio::spark
