#pragma once

// The first tile of the library grid: a dashed card reading "New Production"
// whose click (or Space or Return once Tab has reached it) asks for the
// new-production sheet. Its faint fill brightens while the pointer is over it
// (an ease-out fade of 0.15 s).

#include <QAbstractButton>

class QVariantAnimation;

namespace studio {

class NewProjectCard : public QAbstractButton {
    Q_OBJECT
public:
    explicit NewProjectCard(QWidget* parent = nullptr);

    // The fill's opacity now (0.02 at rest, 0.05 hovered, in between while fading).
    qreal fillOpacity() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void setHovering(bool hovering);
    QRectF cardRect() const;

    bool m_hovering = false;
    qreal m_amount = 0; // 0 at rest .. 1 hovered
    QVariantAnimation* m_fade;
};

} // namespace studio
