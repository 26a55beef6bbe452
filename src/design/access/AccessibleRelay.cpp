#include "design/access/AccessibleRelay.h"

namespace studio {

void relayAccessibleEvent(QAccessibleEvent* event, QAccessible::UpdateHandler before)
{
    if (before) {
        before(event);
        return;
    }
    // Qt brings a table's interfaces up to date with its model before any
    // handler, and the platform sends readers nothing for it: telling it
    // again would only move them twice.
    if (event->type() == QAccessible::TableModelChanged)
        return;
    // The platform's own way, every installed handler stepped aside for the
    // one event.
    const QAccessible::UpdateHandler installed = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(installed);
}

} // namespace studio
