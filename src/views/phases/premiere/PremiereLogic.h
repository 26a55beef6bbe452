#pragma once

// What the Premiere screen derives from the production: the figures of its
// statistics row, the seven items of the readiness checklist, and the texts
// of the poster, the preset cards and the export bar. Everything is counted
// over every episode, afresh on each call; nothing is cached.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>

namespace studio::premiere {

struct StatFigure {
    QString value;
    QString label;
    QString icon;
    friend bool operator==(const StatFigure&, const StatFigure&) = default;
};

// Episodes (episodic formats only), scenes, shots, takes and the assembled
// running time, in that order.
QList<StatFigure> premiereStats(const Project& project);

struct CheckItem {
    QString label; // also the item's identity
    QString detail;
    bool ok = false;
    PhaseID phase = PhaseID::spark;
    friend bool operator==(const CheckItem&, const CheckItem&) = default;
};

// Always the same seven items in the same order. Conditions over every
// episode hold when there is no episode.
QList<CheckItem> checklist(const Project& project);
qsizetype doneCount(const QList<CheckItem>& items);
// "5 of 7 ready".
QString readinessText(const QList<CheckItem>& items);

// The genre labels joined by " · "; empty when there are none.
QString genreLine(const QList<Genre>& genres);

// The export button's text: "Export " and the preset's name, or
// "Export Master" for an id no preset has.
QString exportButtonText(const QString& presetID);
// "HEVC 10-bit · 4K UHD · MOV".
QString presetSpecText(const QString& codec, const QString& resolution, const QString& container);
// The integer part of progress × 100 and "%", within 0…100.
QString percentText(double progress);
// "Exports to Videos › Palisademotion Exports", naming the folder used.
QString exportLocationText(const QString& videosFolder);

} // namespace studio::premiere
