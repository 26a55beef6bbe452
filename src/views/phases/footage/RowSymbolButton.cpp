#include "views/phases/footage/RowSymbolButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Symbols.h"

#include <QPainter>

#include <cmath>

namespace studio {

namespace {
// The ring's width and a point of air between it and the symbol.
constexpr int room = int(FocusRing::width) + 1;
constexpr qreal ringRadius = 6;
} // namespace

RowSymbolButton::RowSymbolButton(qreal symbolSize, QFont::Weight weight, QWidget* parent)
    : QAbstractButton(parent)
    , m_size(symbolSize)
    , m_weight(weight)
{
    // The row's own stops: a click gives them the keyboard, as Tab does
    // (ringed only for the keyboard), so keys pressed next act on the row
    // clicked, never on the control the user left (the engine's sliders).
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

int RowSymbolButton::margin()
{
    return room;
}

void RowSymbolButton::setSymbol(const QString& name, const QColor& color)
{
    if (name == m_symbol && color == m_color)
        return;
    m_symbol = name;
    m_color = color;
    update();
}

void RowSymbolButton::setTurn(qreal degrees)
{
    if (degrees == m_turn)
        return;
    m_turn = degrees;
    update();
}

QSize RowSymbolButton::sizeHint() const
{
    const int side = int(std::ceil(Symbols::boxSize(m_size))) + 2 * room;
    return QSize(side, side);
}

void RowSymbolButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (hasFocus())
        FocusRing::paintRounded(p, QRectF(rect()), ringRadius);
    if (isDown())
        p.setOpacity(0.6);
    const QRectF box = QRectF(rect()).adjusted(room, room, -room, -room);
    p.translate(box.center());
    p.rotate(m_turn);
    p.translate(-box.center());
    Symbols::paint(p, box, m_symbol, m_color, m_size, m_weight);
}

} // namespace studio
