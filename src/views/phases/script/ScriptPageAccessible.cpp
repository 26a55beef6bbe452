#include "views/phases/script/ScriptPageAccessible.h"

#include "design/access/AccessibleFocus.h"
#include "design/text/PlainTextEditor.h"
#include "design/access/TextEditAccessible.h"
#include "design/access/WidgetAccessible.h"
#include "model/Enums.h"
#include "views/phases/script/ScriptElementAccessible.h"
#include "views/phases/script/ScriptPage.h"

#include <QSet>
#include <QTextEdit>

namespace studio {

namespace {

void announce(QAccessibleInterface* iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

// The live editor is read as the child of the element it stands in, with
// the text it edits. The text edit inside it holds the keyboard, and is what
// reads as focused.
class ScriptEditorAccessible : public TextEditAccessible {
public:
    explicit ScriptEditorAccessible(PlainTextEditor* editor)
        : TextEditAccessible(editor, editor->textEdit(), QAccessible::Client)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TextEditAccessible::state();
        s.focused = holdsKeyboard(widget());
        return s;
    }

    // The element it stands in, or the page while it stands in none: the
    // same answer as theirs to which children they hold.
    QAccessibleInterface* parent() const override
    {
        auto* page = static_cast<ScriptPage*>(widget()->parentWidget());
        QAccessibleInterface* pageInterface = QAccessible::queryAccessibleInterface(page);
        const int at = ScriptPageAccessible::liveRow(page);
        if (auto* paper = dynamic_cast<ScriptPageAccessible*>(pageInterface); paper && at >= 0)
            return paper->item(at);
        return pageInterface;
    }
};

} // namespace

ScriptPageAccessible::ScriptPageAccessible(ScriptPage* page)
    : PaintedItemsAccessible(page, QAccessible::Document, QAccessible::Paragraph)
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

QList<QWidget*> ScriptPageAccessible::widgetsAfterItems() const
{
    QList<QWidget*> widgets{page()->controls(), page()->chipLine(), page()->emptyState()};
    // The editor is read in the element it stands in; standing in none, it
    // is the page's own.
    if (liveRow(page()) < 0)
        widgets << page()->editor();
    return widgets;
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

void ScriptPageAccessible::editorLeaving()
{
    const int live = liveRow(page());
    if (!QAccessible::isActive() || live < 0)
        return;
    // What was typed there is told by the editor as it is typed; the
    // element's name, once, as the editor leaves it.
    nameMayHaveChanged(live);
    announce(QAccessible::queryAccessibleInterface(page()->editor()), QAccessible::ObjectDestroyed);
    // In the next element the editor is another object to readers: the
    // focus they hear there is a move, not the object they already have.
    AccessibleFocus::standsAnew(page()->textEdit());
    AccessibleFocus::standsAnew(page()->editor());
}

void ScriptPageAccessible::editorArrived()
{
    if (!QAccessible::isActive() || page()->rows().indexOf(page()->editorID()) < 0)
        return;
    announce(QAccessible::queryAccessibleInterface(page()->editor()), QAccessible::ObjectCreated);
    // Tab from element to element keeps the focus in the one editor: the
    // element it now stands in is announced as a focus is.
    if (QWidget* edit = page()->textEdit(); edit->hasFocus())
        announce(QAccessible::queryAccessibleInterface(edit), QAccessible::Focus);
}

void ScriptPageAccessible::rowChanged(int row, bool kindChanged)
{
    if (!QAccessible::isActive())
        return;
    // The name is the start of the text: a kind changed, or a change past
    // what the name reads, leaves it as it was.
    nameMayHaveChanged(row);
    if (kindChanged)
        announce(madeItem(row), QAccessible::DescriptionChanged);
}

} // namespace studio
