#include "design/widgets/ToolbarIconButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Tokens.h"

#include <QPainter>

namespace studio {

ToolbarIconButton::ToolbarIconButton(const QString& systemName, const QString& help, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(systemName)
{
    setFixedSize(28, 28);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(help);
    setAccessibleName(help);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ToolbarIconButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF r = rect();
    shapes::fillRounded(p, r, 8, Palette::white(level::tint));
    shapes::strokeRoundedInside(p, r, 8, Palette::hairline(), 1.0);
    if (hasFocus())
        FocusRing::paintRounded(p, r, 8);
    if (isDown())
        p.setOpacity(p.opacity() * 0.6);
    Symbols::paint(p, r, m_symbol, Palette::textSecondary(), 12, QFont::Medium);
}

} // namespace studio
