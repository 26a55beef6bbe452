#pragma once

// The rules of the Story screen that hold without any widget: the texts that
// carry values, the beat charge cycle, the pulse line's geometry, and the
// edits of an episode's structure. Every edit addresses its episode, act and
// beat by id in the production it is given and does nothing when one is gone.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QUuid>

namespace studio::story {

// ---- Charges ----------------------------------------------------------------

// Whether a beat lifts, drops or stays flat. Both thresholds are strict, so a
// charge of exactly 0.5 or -0.5 is flat, and so is anything that is not a
// number.
enum class ChargeState { flat, lift, drop };
ChargeState chargeState(double charge);
// The charge one click on the beat's charge button writes: flat → 1,
// lift → -1, drop → 0.
double nextCharge(double charge);

// Every beat's charge, act by act, beats in order within each act.
QList<double> charges(const Episode& episode);
qsizetype beatCount(const Episode& episode);

// ---- Pulse line -------------------------------------------------------------

struct PulsePoint {
    QPointF position;
    ChargeState state = ChargeState::flat;
    friend bool operator==(const PulsePoint&, const PulsePoint&) = default;
};

// The plotted points of the charges on a surface of that size: evenly spread
// from x = 0 to the full width, a charge of 1 three points below the top and
// -1 three points above the bottom, larger charges beyond the edges (not
// clamped). Fewer than two charges plot nothing. A point that comes out not
// finite (an absurd stored charge) is left out.
QList<PulsePoint> pulsePoints(const QList<double>& charges, const QSizeF& size);

// ---- Texts ------------------------------------------------------------------

// "3 acts · 11 beats" (no singular forms).
QString countsText(const Episode& episode);
// The structure menu's entry: "Hero's Journey — Departure, …".
QString engineMenuTitle(StructureKind kind);
// The noun the screen's texts use for one episode of the production: the
// format's episode noun in lower case for episodic formats, "story" otherwise.
QString storyNoun(ProjectFormat format);
QString engineAlertTitle();
QString engineAlertMessage(ProjectFormat format, StructureKind kind);
QString episodeTitlePlaceholder(ProjectFormat format);
QString synopsisPlaceholder(ProjectFormat format);
// What the summary area shows while the summary is empty (the hint, or the
// default text; a very long hint only as far as it can show).
QString summaryPlaceholder(const Beat& beat);

// ---- Edits ------------------------------------------------------------------

// The episode's structure becomes the engine's template, built now (fresh
// ids throughout); nothing else of the episode changes.
bool switchEngine(Project& project, const QUuid& episodeID, StructureKind kind);
// Appends "New Act" holding one beat "First Beat" (charge 0). Returns the new
// act's id, or a null id when the episode is gone.
QUuid addAct(Project& project, const QUuid& episodeID);
// Removes every act with that id.
bool deleteAct(Project& project, const QUuid& episodeID, const QUuid& actID);

// Appends a new beat ("New Beat", charge 0) and returns its id.
QUuid addBeat(Act& act);
// Swaps the beat with the one `offset` places away; nothing at either end or
// when the beat is gone.
bool moveBeat(Act& act, const QUuid& beatID, int offset);
// Removes every beat with that id; the act stays, even when it is left empty.
bool deleteBeat(Act& act, const QUuid& beatID);

} // namespace studio::story
