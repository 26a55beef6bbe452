#pragma once

// A button that is only its label: an optional symbol and a text in one
// colour, no background, dimmed while pressed. Its focus ring goes round the
// label, outside it (FocusOutline): drawn inside, it would cross the words.

#include "design/widgets/StyledButton.h"

namespace studio {

class PlainButton : public StyledButton {
    Q_OBJECT
public:
    PlainButton(const QString& symbol, const QString& text, const QFont& font, const QColor& color,
                QWidget* parent = nullptr);

protected:
    QColor labelColor() const override { return m_color; }
    void paintBackground(QPainter& painter, const QRectF& rect) override;
    void paintFocusRing(QPainter& painter, const QRectF& rect) override;

private:
    QColor m_color;
};

} // namespace studio
