#include "views/phases/script/ScriptElementAccessible.h"

#include "design/PlainTextEditor.h"
#include "views/phases/script/ScriptPage.h"

namespace studio {

ScriptPage* ScriptElementAccessible::page() const
{
    return static_cast<ScriptPage*>(items()->object());
}

bool ScriptElementAccessible::isLive() const
{
    return twin() == 0 && isValid() && page()->editorID() == id() && page()->editor()->isVisible();
}

QAccessibleInterface* ScriptElementAccessible::child(int index) const
{
    return index == 0 && isLive() ? QAccessible::queryAccessibleInterface(page()->editor()) : nullptr;
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
    return child && isLive() && child->object() == page()->editor() ? 0 : -1;
}

void* ScriptElementAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return PaintedItemAccessible::interface_cast(type);
}

void ScriptElementAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString ScriptElementAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset < 0 || endOffset < startOffset)
        return QString();
    return text(QAccessible::Name).mid(startOffset, endOffset - startOffset);
}

int ScriptElementAccessible::characterCount() const
{
    return int(text(QAccessible::Name).size());
}

QString ScriptElementAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

} // namespace studio
