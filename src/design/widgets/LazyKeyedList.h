#pragma once

// Keeps widgets for part of a long list only: the entries its owner wants
// built now (those in view and a margin around them) and any whose widget
// holds the keyboard focus, matched by the entry's id. A widget whose entry
// stays built is never re-created, so focus, caret and hover stay where they
// are; a widget whose entry leaves reach or is gone is hidden and deleted
// later (it may be the sender of the signal that led here). The owner places
// the widgets (a sideways strip, rows of one height, sections of their own
// heights); the list only says which are built, and hands them over in entry
// order. A widget whose entry is gone with the keyboard in it hands it on as
// FocusAfterRemoval says: to the widget built in its place.
//
//   LazyKeyedList<QUuid, SceneRow> rows(this);
//   rows.setKeys(ids);                      // whenever the entries change
//   rows.sync([&](qsizetype i) { return i >= first && i < last; },
//             [&](qsizetype i) { return makeRow(ids[i]); },
//             [&](SceneRow* row, qsizetype i) { place(row, i); });

#include "design/focus/FocusAfterRemoval.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace studio {

template <typename Key, typename W>
class LazyKeyedList {
public:
    // Built widgets become children of host.
    explicit LazyKeyedList(QWidget* host)
        : m_host(host)
    {
    }

    LazyKeyedList(const LazyKeyedList&) = delete;
    LazyKeyedList& operator=(const LazyKeyedList&) = delete;

    // The entries' ids in order. The widgets of ids that are gone leave,
    // focused or not. An id seen before in the list is a duplicate and never
    // gets a widget of its own (ids are expected to be unique).
    void setKeys(const QList<Key>& keys)
    {
        if (keys == m_keys)
            return;
        const auto before = m_order;
        m_keys = keys;
        m_index.clear();
        m_index.reserve(m_keys.size());
        // Backwards, so each id ends up with its first place.
        for (qsizetype i = m_keys.size() - 1; i >= 0; --i)
            m_index.insert(m_keys[i], i);
        QList<QPointer<W>> leaving;
        for (auto it = m_built.begin(); it != m_built.end();) {
            if (it.value() && m_index.contains(it.key())) {
                ++it;
                continue;
            }
            leaving.append(it.value());
            it = m_built.erase(it);
        }
        order();
        if (!leaving.isEmpty()) {
            QList<QWidget*> widgets;
            QList<bool> leaves;
            for (const auto& [index, widget] : before) {
                if (widget) {
                    widgets.append(widget.data());
                    leaves.append(leaving.contains(widget));
                }
            }
            FocusAfterRemoval::beforeRemoval(widgets, leaves);
        }
        retire(leaving);
    }

    // Builds the widgets of the entries inReach(index) wants and drops the
    // others, except one holding the focus. create(index) makes a widget (the
    // list parents it to the host and shows it after its first update);
    // update(widget, index) then runs for every widget built, new or kept,
    // in entry order.
    template <typename InReach, typename Create, typename Update>
    void sync(InReach inReach, Create create, Update update)
    {
        const QWidget* focus = m_host->window()->focusWidget();
        QList<QPointer<W>> leaving;
        for (auto it = m_built.begin(); it != m_built.end();) {
            W* widget = it.value();
            if (widget && (inReach(m_index.value(it.key())) || holds(widget, focus))) {
                ++it;
                continue;
            }
            leaving.append(widget);
            it = m_built.erase(it);
        }
        QList<QPointer<W>> created;
        for (qsizetype i = 0; i < m_keys.size(); ++i) {
            if (!inReach(i))
                continue;
            const Key& key = m_keys[i];
            if (m_built.contains(key) || m_index.value(key) != i)
                continue;
            W* widget = create(i);
            if (widget->parentWidget() != m_host)
                widget->setParent(m_host);
            m_built.insert(key, widget);
            created.append(widget);
        }
        order();
        forEach(update);
        for (const QPointer<W>& widget : std::as_const(created)) {
            if (widget)
                widget->show();
        }
        retire(leaving);
    }

    template <typename InReach, typename Create>
    void sync(InReach inReach, Create create)
    {
        sync(inReach, create, [](W*, qsizetype) {});
    }

    // Calls f(widget, index) for every widget built, in entry order.
    template <typename F>
    void forEach(F f) const
    {
        // A copy (shared until changed): f may lead back into the list.
        const auto built = m_order;
        for (const auto& [index, widget] : built) {
            if (widget)
                f(widget.data(), index);
        }
    }

    const QList<Key>& keys() const { return m_keys; }
    // The entry's place, or -1 when no entry has that id.
    qsizetype indexOf(const Key& key) const { return m_index.value(key, -1); }
    W* widget(const Key& key) const { return m_built.value(key); }
    // The widget of the entry at that place: null when it is not built, or
    // when its id came earlier in the list.
    W* widgetAt(qsizetype index) const
    {
        const Key& key = m_keys.at(index);
        return m_index.value(key) == index ? m_built.value(key) : nullptr;
    }
    // The widgets built, in entry order.
    QList<W*> widgets() const
    {
        QList<W*> list;
        list.reserve(m_order.size());
        forEach([&list](W* widget, qsizetype) { list.append(widget); });
        return list;
    }

private:
    static bool holds(const QWidget* widget, const QWidget* focus)
    {
        return focus && (focus == widget || widget->isAncestorOf(focus));
    }

    // Hiding a widget that holds the focus passes the focus on, which may
    // scroll and bring the owner back here: the list is whole before.
    static void retire(const QList<QPointer<W>>& leaving)
    {
        for (const QPointer<W>& widget : leaving) {
            if (widget) {
                widget->hide();
                widget->deleteLater();
            }
        }
    }

    void order()
    {
        m_order.clear();
        m_order.reserve(m_built.size());
        for (auto it = m_built.cbegin(); it != m_built.cend(); ++it)
            m_order.append({m_index.value(it.key()), it.value()});
        std::sort(m_order.begin(), m_order.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    QWidget* m_host;
    QList<Key> m_keys;
    QHash<Key, qsizetype> m_index;
    QHash<Key, QPointer<W>> m_built;
    QList<std::pair<qsizetype, QPointer<W>>> m_order;
};

} // namespace studio
