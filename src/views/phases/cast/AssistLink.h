#pragma once

// "Complete with AI": a gold link (medium 9.5, its wand symbol first) with no
// padding or background, dimming while pressed. It is never disabled and
// shows no progress; a click while an assist runs is dropped by the
// session's runner.

#include "design/widgets/StyledButton.h"

namespace studio {

class AssistLink : public StyledButton {
    Q_OBJECT
public:
    explicit AssistLink(const QString& tooltip, QWidget* parent = nullptr);

protected:
    QColor labelColor() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;
};

} // namespace studio
