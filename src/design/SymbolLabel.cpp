#include "design/SymbolLabel.h"

#include "design/Symbols.h"

#include <QPainter>

#include <cmath>

namespace studio {

SymbolLabel::SymbolLabel(const QString& name, qreal size, const QColor& color, QFont::Weight weight,
                         QWidget* parent)
    : QWidget(parent)
    , m_name(name)
    , m_size(size)
    , m_color(color)
    , m_weight(weight)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SymbolLabel::setName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    update();
}

void SymbolLabel::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void SymbolLabel::setSymbolSize(qreal size)
{
    if (size == m_size)
        return;
    m_size = size;
    updateGeometry();
    update();
}

void SymbolLabel::setWeight(QFont::Weight weight)
{
    m_weight = weight;
    update();
}

void SymbolLabel::setRotation(qreal degrees)
{
    if (degrees == m_rotation)
        return;
    m_rotation = degrees;
    update();
}

QSize SymbolLabel::sizeHint() const
{
    const int side = int(std::ceil(Symbols::boxSize(m_size)));
    return QSize(side, side);
}

void SymbolLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF r = rect();
    if (m_rotation != 0) {
        p.translate(r.center());
        p.rotate(m_rotation);
        p.translate(-r.center());
    }
    Symbols::paint(p, r, m_name, m_color, m_size, m_weight);
}

} // namespace studio
