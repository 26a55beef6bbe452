#pragma once

// Keeps one widget per item of a collection, matched by the item's id: rows
// whose id remains are kept (and updated), new ids get new rows, rows of gone
// ids are removed, and the rows are put in the collection's order. A kept row
// is never re-created, so focus, caret and hover stay where they are. The
// rows occupy a run of consecutive places in a box layout or in one of the
// program's own layouts, starting at a given index (so a header or a trailing
// stretch can share the layout). A row that leaves with the keyboard in it
// hands it on as FocusAfterRemoval says: to the row now in its place.
//
// An act's beat cards, placed after the column's header (index 0):
//
//   KeyedList<QUuid, BeatCard> cards(column, 1);
//   cards.sync(act.beats,
//              [](const Beat& b) { return b.id; },
//              [](const Beat& b) { return new BeatCard(b.id); },
//              [](BeatCard* card, const Beat& b, int index) { card->setBeat(b); });

#include "design/focus/FocusAfterRemoval.h"
#include "design/widgets/ItemListLayout.h"

#include <QBoxLayout>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>

namespace studio {

template <typename Key, typename W>
class KeyedList {
public:
    explicit KeyedList(QLayout* layout, int firstIndex = 0)
        : m_layout(layout)
        , m_first(firstIndex)
    {
    }

    KeyedList(const KeyedList&) = delete;
    KeyedList& operator=(const KeyedList&) = delete;

    // The keyboard inside `actor`, a control outside the list that removes
    // the row of `key` (a pane's "Remove" button), counts as that row's at
    // the next sync: when the row leaves, the keyboard goes to the row now
    // in its place, as from inside it.
    void removingFrom(const QWidget* actor, const Key& key)
    {
        m_actor = actor;
        m_actedOn = key;
    }

    // items: any range; keyOf(item) -> Key; create(item) -> W* (a new widget,
    // no parent needed); update(W*, item, index) refreshes a kept or new row.
    // Items with a key seen before in the same range are skipped (ids are
    // expected to be unique; a duplicate never gets a second row).
    template <typename Range, typename KeyOf, typename Create, typename Update>
    void sync(const Range& items, KeyOf keyOf, Create create, Update update)
    {
        using Item = std::remove_cvref_t<decltype(*std::begin(items))>;
        QHash<Key, QPointer<W>> next;
        QList<Key> order;
        QList<const Item*> sources;
        QList<W*> created;
        for (const auto& item : items) {
            const Key key = keyOf(item);
            if (next.contains(key))
                continue;
            QPointer<W> widget = m_rows.value(key);
            if (!widget) {
                widget = create(item);
                created.append(widget);
            }
            next.insert(key, widget);
            order.append(key);
            sources.append(std::addressof(item));
        }
        handOnKeyboard(next);
        // Remove rows whose id is gone. deleteLater: the row may be the
        // sender of the signal that led to this refresh.
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
            if (!next.contains(it.key()) && it.value()) {
                W* gone = it.value();
                m_layout->removeWidget(gone);
                gone->hide();
                gone->deleteLater();
            }
        }
        m_rows = next;
        m_order = order;
        // Put the rows in order; a row already in its place is not touched.
        for (int position = 0; position < m_order.size(); ++position) {
            W* widget = m_rows.value(m_order[position]);
            const int index = m_first + position;
            // Most rows are where they were: look there before searching the
            // layout, so a refresh of a long list stays linear.
            const QLayoutItem* there = m_layout->itemAt(index);
            const int current = there && there->widget() == widget ? index : m_layout->indexOf(widget);
            if (current != index) {
                if (current >= 0)
                    m_layout->removeWidget(widget);
                insert(index, widget);
            }
            update(widget, *sources[position], position);
        }
        for (W* widget : std::as_const(created))
            widget->show();
    }

    W* widget(const Key& key) const { return m_rows.value(key); }
    QList<Key> keys() const { return m_order; }
    QList<W*> widgets() const
    {
        QList<W*> list;
        for (const Key& key : m_order)
            list.append(m_rows.value(key));
        return list;
    }
    int count() const { return int(m_order.size()); }

private:
    // Before the rows of ids gone from `next` are hidden.
    void handOnKeyboard(const QHash<Key, QPointer<W>>& next)
    {
        const QPointer<const QWidget> actor = std::exchange(m_actor, nullptr);
        QList<QWidget*> rows;
        QList<bool> leaves;
        qsizetype actedOn = -1;
        bool any = false;
        for (const Key& key : std::as_const(m_order)) {
            W* row = m_rows.value(key);
            if (!row)
                continue;
            if (actor && key == m_actedOn)
                actedOn = rows.size();
            rows.append(row);
            leaves.append(!next.contains(key));
            any = any || leaves.last();
        }
        if (any)
            FocusAfterRemoval::beforeRemoval(rows, leaves, actor, actedOn);
    }

    void insert(int index, QWidget* widget)
    {
        if (auto* box = qobject_cast<QBoxLayout*>(m_layout))
            box->insertWidget(index, widget);
        else if (auto* own = qobject_cast<ItemListLayout*>(m_layout))
            own->insertWidget(index, widget);
        else
            m_layout->addWidget(widget);
    }

    QLayout* m_layout;
    int m_first;
    QHash<Key, QPointer<W>> m_rows;
    QList<Key> m_order;
    QPointer<const QWidget> m_actor;
    Key m_actedOn{};
};

} // namespace studio
