#pragma once

// What the Story screen shows that follows from the production alone: the
// texts that carry values, the beat charge cycle and the pulse line's
// geometry.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QUuid>

namespace studio::rules {

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
QString structureMenuTitle(StructureKind kind);
// The noun the screen's texts use for one episode of the production: the
// format's episode noun in lower case for episodic formats, "story" otherwise.
QString storyNoun(ProjectFormat format);
QString structureAlertTitle();
QString structureAlertMessage(ProjectFormat format, StructureKind kind);
QString episodeTitlePlaceholder(ProjectFormat format);
QString synopsisPlaceholder(ProjectFormat format);
// What the summary area shows while the summary is empty (the hint, or the
// default text; a very long hint only as far as it can show).
QString summaryPlaceholder(const Beat& beat);

} // namespace studio::rules
