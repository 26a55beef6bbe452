#pragma once

// What the Premiere screen derives from the production: the figures of its
// statistics row, the seven items of the readiness checklist, and the texts
// of the poster, the preset cards and the export bar. Everything is counted
// over every episode, afresh on each call; nothing is cached.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>

namespace studio::rules {

struct PremiereFigure {
    QString value;
    QString label;
    QString icon;
    friend bool operator==(const PremiereFigure&, const PremiereFigure&) = default;
};

// Episodes (episodic formats only), scenes, shots, takes and the assembled
// running time, in that order.
QList<PremiereFigure> premiereFigures(const Project& project);

struct ReadinessItem {
    QString label; // also the item's identity
    QString detail;
    bool ok = false;
    PhaseID phase = PhaseID::spark;
    friend bool operator==(const ReadinessItem&, const ReadinessItem&) = default;
};

// Always the same seven items in the same order. Conditions over every
// episode hold when there is no episode.
QList<ReadinessItem> readinessChecklist(const Project& project);
qsizetype readyCount(const QList<ReadinessItem>& items);
// "5 of 7 ready".
QString readinessText(const QList<ReadinessItem>& items);

// The genre labels joined by " · "; empty when there are none.
QString posterGenreLine(const QList<Genre>& genres);

// The export button's text: "Export " and the preset's name, or
// "Export Master" for an id no preset has.
QString exportButtonText(const QString& presetID);
// "HEVC 10-bit · 4K UHD · MOV".
QString presetSpecText(const QString& codec, const QString& resolution, const QString& container);
// "Exports to Videos › Palisademotion Exports", naming the folder used.
QString exportLocationText(const QString& videosFolder);

} // namespace studio::rules
