#include "design/widgets/LabeledSlider.h"

#include "design/style/Palette.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

LabeledSlider::LabeledSlider(const QString& title, const QString& leftLabel, const QString& rightLabel,
                             QWidget* parent)
    : QWidget(parent)
    , m_title(new TextLabel(title, Theme::font(type::body, QFont::Medium), Palette::textSecondary(), this))
    , m_slider(new Slider(0.0, 1.0, this))
    , m_left(new TextLabel(leftLabel, Theme::font(type::label), Palette::textTertiary(), this))
    , m_right(new TextLabel(rightLabel, Theme::font(type::label), Palette::textTertiary(), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_title);
    layout->addWidget(m_slider);
    auto* ends = new QHBoxLayout;
    ends->setContentsMargins(0, 0, 0, 0);
    ends->setSpacing(8);
    ends->addWidget(m_left);
    ends->addStretch(1);
    ends->addWidget(m_right);
    layout->addLayout(ends);
    m_right->setAlignment(Qt::AlignRight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusProxy(m_slider);
    // Read out by its title; the words at the ends say which way is which.
    m_slider->setAccessibleName(title);
    m_slider->setAccessibleDescription(leftLabel + u" \u2013 "_s + rightLabel);
    // The dial shows no number: its value is said as how far it leans
    // toward the word at its right end ("68% dark"), never as a fraction.
    m_slider->setValueText([right = rightLabel.toLower()](double value) {
        const double percent = std::isfinite(value) ? std::clamp(value, 0.0, 1.0) * 100 : 0;
        return QString::number(qRound(percent)) + u"% "_s + right;
    });
    connect(m_slider, &Slider::valueEdited, this, &LabeledSlider::valueEdited);
}

void LabeledSlider::setValue(double value)
{
    m_slider->setValue(value);
}

double LabeledSlider::position() const
{
    return m_slider->position();
}

} // namespace studio
