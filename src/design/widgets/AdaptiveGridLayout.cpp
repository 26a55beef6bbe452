#include "design/widgets/AdaptiveGridLayout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace studio {

AdaptiveGridLayout::AdaptiveGridLayout(int minimumColumnWidth, int maximumColumnWidth, int columnSpacing,
                                       int rowSpacing, QWidget* parent)
    : ItemListLayout(parent)
    , m_minimum(std::max(1, minimumColumnWidth))
    , m_maximum(std::max(std::max(1, minimumColumnWidth), maximumColumnWidth))
    , m_columnSpacing(std::max(0, columnSpacing))
    , m_rowSpacing(std::max(0, rowSpacing))
{
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::Columns AdaptiveGridLayout::columnsFor(int width, int minimum, int maximum, int spacing)
{
    Columns c;
    width = std::max(0, width);
    minimum = std::max(1, minimum);
    maximum = std::max(minimum, maximum);
    c.count = std::max(1, (width + spacing) / (minimum + spacing));
    const qreal share = (width - qreal(c.count - 1) * spacing) / c.count;
    // Narrower than one minimum column: the single column takes what there is.
    c.width = std::min<qreal>(std::max<qreal>(share, 0), maximum);
    const qreal used = c.count * c.width + (c.count - 1) * spacing;
    c.offset = std::max<qreal>(0, (width - used) / 2.0);
    return c;
}

namespace {
int itemHeight(QLayoutItem* item, int width)
{
    int h = item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
    return std::clamp(h, item->minimumSize().height(), item->maximumSize().height());
}
} // namespace

int AdaptiveGridLayout::place(const QRect& rect, bool apply) const
{
    const QRect inner = rect.marginsRemoved(contentsMargins());
    const Columns cols = columnsFor(inner.width(), m_minimum, m_maximum, m_columnSpacing);
    const QList<QLayoutItem*> items = visibleItems();
    const int cellWidth = std::max(0, int(std::floor(cols.width)));
    int y = 0;
    for (int start = 0; start < items.size(); start += cols.count) {
        const int end = std::min<int>(items.size(), start + cols.count);
        int rowHeight = 0;
        QList<QSize> sizes;
        for (int i = start; i < end; ++i) {
            QLayoutItem* item = items[i];
            const int w = std::clamp(cellWidth, item->minimumSize().width(), item->maximumSize().width());
            const QSize s(w, itemHeight(item, w));
            sizes.append(s);
            rowHeight = std::max(rowHeight, s.height());
        }
        if (apply) {
            for (int i = start; i < end; ++i) {
                const QSize s = sizes[i - start];
                const int column = i - start;
                const qreal cellX = cols.offset + column * (cols.width + m_columnSpacing);
                const int x = int(std::lround(cellX + (cols.width - s.width()) / 2.0));
                const int dy = (rowHeight - s.height()) / 2;
                items[i]->setGeometry(QRect(inner.left() + x, inner.top() + y + dy, s.width(), s.height()));
            }
        }
        y += rowHeight;
        if (end < items.size())
            y += m_rowSpacing;
    }
    const QMargins m = contentsMargins();
    return y + m.top() + m.bottom();
}

int AdaptiveGridLayout::heightForWidth(int width) const
{
    return place(QRect(0, 0, width, 0), false);
}

QSize AdaptiveGridLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    // Ideally three columns at the minimum width.
    const int w = 3 * m_minimum + 2 * m_columnSpacing + m.left() + m.right();
    return QSize(w, heightForWidth(w));
}

QSize AdaptiveGridLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    return QSize(m_minimum + m.left() + m.right(), m.top() + m.bottom());
}

void AdaptiveGridLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    place(rect, true);
}

} // namespace studio
