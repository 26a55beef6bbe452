#include "design/widgets/GhostButton.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QPainter>

#include <algorithm>

namespace studio {

GhostButton::GhostButton(const QString& text, const QColor& tint, QWidget* parent)
    : GhostButton(QString(), text, tint, parent)
{
}

GhostButton::GhostButton(const QString& symbol, const QString& text, const QColor& tint, QWidget* parent)
    : StyledButton(parent)
    , m_tint(tint.isValid() ? tint : Palette::textPrimary())
{
    setPressedLook(0.97, 1.0);
    setStyleFont(Theme::font(type::subheadline, QFont::Medium));
    setPadding(14, 7);
    setSymbol(symbol);
    setText(text);
}

QColor GhostButton::labelColor() const
{
    return m_tint;
}

void GhostButton::paintBackground(QPainter& p, const QRectF& r)
{
    const qreal press = std::clamp(pressAmount(), 0.0, 1.0);
    shapes::fillCapsule(p, r, Palette::white(0.05 + 0.05 * press));
    shapes::strokeCapsuleInside(p, r, Palette::hairlineStrong(), 1.0);
}

} // namespace studio
