#include "design/widgets/HairlineDivider.h"

#include "design/style/Palette.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace studio {

namespace {
// Qt's raster engine hands a translucent fill of more than about 96 scan
// lines to its thread pool and waits for it; for a line one pixel wide that
// wait costs far more than the pixels. A tall line is filled in bands below
// that height, which blends exactly the same pixels.
constexpr int band = 64;
} // namespace

HairlineDivider::HairlineDivider(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
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
    // One pixel across; the length is the layout's to give.
    return QSize(1, 1);
}

void HairlineDivider::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect r = rect() & event->rect();
    const QColor color = Palette::hairline();
    const int step = std::max(1, int(band / std::max<qreal>(1.0, devicePixelRatioF())));
    for (int y = r.top(); y <= r.bottom(); y += step)
        p.fillRect(QRect(r.left(), y, r.width(), std::min(step, r.bottom() + 1 - y)), color);
}

} // namespace studio
