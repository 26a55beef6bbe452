#include "views/phases/script/ScriptPageAccessible.h"

#include "design/access/WidgetAccessible.h"
#include "design/text/PlainTextEditor.h"
#include "model/Enums.h"
#include "views/phases/script/ScriptElementAccessible.h"
#include "views/phases/script/ScriptPage.h"

#include <QSet>
#include <QTextEdit>

namespace studio {

namespace {

// The live editor, a part of the page with nothing of its own to read: the
// element it stands in reads its text (and its text edit is read only
// there, not a second time inside it).
class ScriptEditorAccessible : public WidgetAccessible {
public:
    explicit ScriptEditorAccessible(PlainTextEditor* editor)
        : WidgetAccessible(editor)
    {
    }

    QString text(QAccessible::Text) const override { return QString(); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

} // namespace

ScriptPageAccessible::ScriptPageAccessible(ScriptPage* page)
    : PaintedItemsAccessible(page, QAccessible::Document, QAccessible::Paragraph,
                             page->editor() ? page->textEdit() : nullptr)
{
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
    return dynamic_cast<ScriptPageAccessible*>(PaintedItemsAccessible::existing(page));
}

QString ScriptPageAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return title(PhaseID::script);
    return PaintedItemsAccessible::text(t);
}

int ScriptPageAccessible::liveRow(const ScriptPage* page)
{
    const int at = page->rows().indexOf(page->editorID());
    return at >= 0 && page->editor()->isVisible() ? at : -1;
}

int ScriptPageAccessible::focusedItem() const
{
    return holdsKeyboard(page()->textEdit()) ? liveRow(page()) : -1;
}

QList<QWidget*> ScriptPageAccessible::widgetsAfterItems() const
{
    return {page()->controls(), page()->chipLine(), page()->emptyState(), page()->editor()};
}

PaintedItemAccessible* ScriptPageAccessible::makeItem(const QUuid& id, int twin)
{
    return new ScriptElementAccessible(this, id, twin);
}

QString ScriptPageAccessible::itemText(int index, QAccessible::Text t) const
{
    // The text is read through the text interface: the name says only what
    // the element is, as a reader says it before the line it reads there.
    if (t == QAccessible::Name)
        return ScriptElementRow::style(page()->rows().row(index).kind()).label;
    return QString();
}

QAccessible::State ScriptPageAccessible::itemState(int) const
{
    // Every element is written in where it stands (the editor goes there
    // with the keyboard).
    QAccessible::State s;
    s.editable = true;
    s.multiLine = true;
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

PaintedItemsAccessible::Splice ScriptPageAccessible::rowsChanging(const QList<ScriptElement>& elements,
                                                                  const rules::ScriptChange& change)
{
    const ScriptRows& rows = page()->rows();
    const int head = int(change.head);
    const int oldEnd = rows.count() - int(change.tail);
    const int newEnd = int(elements.size() - change.tail);
    // The rows between the parts that agree give way to those of the new
    // script (a row kept there but moved goes and comes).
    QList<QUuid> arriving;
    arriving.reserve(std::max(0, newEnd - head));
    QSet<QUuid> seen;
    bool twins = rows.hasTwins();
    for (int i = head; i < newEnd; ++i) {
        const QUuid& id = elements[i].id;
        const int elsewhere = rows.indexOf(id);
        // An id twice in the script: the twins are counted afresh.
        if (seen.contains(id) || (elsewhere >= 0 && (elsewhere < head || elsewhere >= oldEnd)))
            twins = true;
        seen.insert(id);
        arriving << id;
    }
    return itemsChanging(head, int(change.tail), arriving, twins);
}

void ScriptPageAccessible::rowsChanged(const Splice& splice)
{
    itemsChanged(splice);
}

void ScriptPageAccessible::kindChanged(int row)
{
    nameMayHaveChanged(row);
}

} // namespace studio
