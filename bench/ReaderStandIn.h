#pragma once

// Accessibility switched on offscreen, with a stand-in for the platform's
// bridge to a screen reader. Offscreen Qt has no bridge: nothing the program
// announces goes anywhere, and QAccessible::isActive() stays false, so the
// widgets' own announcing code never runs. Switched on, every event the
// program raises is handled here the way the desktop bridge handles it before
// it goes out on the bus: the object's interface is found and given its id,
// a created or reordered object's parent is counted (and a reorder's
// children walked), inserted and removed text is packed as the bus packs it
// (UTF-8), the caret asked for on a caret move, state asked on a selection
// or state change; and for a focus event what a reader then asks at once
// (name, role, state, and the caret and length of a text). Only the bus
// itself is left out.

#include "support/PlatformAccessibility.h"

#include <QAccessible>
#include <benchmark/benchmark.h>

namespace studio::bench {

namespace reader_detail {

inline void pack(const QString& text)
{
    benchmark::DoNotOptimize(text.toUtf8());
}

inline void path(QAccessibleInterface* iface)
{
    if (iface)
        benchmark::DoNotOptimize(QAccessible::uniqueId(iface));
}

inline void relay(QAccessibleEvent* event)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface || !iface->isValid())
        return;
    switch (event->type()) {
    case QAccessible::ObjectCreated:
        if (QAccessibleInterface* parent = iface->parent()) {
            path(iface);
            path(parent);
            benchmark::DoNotOptimize(parent->childCount());
        }
        break;
    case QAccessible::ObjectReorder: {
        path(iface);
        const int count = iface->childCount();
        for (int i = 0; i < count; ++i)
            path(iface->child(i));
        break;
    }
    case QAccessible::TextInserted: {
        path(iface);
        pack(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
        break;
    }
    case QAccessible::TextRemoved: {
        path(iface);
        pack(static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved());
        break;
    }
    case QAccessible::TextUpdated: {
        path(iface);
        auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
        pack(update->textRemoved());
        pack(update->textInserted());
        break;
    }
    case QAccessible::TextCaretMoved:
        path(iface);
        if (QAccessibleTextInterface* text = iface->textInterface())
            benchmark::DoNotOptimize(text->cursorPosition());
        break;
    case QAccessible::Focus:
        path(iface);
        benchmark::DoNotOptimize(iface->text(QAccessible::Name));
        benchmark::DoNotOptimize(iface->role());
        benchmark::DoNotOptimize(iface->state());
        if (QAccessibleTextInterface* text = iface->textInterface()) {
            benchmark::DoNotOptimize(text->cursorPosition());
            benchmark::DoNotOptimize(text->characterCount());
        }
        break;
    case QAccessible::StateChanged:
    case QAccessible::Selection:
    case QAccessible::SelectionAdd:
    case QAccessible::SelectionRemove:
        path(iface);
        benchmark::DoNotOptimize(iface->state());
        break;
    default:
        path(iface);
        break;
    }
}

} // namespace reader_detail

// Puts the stand-in behind whatever handles the program's events: call it
// before the application starts, so that the program's own watch on what it
// sends, installed with its theme, stands in front as it does before the
// desktop bridge.
inline void installReaderStandIn()
{
    QAccessible::installUpdateHandler(reader_detail::relay);
}

// Switches the platform's accessibility on or off; the stand-in relays every
// event while it is on. Once the application exists.
inline void setReaderAttached(bool attached)
{
    test::setPlatformAccessibility(attached);
}

} // namespace studio::bench
