#include "support/Listening.h"

#include "support/PlatformAccessibility.h"

namespace studio::test {

namespace {

QList<HeardEvent> s_heard;

QAccessible::UpdateHandler s_next = nullptr;

void keep(QAccessibleEvent* event)
{
    HeardEvent heard;
    heard.type = event->type();
    heard.object = event->object();
    heard.child = event->child();
    heard.iface = event->accessibleInterface();
    if (heard.iface && heard.iface->isValid()) {
        heard.name = heard.iface->text(QAccessible::Name);
        heard.role = heard.iface->role();
        heard.state = heard.iface->state();
    }
    switch (event->type()) {
    case QAccessible::StateChanged:
        heard.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
        break;
    case QAccessible::TextInserted: {
        auto* insert = static_cast<QAccessibleTextInsertEvent*>(event);
        heard.text = insert->textInserted();
        heard.position = insert->changePosition();
        break;
    }
    case QAccessible::TextRemoved: {
        auto* remove = static_cast<QAccessibleTextRemoveEvent*>(event);
        heard.removed = remove->textRemoved();
        heard.position = remove->changePosition();
        break;
    }
    case QAccessible::TextUpdated: {
        auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
        heard.text = update->textInserted();
        heard.removed = update->textRemoved();
        heard.position = update->changePosition();
        break;
    }
    case QAccessible::TextCaretMoved:
        heard.position = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        break;
    case QAccessible::ValueChanged:
        heard.text = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        break;
    default:
        break;
    }
    s_heard << heard;
    if (s_next)
        s_next(event);
}

} // namespace

void listen()
{
    static bool on = false;
    if (on)
        return;
    on = true;
    setPlatformAccessibility(true);
    s_next = QAccessible::installUpdateHandler(keep);
}

QList<HeardEvent>& heard()
{
    return s_heard;
}

QList<HeardEvent> heardOf(QAccessible::Event type)
{
    QList<HeardEvent> found;
    for (const HeardEvent& e : std::as_const(s_heard)) {
        if (e.type == type)
            found << e;
    }
    return found;
}

HeardEvent lastFocus()
{
    for (auto it = s_heard.crbegin(); it != s_heard.crend(); ++it) {
        if (it->type == QAccessible::Focus)
            return *it;
    }
    return {};
}

} // namespace studio::test
