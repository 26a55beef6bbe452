#pragma once

// Small buttons of the storyboard's panes, on the shared button bases: the
// capsule that sits over a picture (white on translucent black) and the
// signature recipe's menu. (The plain label-only button is design/widgets/PlainButton.)

#include "design/widgets/MenuButton.h"
#include "design/widgets/PlainButton.h"
#include "design/widgets/StyledButton.h"

namespace studio {

class OverlayButton : public StyledButton {
    Q_OBJECT
public:
    OverlayButton(const QString& symbol, const QString& text, QWidget* parent = nullptr);

protected:
    QColor labelColor() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;
};

// The signature recipe's menu in the shot inspector: the shared menu button
// drawn as a well that spans the pane, its chevron at the trailing edge.
class RecipeMenuButton : public MenuButton {
    Q_OBJECT
public:
    explicit RecipeMenuButton(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintBackground(QPainter& painter, const QRectF& rect) override;
};

} // namespace studio
