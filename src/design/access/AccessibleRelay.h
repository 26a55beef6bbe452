#pragma once

// How a watch over what the program tells assistive technology passes an
// event on. Qt lets one update handler stand in front of the platform; the
// program's watches (TextEvents, AccessibleFocus) each install one, chained:
// a watch hands what it lets through to the handler that was installed
// before it, and the first one to the platform itself.

#include <QAccessible>

namespace studio {

// Sends `event` to `before`, or, when there is none, to the platform as Qt
// would have without any handler (whatever handlers stand installed now are
// put back after).
void relayAccessibleEvent(QAccessibleEvent* event, QAccessible::UpdateHandler before);

} // namespace studio
