#include "views/phases/script/ScriptPageAccessible.h"

#include "design/PlainTextEditor.h"
#include "design/TextEditAccessible.h"
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

void tell(QAccessibleInterface* iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

// The live editor is read as the child of the element it stands in, with
// the text it edits.
class ScriptEditorAccessible : public TextEditAccessible {
public:
    explicit ScriptEditorAccessible(PlainTextEditor* editor)
        : TextEditAccessible(editor, editor->textEdit(), QAccessible::Client)
    {
    }

    QAccessibleInterface* parent() const override
    {
        auto* page = static_cast<ScriptPage*>(widget()->parentWidget());
        QAccessibleInterface* pageInterface = QAccessible::queryAccessibleInterface(page);
        const int at = page->rows().indexOf(page->editorID());
        if (auto* paper = dynamic_cast<ScriptPageAccessible*>(pageInterface); paper && at >= 0 && widget()->isVisible())
            return paper->item(at);
        return pageInterface;
    }
};

} // namespace

ScriptPageAccessible::ScriptPageAccessible(ScriptPage* page)
    : PaintedItemsAccessible(page, QAccessible::Document, QAccessible::Paragraph)
{
    pages().insert(page, this);
}

ScriptPageAccessible::~ScriptPageAccessible()
{
    pages().removeIf([this](const auto& entry) { return entry.value() == this; });
}

QAccessibleInterface* ScriptPageAccessible::make(ScriptPage* page, QObject* object)
{
    if (object == page)
        return new ScriptPageAccessible(page);
    // The page's one editor, asked for perhaps before the page holds it.
    if (auto* editor = qobject_cast<PlainTextEditor*>(object); editor && editor->parentWidget() == page)
        return new ScriptEditorAccessible(editor);
    return nullptr;
}

ScriptPageAccessible* ScriptPageAccessible::existing(const ScriptPage* page)
{
    return pages().value(page);
}

PaintedItemAccessible* ScriptPageAccessible::makeItem(const QUuid& id, int twin)
{
    return new ScriptElementAccessible(this, id, twin);
}

QString ScriptPageAccessible::itemText(int index, QAccessible::Text t) const
{
    const ScriptElementRow& row = page()->rows().row(index);
    switch (t) {
    case QAccessible::Name:
        return row.text();
    case QAccessible::Description:
        return ScriptElementRow::style(row.kind()).label;
    default:
        return QString();
    }
}

QAccessible::State ScriptPageAccessible::itemState(int) const
{
    QAccessible::State s;
    s.readOnly = true;
    return s;
}

int ScriptPageAccessible::itemAt(const QPoint& point) const
{
    const int row = page()->rows().rowAtY(point.y());
    return row >= 0 && page()->rowRect(itemID(row)).contains(point) ? row : -1;
}

void ScriptPageAccessible::doItemAction(int index, const QString&)
{
    // What a click on the element does: it is written there (in the first
    // of twins only, the one the editor can stand in).
    const QUuid id = itemID(index);
    if (itemIndex(id) == index)
        page()->focusElement(id);
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
            for (QAccessibleInterface* made : madeItems())
                tell(made, QAccessible::ObjectDestroyed);
        } else {
            for (int i = head; i < oldEnd; ++i)
                tell(madeItem(i), QAccessible::ObjectDestroyed);
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
        tell(item(page()->rows().indexOf(id)), QAccessible::ObjectCreated);
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
    if (QAccessibleInterface* e = madeItem(row)) {
        tell(e, QAccessible::NameChanged);
        if (kindChanged)
            tell(e, QAccessible::DescriptionChanged);
    }
}

} // namespace studio
