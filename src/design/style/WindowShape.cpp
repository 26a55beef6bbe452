#include "design/style/WindowShape.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QSize>

#include <algorithm>

namespace studio {

QRegion WindowShape::of(const QPainterPath& outline, const QSize& size, int cornerReach)
{
    const int w = size.width(), h = size.height();
    if (w <= 0 || h <= 0)
        return QRegion();
    const int reach = std::clamp(cornerReach, 0, std::min(w, h) / 2);
    const auto inside = [&](int x, int y) { return outline.contains(QPointF(x + 0.5, y + 0.5)); };
    QRegion region;
    // The rows near the top and bottom edges lose pixels at both ends; every
    // row between them is whole.
    const auto addRow = [&](int y) {
        int left = 0;
        while (left < reach && !inside(left, y))
            ++left;
        int right = w - 1;
        while (right >= w - reach && !inside(right, y))
            --right;
        if (right >= left)
            region += QRect(left, y, right - left + 1, 1);
    };
    for (int y = 0; y < reach; ++y)
        addRow(y);
    if (h - 2 * reach > 0)
        region += QRect(0, reach, w, h - 2 * reach);
    for (int y = h - reach; y < h; ++y)
        addRow(y);
    return region;
}

void WindowShape::paintGround(QPainter& p, const QRegion& shape, const QColor& fill, const QColor& edge)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    QRegion grown;
    for (const QRect& r : shape)
        grown += r.adjusted(-1, -1, 1, 1);
    for (const QRect& r : grown) {
        p.fillRect(r, fill);
        p.fillRect(r, edge);
    }
    p.restore();
}

} // namespace studio
