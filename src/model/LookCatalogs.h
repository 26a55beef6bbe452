#pragma once

// The style presets and director's lenses a look can name by id. Read-only,
// built once; a look stores only the ids.

#include "model/Look.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace studio {

struct StylePreset {
    QString id;
    QString name;
    StyleCategory category = StyleCategory::liveAction;
    QString blurb;
    QStringList keywords;
    QString engineNotes; // how generation engines treat the style

    static const QList<StylePreset>& catalog();
    // The first row whose id equals the text exactly, or nullptr.
    static const StylePreset* find(QStringView id);
    friend bool operator==(const StylePreset&, const StylePreset&) = default;
};

// A directing doctrine: philosophy, prompt keywords and three doctrine lines.
struct DirectorLens {
    QString id;
    QString name;
    QString inspiredBy; // credit line
    QString philosophy;
    QStringList keywords;
    QString movement;
    QString light;
    QString editing;

    static const QList<DirectorLens>& catalog();
    static const DirectorLens* find(QStringView id);
    friend bool operator==(const DirectorLens&, const DirectorLens&) = default;
};

} // namespace studio
