#pragma once

// What the new-production sheet holds while it is open: the step, the chosen
// format, the title, genres, target runtime and episode count, and the rules
// that tie them together (presets per format, ranges, whole numbers, the
// texts that follow from them). The sheet draws it and has the store create
// the production from it.

#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QString>

namespace studio::rules {

struct NewProjectDraft {
    static constexpr double minimumEpisodes = 1;
    static constexpr double maximumEpisodes = 24;

    int step = 0; // 0: the format grid, 1: the details
    ProjectFormat format = ProjectFormat::shortFilm;
    // Set by the first pick of a format card; only decides whether a card is
    // drawn as chosen (format starts as shortFilm before anything is picked).
    bool hasPickedFormat = false;
    QString name;
    QList<Genre> genres; // chosen genres, in the catalog's order
    double runtime = 12; // minutes; per episode for the episodic formats
    double episodeCount = 6;

    // The per-format constants the sheet shows.
    static QString blurb(ProjectFormat format);
    static double runtimePreset(ProjectFormat format);
    // "3–40 min", "11–30 min / ep".
    static QString runtimeHint(ProjectFormat format);

    // A format card: chooses the format, presets its runtime (even when it is
    // the format already chosen) and moves to the details.
    void pickFormat(ProjectFormat chosen);
    // "Back": the format grid again; every value is kept.
    void back();
    void toggleGenre(Genre genre);
    bool hasGenre(Genre genre) const;
    // Kept inside the format's runtime range; a value that is no number is ignored.
    void setRuntime(double minutes);
    // Whole episodes from 1 to 24.
    void setEpisodeCount(double count);

    // The integer parts every text and the created production use.
    qint64 runtimeMinutes() const;
    qint64 episodes() const;

    QString title() const;
    QString subtitle() const;
    QString runtimeCaption() const;
    QString runtimeText() const;
    QString episodesCaption() const;
    QString episodesText() const;
    QString seasonTotal() const;
    StructureKind structure() const { return defaultStructure(format); }
};

} // namespace studio::rules
