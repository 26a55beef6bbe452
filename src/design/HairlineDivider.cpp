#include "design/HairlineDivider.h"

#include "design/Palette.h"

#include <QPainter>

namespace studio {

HairlineDivider::HairlineDivider(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

QSize HairlineDivider::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(1, 1) : QSize(1, 1);
}

void HairlineDivider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Palette::hairline());
}

} // namespace studio
