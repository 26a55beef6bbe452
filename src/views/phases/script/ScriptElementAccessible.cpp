#include "views/phases/script/ScriptElementAccessible.h"

#include "design/PlainTextEditor.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptPageAccessible.h"

#include <QWindow>

namespace studio {

ScriptElementAccessible::ScriptElementAccessible(ScriptPage* page, const QUuid& id, int twin)
    : m_page(page)
    , m_id(id)
    , m_twin(twin)
{
}

int ScriptElementAccessible::row() const
{
    if (!m_page)
        return -1;
    const ScriptRows& rows = m_page->rows();
    int at = rows.indexOf(m_id);
    // The later twins of an id (a script may hold one twice) by counting.
    for (int seen = 0; at >= 0 && seen < m_twin;) {
        if (++at >= rows.count())
            return -1;
        if (rows.row(at).id() == m_id)
            ++seen;
    }
    return at;
}

const ScriptElementRow* ScriptElementAccessible::rowData() const
{
    const int at = row();
    return at < 0 ? nullptr : &m_page->rows().row(at);
}

bool ScriptElementAccessible::isValid() const
{
    return row() >= 0;
}

bool ScriptElementAccessible::isLive() const
{
    return m_twin == 0 && m_page && m_page->editorID() == m_id && m_page->editor()->isVisible();
}

QWindow* ScriptElementAccessible::window() const
{
    return m_page ? m_page->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ScriptElementAccessible::parent() const
{
    return m_page ? QAccessible::queryAccessibleInterface(m_page.data()) : nullptr;
}

QAccessibleInterface* ScriptElementAccessible::child(int index) const
{
    return index == 0 && isLive() ? QAccessible::queryAccessibleInterface(m_page->editor()) : nullptr;
}

QAccessibleInterface* ScriptElementAccessible::childAt(int x, int y) const
{
    QAccessibleInterface* editor = child(0);
    return editor && editor->rect().contains(x, y) ? editor : nullptr;
}

int ScriptElementAccessible::childCount() const
{
    return isLive() ? 1 : 0;
}

int ScriptElementAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return child && isLive() && child->object() == m_page->editor() ? 0 : -1;
}

QString ScriptElementAccessible::text(QAccessible::Text t) const
{
    const ScriptElementRow* data = rowData();
    if (!data)
        return QString();
    switch (t) {
    case QAccessible::Name:
        return data->text();
    case QAccessible::Description:
        return ScriptElementRow::style(data->kind()).label;
    default:
        return QString();
    }
}

QRect ScriptElementAccessible::rect() const
{
    if (!isValid())
        return QRect();
    const QRect area = m_page->textRect(m_id);
    return QRect(m_page->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::State ScriptElementAccessible::state() const
{
    QAccessible::State s;
    s.readOnly = true;
    s.focusable = true;
    if (!isValid() || !m_page->visibleRegion().intersects(m_page->rowRect(m_id)))
        s.offscreen = true;
    return s;
}

void* ScriptElementAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

void ScriptElementAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString ScriptElementAccessible::text(int startOffset, int endOffset) const
{
    const ScriptElementRow* data = rowData();
    if (!data || startOffset < 0 || endOffset < startOffset)
        return QString();
    return data->text().mid(startOffset, endOffset - startOffset);
}

int ScriptElementAccessible::characterCount() const
{
    const ScriptElementRow* data = rowData();
    return data ? int(data->text().size()) : 0;
}

QString ScriptElementAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

QStringList ScriptElementAccessible::actionNames() const
{
    return {QAccessibleActionInterface::setFocusAction()};
}

void ScriptElementAccessible::doAction(const QString& actionName)
{
    // What a click on the element does: it is written there.
    if (actionName == QAccessibleActionInterface::setFocusAction() && m_page && m_twin == 0 && isValid())
        m_page->focusElement(m_id);
}

} // namespace studio
