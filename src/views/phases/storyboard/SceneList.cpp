#include "views/phases/storyboard/SceneList.h"

#include "views/phases/storyboard/SceneRow.h"

#include <QApplication>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>

#include <algorithm>

namespace studio {

namespace {

constexpr int margin = 2;
constexpr int spacing = 6;

bool holdsFocus(const QWidget* row)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == row || row->isAncestorOf(focus));
}

// Rows that leave go later: one may be the sender of the request that led
// here.
void retire(SceneRow* row)
{
    row->hide();
    row->deleteLater();
}

} // namespace

SceneList::SceneList(QScrollArea* page, Create create, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_create(std::move(create))
    , m_rowHeight(SceneRow(QUuid()).sizeHint().height())
{
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_page->verticalScrollBar(), &QScrollBar::valueChanged, this, &SceneList::follow);
    m_page->viewport()->installEventFilter(this);
}

void SceneList::setEntries(const QList<Entry>& entries)
{
    const bool resized = entries.size() != m_entries.size();
    m_entries = entries;
    QSet<QUuid> present;
    for (const Entry& entry : m_entries)
        present.insert(entry.sceneID);
    for (auto it = m_built.begin(); it != m_built.end();) {
        if (present.contains(it.key())) {
            ++it;
            continue;
        }
        retire(it.value());
        it = m_built.erase(it);
    }
    if (resized)
        updateGeometry();
    follow();
}

QList<SceneRow*> SceneList::rows() const
{
    QList<SceneRow*> out;
    for (const Entry& entry : m_entries) {
        if (SceneRow* row = m_built.value(entry.sceneID))
            out.append(row);
    }
    return out;
}

int SceneList::rowTop(qsizetype index) const
{
    return margin + int(index) * (m_rowHeight + spacing);
}

void SceneList::show(SceneRow* row, qsizetype index) const
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

    QHash<QUuid, SceneRow*> kept;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QUuid& id = m_entries[i].sceneID;
        SceneRow* row = m_built.take(id);
        const bool wanted = i >= first && i < last;
        if (!row && wanted) {
            row = m_create(id);
            row->setParent(this);
            show(row, i);
            row->show();
        } else if (row && (wanted || holdsFocus(row))) {
            show(row, i);
        } else if (row) {
            retire(row);
            row = nullptr;
        }
        if (row)
            kept.insert(id, row);
    }
    for (SceneRow* row : std::as_const(m_built))
        retire(row);
    m_built = kept;
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
    return QWidget::eventFilter(watched, event);
}

void SceneList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    follow();
}

} // namespace studio
