#pragma once

// A labelled on/off switch: the label on the leading side, a small capsule
// switch on the trailing edge, the track tinted when on. A click anywhere on
// it flips the state and emits clicked(bool); setChecked() from a refresh
// emits no clicked(), so only the user's flips are written anywhere. The knob
// slides on a spring.

#include <QAbstractButton>
#include <QFont>

namespace studio {

class Spring;

class SwitchToggle : public QAbstractButton {
    Q_OBJECT
public:
    explicit SwitchToggle(const QString& label, QWidget* parent = nullptr);

    // The track colour while on (the palette's deep accent by default).
    void setTint(const QColor& tint);
    // The label's font (regular 12 by default).
    void setLabelFont(const QFont& font);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr QSize switchSize{30, 17};

protected:
    void paintEvent(QPaintEvent* event) override;
    void checkStateSet() override;
    void nextCheckState() override;

private:
    QRectF switchRect() const;

    QString m_label;
    QFont m_font;
    QColor m_tint;
    Spring* m_knob;
};

} // namespace studio
