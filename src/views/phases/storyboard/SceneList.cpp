#include "views/phases/storyboard/SceneList.h"

#include "design/focus/TabOrder.h"
#include "views/phases/storyboard/SceneRow.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace studio {

namespace {

constexpr int margin = 2;
constexpr int spacing = 6;

} // namespace

SceneList::SceneList(QScrollArea* page, Create create, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_create(std::move(create))
    , m_built(this)
    , m_rowHeight(SceneRow(QUuid()).sizeHint().height())
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Where the keyboard rests when the last scene is deleted.
    setAccessibleName(QStringLiteral("Scenes"));
    connect(m_page->verticalScrollBar(), &QScrollBar::valueChanged, this, &SceneList::follow);
    m_page->viewport()->installEventFilter(this);
}

void SceneList::setEntries(const QList<Entry>& entries)
{
    const bool resized = entries.size() != m_entries.size();
    m_entries = entries;
    QList<QUuid> ids;
    ids.reserve(m_entries.size());
    for (const Entry& entry : std::as_const(m_entries))
        ids.append(entry.sceneID);
    m_built.setKeys(ids);
    if (resized)
        updateGeometry();
    follow();
}

QList<SceneRow*> SceneList::rows() const
{
    return m_built.widgets();
}

int SceneList::rowTop(qsizetype index) const
{
    return margin + int(index) * (m_rowHeight + spacing);
}

void SceneList::showRow(SceneRow* row, qsizetype index) const
{
    const Entry& entry = m_entries[index];
    row->setGeometry(0, rowTop(index), width(), m_rowHeight);
    row->setContent(int(index) + 1, entry.slug, entry.detail, entry.selected);
}

void SceneList::follow()
{
    const QWidget* viewport = m_page->viewport();
    const int page = std::max(viewport->height(), m_rowHeight);
    const int top = m_page->verticalScrollBar()->value() - page;
    const int bottom = m_page->verticalScrollBar()->value() + 2 * page;
    const int stride = m_rowHeight + spacing;
    const qsizetype first = std::clamp<qsizetype>((top - margin) / stride, 0, m_entries.size());
    const qsizetype last = std::clamp<qsizetype>((bottom - margin) / stride + 1, 0, m_entries.size());
    // Besides the rows in reach: the first and the last, where Tab and
    // Shift+Tab enter the list, and the focused row's neighbours, where they
    // go next.
    const qsizetype focused = focusedIndex();
    const qsizetype end = m_entries.size() - 1;
    m_built.sync(
        [first, last, focused, end](qsizetype index) {
            return (index >= first && index < last) || index == 0 || index == end
                || (focused >= 0 && index >= focused - 1 && index <= focused + 1);
        },
        [this](qsizetype index) {
            SceneRow* row = m_create(m_entries[index].sceneID);
            row->installEventFilter(this);
            return row;
        },
        [this](SceneRow* row, qsizetype index) { showRow(row, index); });
    // Rows built now join the window's Tab order at its end: they belong
    // after the anchor, in scene order.
    if (m_tabAnchor) {
        const QList<SceneRow*> rows = m_built.widgets();
        TabOrder::chain(m_tabAnchor, QList<QWidget*>(rows.cbegin(), rows.cend()));
    }
}

qsizetype SceneList::focusedIndex() const
{
    qsizetype focused = -1;
    m_built.forEach([&focused](SceneRow* row, qsizetype index) {
        if (row->hasFocus())
            focused = index;
    });
    return focused;
}

QSize SceneList::sizeHint() const
{
    const qsizetype n = m_entries.size();
    return QSize(0, n ? rowTop(n) - spacing + margin : 2 * margin);
}

QSize SceneList::minimumSizeHint() const
{
    return sizeHint();
}

bool SceneList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page->viewport() && event->type() == QEvent::Resize)
        follow();
    // A row taking the focus brings its neighbours, for the next Tab.
    if (event->type() == QEvent::FocusIn && qobject_cast<SceneRow*>(watched))
        follow();
    return QWidget::eventFilter(watched, event);
}

void SceneList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    follow();
}

} // namespace studio
