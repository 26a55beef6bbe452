#pragma once

// One card of the shot grid: the shot's current frame with its size badge
// and status pill, then "Shot N", the camera move, the recipe mark and the
// duration. A card is drawn in one piece (the grid keeps the drawing and
// only adds the outline), so a scene of hundreds of shots costs no widgets.

#include "model/Board.h"
#include "model/Look.h"

#include <QRectF>
#include <QString>
#include <QUuid>

class QPainter;

namespace studio {

struct ShotCard {
    QUuid id;
    int number = 1;
    ShotSize size = ShotSize::medium;
    ShotStatus status = ShotStatus::planned;
    CameraMove move = CameraMove::locked;
    bool hasRecipe = false;
    QString recipeHelp; // "<name> — after <credit>", empty for an unknown recipe
    QString seconds;    // "5s"
    QString seed;       // the shot's best seed
    friend bool operator==(const ShotCard&, const ShotCard&) = default;

    // The card of the shot at `number` (counted from 1).
    static ShotCard of(const Shot& shot, int number);

    // What the card shows, as one line to read out: "Shot 2 · Medium ·
    // Dolly in · 5s · Planned", then the recipe's name when it has one.
    QString spokenText() const;

    // One frame height for every card of a production's grid, from its aspect.
    static qreal frameHeight(AspectRatio aspect);
    // The size the frame's picture is composed at.
    static QSizeF artSize(AspectRatio aspect);
    static qreal height(AspectRatio aspect);

    // Everything but the outline, into a card of `size` at the origin.
    void paint(QPainter& painter, const QSizeF& size, AspectRatio aspect) const;
    // The outline inside the card's edge: the accent when selected.
    static void paintOutline(QPainter& painter, const QRectF& rect, bool selected);
    // Where the recipe mark sits in a card of `size` at the origin (empty
    // when the shot has no recipe).
    QRectF recipeMarkRect(const QSizeF& size, AspectRatio aspect) const;

    static constexpr qreal radius = 13;
};

} // namespace studio
