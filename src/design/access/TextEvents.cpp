#include "design/access/TextEvents.h"

#include "design/access/AccessibleRelay.h"
#include "design/access/PaintedItemAccessible.h"
#include "design/text/LineTeller.h"
#include "design/text/LineWindow.h"

#include <QAccessible>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

namespace studio {

namespace {

QAccessible::UpdateHandler s_before = nullptr;

void pass(QAccessibleEvent* event)
{
    relayAccessibleEvent(event, s_before);
}

bool isAboutText(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        return true;
    default:
        return false;
    }
}

QString masked(const QString& text, QChar mask)
{
    return QString(text.size(), mask);
}

// The event again, with its text masked.
void passMasked(QAccessibleEvent* event, QLineEdit* edit)
{
    if (edit->echoMode() == QLineEdit::NoEcho && event->type() != QAccessible::TextCaretMoved
        && event->type() != QAccessible::TextSelectionChanged)
        return;
    const QChar mask(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit));
    switch (event->type()) {
    case QAccessible::TextInserted: {
        auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        QAccessibleTextInsertEvent safe(edit, inserted->changePosition(), masked(inserted->textInserted(), mask));
        safe.setCursorPosition(inserted->cursorPosition());
        pass(&safe);
        return;
    }
    case QAccessible::TextRemoved: {
        auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        QAccessibleTextRemoveEvent safe(edit, removed->changePosition(), masked(removed->textRemoved(), mask));
        safe.setCursorPosition(removed->cursorPosition());
        pass(&safe);
        return;
    }
    case QAccessible::TextUpdated: {
        auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
        QAccessibleTextUpdateEvent safe(edit, updated->changePosition(), masked(updated->textRemoved(), mask),
                                        masked(updated->textInserted(), mask));
        safe.setCursorPosition(updated->cursorPosition());
        pass(&safe);
        return;
    }
    default:
        pass(event);
        return;
    }
}

// The item an editor stands in, when the event is the editor's.
QAccessibleInterface* itemEditedBy(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    PaintedItemsAccessible* items = widget ? PaintedItemsAccessible::existing(widget) : nullptr;
    if (!items || items->object() == widget)
        return nullptr;
    const int at = items->editedItem();
    return at >= 0 ? items->item(at) : nullptr;
}

// The event again, told by the item.
void passAsItem(QAccessibleEvent* event, QAccessibleInterface* item)
{
    switch (event->type()) {
    case QAccessible::TextInserted: {
        auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        QAccessibleTextInsertEvent told(item, inserted->changePosition(), inserted->textInserted());
        told.setCursorPosition(inserted->cursorPosition());
        pass(&told);
        return;
    }
    case QAccessible::TextRemoved: {
        auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        QAccessibleTextRemoveEvent told(item, removed->changePosition(), removed->textRemoved());
        told.setCursorPosition(removed->cursorPosition());
        pass(&told);
        return;
    }
    case QAccessible::TextUpdated: {
        auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
        QAccessibleTextUpdateEvent told(item, updated->changePosition(), updated->textRemoved(),
                                        updated->textInserted());
        told.setCursorPosition(updated->cursorPosition());
        pass(&told);
        return;
    }
    case QAccessible::TextSelectionChanged: {
        auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
        QAccessibleTextSelectionEvent told(item, selection->selectionStart(), selection->selectionEnd());
        told.setCursorPosition(selection->cursorPosition());
        pass(&told);
        return;
    }
    default: {
        QAccessibleTextCursorEvent told(item, static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition());
        pass(&told);
        return;
    }
    }
}

void handle(QAccessibleEvent* event)
{
    if (isAboutText(event->type())) {
        if (QAccessibleInterface* item = itemEditedBy(event->object())) {
            passAsItem(event, item);
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(event->object())) {
            if (LineWindow::of(edit) && !LineTeller::isTelling())
                return;
            if (edit->echoMode() != QLineEdit::Normal) {
                passMasked(event, edit);
                return;
            }
        }
    }
    pass(event);
}

} // namespace

void TextEvents::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    s_before = QAccessible::installUpdateHandler(handle);
}

} // namespace studio
