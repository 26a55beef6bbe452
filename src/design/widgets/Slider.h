#pragma once

// A continuous horizontal slider over a range of doubles, painted for dark
// surfaces (small control size, filled part in the accent-deep tint).
// valueEdited() reports what the user does (drag, click on the track, keys,
// wheel) and is always inside the range. The wheel and the keys (arrows, Page
// Up/Down, Home, End) move it only while it has the keyboard focus, which a
// click or Tab gives it; without the focus a wheel event passes on to the
// page the slider sits in, so scrolling past a slider never changes a value. setValue() from a refresh is silent,
// only shows the value (a stored value outside the range is shown at the end
// of the track and never written back), and waits while the user drags.
// With a step, what the user does snaps to the grid of minimum + k * step
// inside the range; a stored value off that grid is still shown as it is.
// Without one, keys and the wheel step from the value itself, as a drag
// writes where the pointer is: never rounded to the knob's positions.
//
// A reader reads and sets the value the slider stands for, in the units its
// label shows (minutes, seconds, takes), never the knob's position on the
// track, and hears it when it changes: the number, and in words with its
// unit ("12 minutes") when the slider is given its words (setValueText).

#include "design/widgets/AccessibleSource.h"

#include <QSlider>

#include <functional>
#include <optional>

namespace studio {

class Slider : public QSlider, public AccessibleSource {
    Q_OBJECT
public:
    Slider(double minimum, double maximum, QWidget* parent = nullptr);

    double minimumValue() const { return m_min; }
    double maximumValue() const { return m_max; }
    void setRange(double minimum, double maximum);
    // The value under the knob.
    double position() const;
    void setValue(double value);
    // The tint of the filled part of the track.
    void setTint(const QColor& color);
    // 0 (the default) for a continuous slider.
    void setStep(double step);
    // The grid value nearest to value: minimum + k * step, never past the
    // range (the value itself when there is no step).
    double snapped(double value) const;

    // How a reader says a value, with the unit the screen shows beside the
    // slider; the bare number when not given.
    void setValueText(std::function<QString(double)> words);
    QString valueText() const;
    // "12 minutes", "1 take", "4.5 seconds": `value` with `decimals`
    // places, and the unit's word for one or for any other amount.
    static QString amount(double value, int decimals, const QString& one, const QString& many);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void valueEdited(double value);

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void sliderChange(SliderChange change) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class SliderAccessible;
    class KnobOnly;

    static constexpr int steps = 10000;
    int toSteps(double value) const;
    double fromSteps(int steps) const;
    void display(double value);
    int stepsAt(qreal x) const;
    void moveToPointer(qreal x);
    void userMoved(int position);
    void stepFromValue(int action);
    void syncKeySteps();
    // What a reader reads: the value the knob stands for.
    double spokenValue() const;
    // A value a reader sets, as the user's.
    void editTo(double value);
    // Tells a reader the value, when it changed since they last heard it.
    void tellValue();

    double m_min;
    double m_max;
    QColor m_tint;
    double m_step = 0;
    // What the knob stands for: the value last shown or last edited.
    std::optional<double> m_current;
    std::optional<double> m_pending;
    // Where the pointer or a key put the value, while its move is announced.
    std::optional<double> m_exact;
    bool m_setting = false;
    qreal m_grabOffset = 0;
    // Wheel travel short of a whole notch, kept for the next event.
    int m_wheelRemainder = 0;
    // Set while only the knob's position moves, so that Qt's own value
    // event (the position on the track) reaches no reader.
    bool m_knobOnly = false;
    std::optional<double> m_heard;
    std::function<QString(double)> m_words;
};

} // namespace studio
