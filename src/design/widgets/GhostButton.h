#pragma once

// The outlined capsule button of secondary actions: a medium label in the
// tint colour on white at 5 % (10 % while pressed) with a strong hairline,
// shrinking to 0.97 on a spring while pressed.

#include "design/widgets/StyledButton.h"

namespace studio {

class GhostButton : public StyledButton {
    Q_OBJECT
public:
    explicit GhostButton(const QString& text = QString(), const QColor& tint = QColor(),
                         QWidget* parent = nullptr);
    GhostButton(const QString& symbol, const QString& text, const QColor& tint, QWidget* parent = nullptr);

protected:
    QColor labelColor() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;

private:
    QColor m_tint;
};

} // namespace studio
