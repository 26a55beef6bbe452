#pragma once

// The changes the Spark screen and the idea assists make to a production.
// Each is a pure function on the production the edit door hands over: it
// touches nothing else and returns whether it changed anything (a card
// addressed by an id that is gone changes nothing).

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace studio::edits {

// The chosen format, then the runtime kept inside that format's range (a
// runtime already inside stays as it is; the episodes and the look are not
// touched).
bool changeFormat(Project& project, ProjectFormat format);
bool toggleGenre(Project& project, Genre genre);
bool setRating(Project& project, Rating rating);
bool setTargetRuntime(Project& project, qint64 minutes);

enum class ToneAxis { brightness, realism, energy, humor };
bool setTone(Project& project, ToneAxis axis, double value);

bool setWorkingTitle(Project& project, const QString& name);
bool setLogline(Project& project, const QString& logline);
bool setPremise(Project& project, const QString& premise);
bool setArgument(Project& project, const QString& argument);
bool setThemes(Project& project, const QStringList& themes);

// A drafted premise goes in only while the premise is blank (spaces and tabs
// count as blank).
bool fillBlankPremise(Project& project, const QString& draft);
// Appends each theme the list does not hold yet (exact repeats are skipped).
bool addThemes(Project& project, const QStringList& themes);
// Writes the argument only into an empty one.
bool fillEmptyArgument(Project& project, const QString& argument);

// The idea board. A new card goes to the end of the list; returns its id.
QUuid appendIdeaCard(Project& project, IdeaCardKind kind, const QString& text = QString());
bool appendIdeaCards(Project& project, const QList<IdeaCard>& cards);
// Removes every card with that id.
bool removeIdeaCard(Project& project, const QUuid& cardID);
bool setIdeaCardText(Project& project, const QUuid& cardID, const QString& text);

} // namespace studio::edits
