#pragma once

// "New look" over the bottom-right corner of a portrait or a location's art:
// white medium 10 text after its symbol on a dark capsule, 9 points in from
// the picture's corner (the picture places it so). A Tab stop, ringed round
// its capsule. The detail pane decides what a click does (a fresh seed for
// the picture).

#include "design/widgets/StyledButton.h"

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
