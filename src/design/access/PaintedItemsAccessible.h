#pragma once

// What assistive technology reads of a widget that paints many items itself
// (rows, cards, clips): one child per item, in the widget's order, then the
// widgets the widget holds. Each item is a PaintedItemAccessible, made the
// first time it is asked for and kept by the item's id until the item goes,
// so a reader walking every item pays once per item; it finds its item again
// by id at every question, so it stays right as items come and go around it.
// An id that names two items (a damaged file may hold one twice) has an
// interface for each: the first, the second, and so on.
//
// A widget's interface derives from this and answers what only it knows:
// how many items there are, which id stands where, and what each item
// reads, where it is and how it stands. The items are focusable, and
// offscreen while the widget does not show them, and not showing at all
// while the widget itself does not show.
//
// What changes is told here too, the same way for every such widget. Items
// that come, go or move are announced one by one as created and removed
// (the only forms a reader takes: Qt's reorder event never reaches one), the
// removed while they can still say where they were. The widget tells its
// interface, when one was made (existing()), before its items change and
// after: itemsChanging(), itemsChanged(). An item chosen or let go is told
// with selectionChanged(). An item whose name may read otherwise now (what
// it shows changed, or its place, where its name counts it) is told to its
// interface with nameMayHaveChanged(): a reader that has the item hears its
// new name once, and only when it differs from the name it was given; the
// widget names the items that may have changed, so a change costs what it
// touched, not every item a reader has. Where the keyboard stands on an
// item, the item is what holds the focus: its focus event stands for the
// widget's own (AccessibleFocus), and an item that takes the keyboard's
// place as items change is announced. The widget itself reads as focused
// only while it holds the keyboard (not a page painted in a scroll area
// that holds it: WidgetAccessible).

#include "design/access/WidgetAccessible.h"

#include <QHash>
#include <QList>
#include <QUuid>

#include <utility>

namespace studio {

class PaintedItemAccessible;

class PaintedItemsAccessible : public WidgetAccessible {
public:
    // `keyboard` is the widget that holds the keyboard for the items, when
    // it is not `widget` itself (a scroll area around the page it paints).
    PaintedItemsAccessible(QWidget* widget, QAccessible::Role role, QAccessible::Role itemRole,
                           QWidget* keyboard = nullptr);
    ~PaintedItemsAccessible() override;

    // The interface made for a widget that paints items, or for the widget
    // holding their keyboard; null while none is.
    static PaintedItemsAccessible* existing(const QWidget* widget);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The interface of item `index`, made the first time it is asked for.
    PaintedItemAccessible* item(int index) const;
    // The interface made for item `index`, or null while none is.
    PaintedItemAccessible* madeItem(int index) const;
    // Where the item of this id stands now (the `twin`th of its id), or -1.
    int indexOf(const QUuid& id, int twin) const;
    QAccessible::Role itemRole() const { return m_itemRole; }
    // Item `index` on the screen, and how it stands: its own state, focusable,
    // focused where the keyboard stands, offscreen out of sight, invisible
    // while the widget is.
    QRect screenRect(int index) const;
    QAccessible::State stateOf(int index) const;

    // What the widget answers of its items, by index (0 to itemCount() - 1).
    virtual int itemCount() const = 0;
    virtual QUuid itemID(int index) const = 0;
    // The first item of this id, or -1.
    virtual int itemIndex(const QUuid& id) const = 0;
    virtual QString itemText(int index, QAccessible::Text t) const = 0;
    // Where the item is, in the widget's coordinates.
    virtual QRect itemRect(int index) const = 0;
    // How the item stands beyond being focusable, focused and offscreen
    // (selected, read-only...).
    virtual QAccessible::State itemState(int index) const = 0;
    // The item under a point of the widget, or -1.
    virtual int itemAt(const QPoint& point) const;
    // The item the keyboard stands on, or -1.
    virtual int focusedItem() const { return -1; }
    // The item whose text the keyboard's widget edits in its place (a live
    // editor standing in it), or -1: what that widget tells of its text,
    // caret and selection is told as the item's (TextEvents).
    virtual int editedItem() const { return -1; }
    // What a reader may do to an item, as a click or a key does.
    virtual QStringList itemActions(int) const { return {}; }
    virtual void doItemAction(int, const QString&) {}
    // The widgets read after the items: the widget's own, by default.
    virtual QList<QWidget*> widgetsAfterItems() const;

    // What changes among the items as they change. From `head` on, the
    // items `leaving` give way to the items `arriving` (one id moved is in
    // both); with `reindex` an id names two items, before or after, and
    // every interface is made afresh.
    struct Splice {
        int head = 0;
        QList<QUuid> leaving;
        QList<QUuid> arriving;
        bool reindex = false;
        // Where items read before stand after the change, outside it, when
        // every interface is made afresh; and the item the keyboard stood on.
        QList<int> remade;
        std::pair<QUuid, int> focused;
    };
    // Before the items change: the items are to be these ids, in this order.
    Splice itemsChanging(const QList<QUuid>& ids);
    // Before the items change, the change known: the items from `head` to
    // `tail` before the end give way to `arriving`; `twins` when an id names
    // two items, before or after.
    Splice itemsChanging(int head, int tail, const QList<QUuid>& arriving, bool twins);
    // After the items changed (and the widget's keyboard found its item).
    void itemsChanged(const Splice& splice);
    // Before the items of `widget` become `items` (each read by its `id`):
    // the interface made for it, with `splice` set for itemsChanged(), while
    // a reader listens; else null, and nothing is looked at.
    template <typename Items>
    static PaintedItemsAccessible* changing(const QWidget* widget, const Items& items, Splice& splice);

    // After the items changed: item `index` may read another name now, or
    // every item a reader has may (a widget that looks at all its items at
    // every change anyway).
    void nameMayHaveChanged(int index);
    void namesMayHaveChanged();

    // The item of this id (its first) was chosen or let go, as it reads now.
    static void selectionChanged(QWidget* widget, const QUuid& id);
    // The keyboard went to item `index` of the widget (from another item,
    // or as the widget took it).
    static void tellFocus(QWidget* widget, int index);

protected:
    // An item's interface; a widget whose items read more makes its own.
    virtual PaintedItemAccessible* makeItem(const QUuid& id, int twin);
    // The interfaces made so far.
    QList<PaintedItemAccessible*> madeItems() const;
    // Drops the interface of an id (of its first item), or all of them.
    void forget(const QUuid& id);
    void forgetAll();
    // Tells an event about item `index` (created, removed, focused...).
    void tell(int index, QAccessible::Event type);

private:
    using Key = std::pair<QUuid, int>; // an item's id, and which twin
    Key keyOf(int index) const;
    void dropGone() const;
    void retell(PaintedItemAccessible* item, int index);

    QAccessible::Role m_itemRole;
    QWidget* m_keyboard;
    mutable QHash<Key, QAccessible::Id> m_items;
};

template <typename Items>
PaintedItemsAccessible* PaintedItemsAccessible::changing(const QWidget* widget, const Items& items, Splice& splice)
{
    PaintedItemsAccessible* accessible = QAccessible::isActive() ? existing(widget) : nullptr;
    if (accessible) {
        QList<QUuid> ids;
        ids.reserve(items.size());
        for (const auto& item : items)
            ids << item.id;
        splice = accessible->itemsChanging(ids);
    }
    return accessible;
}

} // namespace studio
