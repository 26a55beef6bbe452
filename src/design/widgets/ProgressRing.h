#pragma once

// A circular progress indicator: a strong-hairline track and a gold arc that
// starts at 12 o'clock and grows clockwise to the fraction done (limited to
// 0..1). Value changes move on a spring. No text.

#include <QWidget>

class QPainter;

namespace studio {

class Spring;

class ProgressRing : public QWidget {
    Q_OBJECT
public:
    ProgressRing(qreal size, qreal lineWidth, QWidget* parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    // The fraction the arc covers for a value (NaN counts as 0).
    static double clampedFraction(double value);
    // The ring drawn into a circle's bounding square (the stroke stays
    // inside it), for custom-painted cards that show one without a widget.
    static void paint(QPainter& painter, const QRectF& square, double fraction, qreal lineWidth);
    // The fraction currently drawn (follows the spring).
    double shownFraction() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_lineWidth;
    double m_value = 0;
    Spring* m_spring;
};

} // namespace studio
