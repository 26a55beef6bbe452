#include "design/widgets/PlainButton.h"

#include "design/focus/FocusOutline.h"

namespace studio {

PlainButton::PlainButton(const QString& symbol, const QString& text, const QFont& font, const QColor& color,
                         QWidget* parent)
    : StyledButton(parent)
    , m_color(color)
{
    setPressedLook(1.0, 0.6);
    setStyleFont(font);
    setPadding(0, 2);
    setSymbol(symbol);
    setText(text);
    setCursor(Qt::PointingHandCursor);
    new FocusOutline(this, this);
}

void PlainButton::paintBackground(QPainter&, const QRectF&)
{
}

void PlainButton::paintFocusRing(QPainter&, const QRectF&)
{
}

} // namespace studio
