#include "views/phases/script/ScriptElementAccessible.h"

#include "design/text/PlainTextEditor.h"
#include "design/widgets/SpokenName.h"
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

QString ScriptElementAccessible::wholeText() const
{
    const int at = index();
    return at < 0 ? QString() : page()->rows().row(at).text();
}

QString ScriptElementAccessible::text(QAccessible::Text t) const
{
    // The whole text is read through the text interface.
    if (t == QAccessible::Name)
        return spokenName(PaintedItemAccessible::text(t));
    return PaintedItemAccessible::text(t);
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

} // namespace studio
