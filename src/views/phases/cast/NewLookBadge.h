#pragma once

// "New look" over the bottom-right corner of a portrait or a location's art:
// white medium 10 text after its symbol on a dark capsule. The button keeps
// 9 points free around the capsule (part of its hit area), so it is placed
// flush in the picture's corner. The detail pane decides what a click does
// (a fresh seed for the picture).

#include "design/StyledButton.h"

namespace studio {

class NewLookBadge : public StyledButton {
    Q_OBJECT
public:
    explicit NewLookBadge(QWidget* parent = nullptr);

protected:
    QColor labelColor() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;
};

} // namespace studio
