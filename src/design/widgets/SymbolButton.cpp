#include "design/widgets/SymbolButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Symbols.h"

#include <QPainter>

#include <cmath>

namespace studio {

SymbolButton::SymbolButton(const QString& symbol, qreal size, const QColor& color, QFont::Weight weight,
                           QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
    , m_size(size)
    , m_color(color)
    , m_weight(weight)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SymbolButton::setSymbol(const QString& name)
{
    if (name == m_symbol)
        return;
    m_symbol = name;
    update();
}

void SymbolButton::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize SymbolButton::sizeHint() const
{
    const int side = int(std::ceil(Symbols::boxSize(m_size)));
    return QSize(side, side);
}

void SymbolButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!isEnabled())
        p.setOpacity(0.45);
    else if (isDown())
        p.setOpacity(0.6);
    const QRectF r = rect();
    // The ring goes round the button's box and the symbol is drawn over it,
    // so a small button keeps its size and its symbol whole.
    if (hasFocus())
        FocusRing::paintCapsule(p, r);
    Symbols::paint(p, r, m_symbol, m_color, m_size, m_weight);
}

} // namespace studio
