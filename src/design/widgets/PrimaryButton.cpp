#include "design/widgets/PrimaryButton.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QGraphicsDropShadowEffect>
#include <QLinearGradient>
#include <QPainter>

namespace studio {

PrimaryButton::PrimaryButton(const QString& text, bool large, QWidget* parent)
    : PrimaryButton(QString(), text, large, parent)
{
}

PrimaryButton::PrimaryButton(const QString& symbol, const QString& text, bool large, QWidget* parent)
    : StyledButton(parent)
{
    setPressedLook(0.97, 0.88);
    // The shadow reaches beyond the button; a graphics effect may paint
    // outside the widget, unlike the widget itself.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(Palette::black(level::dim));
    shadow->setBlurRadius(18);
    shadow->setOffset(0, 4);
    setGraphicsEffect(shadow);
    setSymbol(symbol);
    setText(text);
    m_large = !large;
    setLarge(large);
}

void PrimaryButton::setLarge(bool large)
{
    if (large == m_large)
        return;
    m_large = large;
    setStyleFont(Theme::font(large ? 14 : 12.5, QFont::DemiBold));
    if (large)
        setPadding(22, 11);
    else
        setPadding(15, 7);
}

QColor PrimaryButton::labelColor() const
{
    return Palette::buttonInk();
}

void PrimaryButton::paintBackground(QPainter& p, const QRectF& r)
{
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, QColor(0xF2, 0xED, 0xE2));
    gradient.setColorAt(1, QColor(0xCE, 0xC6, 0xB5));
    shapes::fillCapsule(p, r, gradient);
    shapes::strokeCapsuleInside(p, r, Palette::white(level::dim), 0.5);
}

} // namespace studio
