#include "views/phases/script/ScriptPageAccessible.h"

#include "design/PlainTextEditor.h"
#include "views/phases/script/ScriptElementAccessible.h"
#include "views/phases/script/ScriptPage.h"

#include <QSet>
#include <QTextEdit>

namespace studio {

namespace {

// The page's interfaces, by page, while they live.
QHash<const ScriptPage*, ScriptPageAccessible*>& pages()
{
    static QHash<const ScriptPage*, ScriptPageAccessible*> map;
    return map;
}

// What follows the elements: the row controls, the chips and the empty state.
QList<QWidget*> extrasOf(const ScriptPage* page)
{
    return {page->controls(), page->chipLine(), page->emptyState()};
}

void tell(QAccessibleInterface* iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

// The live editor is read as the child of the element it stands in.
class ScriptEditorAccessible : public QAccessibleWidget {
public:
    explicit ScriptEditorAccessible(PlainTextEditor* editor)
        : QAccessibleWidget(editor)
    {
    }

    QAccessibleInterface* parent() const override
    {
        auto* page = static_cast<ScriptPage*>(widget()->parentWidget());
        QAccessibleInterface* pageInterface = QAccessible::queryAccessibleInterface(page);
        const int at = page->rows().indexOf(page->editorID());
        if (auto* paper = dynamic_cast<ScriptPageAccessible*>(pageInterface); paper && at >= 0 && widget()->isVisible())
            return paper->element(at);
        return pageInterface;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* page = qobject_cast<ScriptPage*>(object))
        return new ScriptPageAccessible(page);
    if (auto* editor = qobject_cast<PlainTextEditor*>(object)) {
        const auto* page = qobject_cast<ScriptPage*>(editor->parentWidget());
        if (page && page->editor() == editor)
            return new ScriptEditorAccessible(editor);
    }
    return nullptr;
}

} // namespace

ScriptPageAccessible::ScriptPageAccessible(ScriptPage* page)
    : QAccessibleWidget(page, QAccessible::Document)
{
    pages().insert(page, this);
}

ScriptPageAccessible::~ScriptPageAccessible()
{
    pages().removeIf([this](const auto& entry) { return entry.value() == this; });
    forgetAll();
}

void ScriptPageAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

ScriptPageAccessible* ScriptPageAccessible::existing(const ScriptPage* page)
{
    return pages().value(page);
}

ScriptPage* ScriptPageAccessible::page() const
{
    return static_cast<ScriptPage*>(widget());
}

int ScriptPageAccessible::childCount() const
{
    return page()->rowCount() + int(extrasOf(page()).size());
}

ScriptPageAccessible::Key ScriptPageAccessible::key(int row) const
{
    const ScriptRows& rows = page()->rows();
    const QUuid id = rows.row(row).id();
    int twin = 0;
    // Only a script holding one id twice finds another row by it.
    for (int at = rows.indexOf(id); at >= 0 && at < row; ++at) {
        if (rows.row(at).id() == id)
            ++twin;
    }
    return {id, twin};
}

QAccessibleInterface* ScriptPageAccessible::made(int row) const
{
    if (row < 0 || row >= page()->rowCount())
        return nullptr;
    const auto found = m_elements.constFind(key(row));
    return found == m_elements.cend() ? nullptr : QAccessible::accessibleInterface(*found);
}

QAccessibleInterface* ScriptPageAccessible::element(int row) const
{
    if (row < 0 || row >= page()->rowCount())
        return nullptr;
    const Key k = key(row);
    if (const auto found = m_elements.constFind(k); found != m_elements.cend())
        return QAccessible::accessibleInterface(*found);
    auto* made = new ScriptElementAccessible(page(), k.first, k.second);
    m_elements.insert(k, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface* ScriptPageAccessible::child(int index) const
{
    const int rows = page()->rowCount();
    if (index < rows)
        return element(index);
    return QAccessible::queryAccessibleInterface(extrasOf(page()).value(index - rows));
}

int ScriptPageAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (const auto* e = dynamic_cast<const ScriptElementAccessible*>(child)) {
        const int at = e->row();
        return at >= 0 && made(at) == child ? at : -1;
    }
    const qsizetype extra = extrasOf(page()).indexOf(qobject_cast<QWidget*>(child->object()));
    return extra < 0 || !child->object() ? -1 : page()->rowCount() + int(extra);
}

QAccessibleInterface* ScriptPageAccessible::childAt(int x, int y) const
{
    const QPoint at = page()->mapFromGlobal(QPoint(x, y));
    for (QWidget* w : extrasOf(page())) {
        if (w && w->isVisible() && w->geometry().contains(at))
            return QAccessible::queryAccessibleInterface(w);
    }
    const int row = page()->rows().rowAtY(at.y());
    if (row < 0 || !page()->rowRect(page()->rows().row(row).id()).contains(at))
        return nullptr;
    return element(row);
}

ScriptPageAccessible::Splice ScriptPageAccessible::rowsChanging(const QList<ScriptElement>& elements,
                                                                const rules::ScriptChange& change)
{
    Splice splice;
    const ScriptRows& rows = page()->rows();
    const int head = int(change.head);
    const int oldEnd = rows.count() - int(change.tail);
    const int newEnd = int(elements.size() - change.tail);
    bool sameRows = oldEnd == newEnd;
    for (int i = head; sameRows && i < newEnd; ++i)
        sameRows = rows.row(i).id() == elements[i].id;
    if (sameRows)
        return splice;
    // The rows between the parts that agree leave, those of the new script
    // come (a row kept there but moved does both).
    QSet<QUuid> arriving;
    for (int i = head; i < newEnd; ++i) {
        const QUuid& id = elements[i].id;
        const int elsewhere = rows.indexOf(id);
        // An id twice in the script: the twins are counted afresh.
        if (arriving.contains(id) || (elsewhere >= 0 && (elsewhere < head || elsewhere >= oldEnd)))
            splice.reindex = true;
        arriving.insert(id);
        splice.arriving << id;
    }
    for (int i = head; i < oldEnd; ++i)
        splice.leaving << rows.row(i).id();
    splice.reindex = splice.reindex || rows.hasTwins();
    // Rows going are told while they can still say where they were.
    if (QAccessible::isActive()) {
        if (splice.reindex) {
            for (const QAccessible::Id id : std::as_const(m_elements))
                tell(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
        } else {
            for (int i = head; i < oldEnd; ++i)
                tell(made(i), QAccessible::ObjectDestroyed);
        }
    }
    return splice;
}

void ScriptPageAccessible::rowsChanged(const Splice& splice)
{
    if (splice.reindex)
        forgetAll();
    for (const QUuid& id : splice.leaving)
        forget(id);
    if (!QAccessible::isActive())
        return;
    // (Each row on its own: Qt's reorder event reaches assistive technology
    // in a form it drops.)
    for (const QUuid& id : splice.arriving)
        tell(element(page()->rows().indexOf(id)), QAccessible::ObjectCreated);
}

void ScriptPageAccessible::editorLeaving()
{
    const int at = page()->rows().indexOf(page()->editorID());
    if (QAccessible::isActive() && at >= 0 && page()->editor()->isVisible())
        tell(QAccessible::queryAccessibleInterface(page()->editor()), QAccessible::ObjectDestroyed);
}

void ScriptPageAccessible::editorArrived()
{
    if (!QAccessible::isActive() || page()->rows().indexOf(page()->editorID()) < 0)
        return;
    tell(QAccessible::queryAccessibleInterface(page()->editor()), QAccessible::ObjectCreated);
    // Tab from element to element keeps the focus in the one editor: the
    // element it now stands in is announced as a focus is.
    if (QWidget* edit = page()->textEdit(); edit->hasFocus())
        tell(QAccessible::queryAccessibleInterface(edit), QAccessible::Focus);
}

void ScriptPageAccessible::rowChanged(int row, bool kindChanged)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* e = made(row)) {
        tell(e, QAccessible::NameChanged);
        if (kindChanged)
            tell(e, QAccessible::DescriptionChanged);
    }
}

void ScriptPageAccessible::forget(const QUuid& id)
{
    // (Twins are forgotten all at once, with everything else.)
    if (const auto found = m_elements.constFind({id, 0}); found != m_elements.cend()) {
        QAccessible::deleteAccessibleInterface(*found);
        m_elements.erase(found);
    }
}

void ScriptPageAccessible::forgetAll()
{
    for (const QAccessible::Id id : std::as_const(m_elements))
        QAccessible::deleteAccessibleInterface(id);
    m_elements.clear();
}

} // namespace studio
