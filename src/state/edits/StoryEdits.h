#pragma once

// The changes the Story screen and the beat assist make to an episode's
// structure. Each addresses its episode, act and beat by id in the production
// it is given, does nothing when one is gone, and returns whether it changed
// anything (or the new record's id, null when nothing was added).

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio::edits {

bool setEpisodeTitle(Project& project, const QUuid& episodeID, const QString& title);
bool setEpisodeSynopsis(Project& project, const QUuid& episodeID, const QString& synopsis);

// The episode's structure becomes the kind's template, built now (fresh ids
// throughout); nothing else of the episode changes.
bool switchStructure(Project& project, const QUuid& episodeID, StructureKind kind);

// Appends "New Act" holding one beat "First Beat" (charge 0).
QUuid addAct(Project& project, const QUuid& episodeID);
// Removes every act with that id.
bool deleteAct(Project& project, const QUuid& episodeID, const QUuid& actID);
bool setActTitle(Project& project, const QUuid& episodeID, const QUuid& actID, const QString& title);

// Appends a new beat ("New Beat", charge 0) to the act.
QUuid addBeat(Project& project, const QUuid& episodeID, const QUuid& actID);
// Moves the beat `offset` places within its act; nothing past either end.
bool moveBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID, int offset);
// Removes every beat with that id; the act stays, even when it is left empty.
bool deleteBeat(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID);
bool setBeatTitle(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID,
                  const QString& title);
bool setBeatSummary(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID,
                    const QString& summary);
// One click on the beat's charge: flat → lift → drop → flat.
bool cycleBeatCharge(Project& project, const QUuid& episodeID, const QUuid& actID, const QUuid& beatID);

// A summary the beat assist drafted, for the beat that held `askedSummary`
// when the model was asked: written only while the beat still holds exactly
// that text, so words the user wrote meanwhile stay.
struct BeatSummaryFill {
    QUuid actID;
    QUuid beatID;
    QString askedSummary;
    QString summary;
};
bool fillBeatSummaries(Project& project, const QUuid& episodeID, const QList<BeatSummaryFill>& fills);

} // namespace studio::edits
