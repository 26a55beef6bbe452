#pragma once

// A 0-to-1 dial with a title above and words under both ends of the track
// (tone dials, look sliders). A reader hears its value as a share of the
// way toward the right end's word. valueEdited() reports the user's moves and is
// never outside 0..1; setValue() only shows a value.

#include <QWidget>

namespace studio {

class Slider;
class TextLabel;

class LabeledSlider : public QWidget {
    Q_OBJECT
public:
    LabeledSlider(const QString& title, const QString& leftLabel, const QString& rightLabel,
                  QWidget* parent = nullptr);

    void setValue(double value);
    double position() const;
    Slider* slider() const { return m_slider; }

Q_SIGNALS:
    void valueEdited(double value);

private:
    TextLabel* m_title;
    Slider* m_slider;
    TextLabel* m_left;
    TextLabel* m_right;
};

} // namespace studio
