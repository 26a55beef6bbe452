#include "design/widgets/FlowLayout.h"

#include <algorithm>

namespace studio {

FlowLayout::FlowLayout(int spacing, QWidget* parent)
    : ItemListLayout(parent)
    , m_spacing(spacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::Arrangement FlowLayout::arrange(const QList<QSize>& sizes, std::optional<int> width, int spacing)
{
    const int available = width.value_or(unspecifiedWidth);
    Arrangement out;
    int x = 0, y = 0, rowHeight = 0;
    for (const QSize& s : sizes) {
        if (x > 0 && x + s.width() > available) {
            y += rowHeight + spacing;
            x = 0;
            rowHeight = 0;
        }
        out.positions.append(QPoint(x, y));
        x += s.width() + spacing;
        rowHeight = std::max(rowHeight, s.height());
    }
    out.size = QSize(available, y + rowHeight);
    return out;
}

QList<QSize> FlowLayout::childSizes() const
{
    QList<QSize> sizes;
    for (QLayoutItem* item : visibleItems())
        sizes.append(item->sizeHint());
    return sizes;
}

int FlowLayout::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    const int inner = std::max(0, width - m.left() - m.right());
    return arrange(childSizes(), inner, m_spacing).size.height() + m.top() + m.bottom();
}

QSize FlowLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize s = arrange(childSizes(), std::nullopt, m_spacing).size;
    return s + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::minimumSize() const
{
    // Any width will do: children that do not fit overflow rather than
    // forcing the flow wider. The height follows the width given
    // (heightForWidth); the minimum is one row.
    const QMargins m = contentsMargins();
    int tallest = 0;
    for (const QSize& s : childSizes())
        tallest = std::max(tallest, s.height());
    return QSize(m.left() + m.right(), tallest + m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    const QList<QLayoutItem*> items = visibleItems();
    QList<QSize> sizes;
    // An item wider than a whole line gets the line (it shrinks or elides)
    // rather than running past the edge.
    for (QLayoutItem* item : items)
        sizes.append(item->sizeHint().boundedTo(QSize(std::max(0, inner.width()), QLAYOUTSIZE_MAX)));
    const Arrangement a = arrange(sizes, inner.width(), m_spacing);
    for (int i = 0; i < items.size(); ++i)
        items[i]->setGeometry(QRect(inner.topLeft() + a.positions[i], sizes[i]));
}

} // namespace studio
