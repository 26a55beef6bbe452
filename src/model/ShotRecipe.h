#pragma once

// Named signature shots a storyboard shot can be made from or tagged with.
// Only the id travels with a shot (Shot::recipeID).

#include "model/Board.h"

#include <QList>
#include <QString>

namespace studio {

struct ShotRecipe {
    QString id;
    QString name;
    QString inspiredBy; // credit line, shown after the name
    ShotSize size = ShotSize::medium;
    CameraMove move = CameraMove::locked;
    double seconds = 5.0;
    QString phrase; // appended to the shot's framing sentence

    static const QList<ShotRecipe>& catalog();
    // The first row whose id equals the text exactly, or nullptr.
    static const ShotRecipe* find(QStringView id);
    friend bool operator==(const ShotRecipe&, const ShotRecipe&) = default;
};

} // namespace studio
