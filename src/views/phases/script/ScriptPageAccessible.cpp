#include "views/phases/script/ScriptPageAccessible.h"

#include "design/PlainTextEditor.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"

#include <QPointer>
#include <QWindow>

namespace studio {

namespace {

// One element as the page paints it, found again by its id each time it is read.
class ScriptElementAccessible : public QAccessibleInterface {
public:
    ScriptElementAccessible(ScriptPage* page, const QUuid& id)
        : m_page(page)
        , m_id(id)
    {
    }

    bool isValid() const override { return m_page && m_page->rows().indexOf(m_id) >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_page ? m_page->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_page.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        const ScriptElementRow& row = m_page->rows().row(m_page->rows().indexOf(m_id));
        switch (t) {
        case QAccessible::Name:
            return ScriptElementRow::style(row.kind()).label;
        case QAccessible::Value:
            return row.text();
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect area = m_page->rowRect(m_id);
        return QRect(m_page->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        if (!isValid() || !m_page->visibleRegion().intersects(m_page->rowRect(m_id)))
            s.offscreen = true;
        return s;
    }

private:
    QPointer<ScriptPage> m_page;
    QUuid m_id;
};

QAccessibleInterface* pageFactory(const QString&, QObject* object)
{
    if (auto* page = qobject_cast<ScriptPage*>(object))
        return new ScriptPageAccessible(page);
    return nullptr;
}

} // namespace

ScriptPageAccessible::ScriptPageAccessible(ScriptPage* page)
    : QAccessibleWidget(page, QAccessible::Document)
{
}

ScriptPageAccessible::~ScriptPageAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_elements))
        QAccessible::deleteAccessibleInterface(id);
}

void ScriptPageAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(pageFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

ScriptPage* ScriptPageAccessible::page() const
{
    return static_cast<ScriptPage*>(widget());
}

QAccessibleInterface* ScriptPageAccessible::element(const QUuid& id) const
{
    if (const auto found = m_elements.constFind(id); found != m_elements.cend())
        return QAccessible::accessibleInterface(*found);
    // Elements gone from the script take their interfaces with them.
    for (auto it = m_elements.begin(); it != m_elements.end();) {
        if (page()->rows().indexOf(it.key()) < 0) {
            QAccessible::deleteAccessibleInterface(*it);
            it = m_elements.erase(it);
        } else {
            ++it;
        }
    }
    auto* made = new ScriptElementAccessible(page(), id);
    m_elements.insert(id, QAccessible::registerAccessibleInterface(made));
    return made;
}

QList<QAccessibleInterface*> ScriptPageAccessible::children() const
{
    ScriptPage* p = page();
    QList<QAccessibleInterface*> out;
    const auto [first, last] = p->rowsNearView();
    for (int i = first; i >= 0 && i <= last; ++i) {
        const QUuid id = p->rows().row(i).id();
        if (id == p->editorID() && p->editor()->isVisible() && p->rows().indexOf(id) == i)
            out.append(QAccessible::queryAccessibleInterface(p->editor()));
        else
            out.append(element(id));
    }
    for (QWidget* w : {p->controls(), p->chips(), p->emptyState()}) {
        if (w && w->isVisible())
            out.append(QAccessible::queryAccessibleInterface(w));
    }
    return out;
}

int ScriptPageAccessible::childCount() const
{
    return int(children().size());
}

QAccessibleInterface* ScriptPageAccessible::child(int index) const
{
    return children().value(index);
}

int ScriptPageAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return int(children().indexOf(const_cast<QAccessibleInterface*>(child)));
}

} // namespace studio
