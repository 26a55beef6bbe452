#include "views/phases/script/ScriptToolbarLayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>

namespace studio {

namespace {

constexpr int itemSpacing = 8;
// Between the leading and the trailing items at the least: the spacing on
// both sides of the stretch that parts them.
constexpr int gap = 2 * itemSpacing;
constexpr int lineSpacing = 6;

int rowWidth(const QList<QLayoutItem*>& items)
{
    int width = 0;
    for (QLayoutItem* item : items)
        width += item->sizeHint().width();
    return width + itemSpacing * std::max<int>(0, int(items.size()) - 1);
}

} // namespace

ScriptToolbarLayout::ScriptToolbarLayout(QWidget* parent)
    : QLayout(parent)
{
    setContentsMargins(20, 11, 20, 11);
}

ScriptToolbarLayout::~ScriptToolbarLayout()
{
    for (const Item& item : std::as_const(m_items))
        delete item.item;
}

void ScriptToolbarLayout::addLeading(QWidget* widget)
{
    addChildWidget(widget);
    m_items.append({new QWidgetItem(widget), true});
    invalidate();
}

void ScriptToolbarLayout::addTrailing(QWidget* widget)
{
    addChildWidget(widget);
    m_items.append({new QWidgetItem(widget), false});
    invalidate();
}

void ScriptToolbarLayout::addItem(QLayoutItem* item)
{
    m_items.append({item, false});
}

int ScriptToolbarLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem* ScriptToolbarLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].item : nullptr;
}

QLayoutItem* ScriptToolbarLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    return m_items.takeAt(index).item;
}

QList<QLayoutItem*> ScriptToolbarLayout::shown(bool leading) const
{
    QList<QLayoutItem*> out;
    for (const Item& item : m_items) {
        if (item.leading == leading && !item.item->isEmpty())
            out.append(item.item);
    }
    return out;
}

int ScriptToolbarLayout::trailingOnFirstLine(int width) const
{
    const QMargins m = contentsMargins();
    const int room = width - m.left() - m.right() - rowWidth(shown(true)) - gap;
    const QList<QLayoutItem*> trailing = shown(false);
    int count = int(trailing.size());
    while (count > 0 && rowWidth(trailing.first(count)) > room)
        --count;
    return count;
}

int ScriptToolbarLayout::firstLineHeight() const
{
    // Hidden items count too: the line keeps its height as they come and go.
    // (A layout item of a hidden widget has no size; the widget has.)
    int height = 0;
    for (const Item& item : m_items) {
        const QWidget* widget = item.item->widget();
        height = std::max(height, widget ? widget->sizeHint().height() : item.item->sizeHint().height());
    }
    return height;
}

int ScriptToolbarLayout::secondLineHeight(int width) const
{
    const QList<QLayoutItem*> trailing = shown(false);
    int height = 0;
    for (QLayoutItem* item : trailing.mid(trailingOnFirstLine(width)))
        height = std::max(height, item->sizeHint().height());
    return height;
}

QSize ScriptToolbarLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const int trailing = rowWidth(shown(false));
    return QSize(m.left() + rowWidth(shown(true)) + (trailing > 0 ? gap + trailing : 0) + m.right(),
                 m.top() + firstLineHeight() + m.bottom());
}

QSize ScriptToolbarLayout::minimumSize() const
{
    // Narrower than everything on one line, the trailing items wrap.
    const QMargins m = contentsMargins();
    int widest = rowWidth(shown(true));
    for (QLayoutItem* item : shown(false))
        widest = std::max(widest, item->sizeHint().width());
    return QSize(m.left() + widest + m.right(), m.top() + firstLineHeight() + m.bottom());
}

int ScriptToolbarLayout::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    const int second = secondLineHeight(width);
    return m.top() + firstLineHeight() + (second > 0 ? lineSpacing + second : 0) + m.bottom();
}

void ScriptToolbarLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int first = firstLineHeight();
    const int firstCentre = area.top() + first / 2;
    const auto put = [](QLayoutItem* item, int x, int centre) {
        const QSize size = item->sizeHint();
        item->setGeometry(QRect(x, centre - size.height() / 2, size.width(), size.height()));
    };
    int x = area.left();
    for (QLayoutItem* item : shown(true)) {
        put(item, x, firstCentre);
        x += item->sizeHint().width() + itemSpacing;
    }
    // The trailing items from the right: those of the second line, then
    // those of the first.
    const QList<QLayoutItem*> trailing = shown(false);
    const int onFirst = trailingOnFirstLine(rect.width());
    const auto putRight = [&](const QList<QLayoutItem*>& items, int centre) {
        int right = area.right() + 1;
        for (auto it = items.crbegin(); it != items.crend(); ++it) {
            right -= (*it)->sizeHint().width();
            put(*it, right, centre);
            right -= itemSpacing;
        }
    };
    putRight(trailing.first(onFirst), firstCentre);
    const int second = secondLineHeight(rect.width());
    putRight(trailing.mid(onFirst), area.top() + first + lineSpacing + second / 2);
}

} // namespace studio
