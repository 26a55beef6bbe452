#pragma once

// The filled capsule button of a place's main action: semibold label in
// button ink on a light top-to-bottom gradient, a soft shadow, and a press
// that shrinks to 0.97 and fades to 0.88 on a spring.

#include "design/widgets/StyledButton.h"

namespace studio {

class PrimaryButton : public StyledButton {
    Q_OBJECT
public:
    explicit PrimaryButton(const QString& text = QString(), bool large = false, QWidget* parent = nullptr);
    PrimaryButton(const QString& symbol, const QString& text, bool large, QWidget* parent = nullptr);

    void setLarge(bool large);

protected:
    QColor labelColor() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;

private:
    bool m_large = false;
};

} // namespace studio
