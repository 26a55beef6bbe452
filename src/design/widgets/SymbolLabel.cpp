#include "design/widgets/SymbolLabel.h"

#include "design/style/Symbols.h"

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

QSize SymbolLabel::sizeHint() const
{
    const int side = int(std::ceil(Symbols::boxSize(m_size)));
    return QSize(side, side);
}

void SymbolLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Symbols::paint(p, rect(), m_name, m_color, m_size, m_weight);
}

} // namespace studio
