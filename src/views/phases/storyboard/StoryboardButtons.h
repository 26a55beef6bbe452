#pragma once

// Small buttons of the storyboard's panes, on the shared button bases: a
// plain one that is only its label (a symbol and a text in one colour), the
// capsule that sits over a picture (white on translucent black), and the
// signature recipe's menu.

#include "design/MenuButton.h"
#include "design/StyledButton.h"

namespace studio {

class PlainButton : public StyledButton {
    Q_OBJECT
public:
    PlainButton(const QString& symbol, const QString& text, const QFont& font, const QColor& color,
                QWidget* parent = nullptr);

protected:
    QColor labelColor() const override { return m_color; }
    void paintBackground(QPainter& painter, const QRectF& rect) override;

private:
    QColor m_color;
};

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
