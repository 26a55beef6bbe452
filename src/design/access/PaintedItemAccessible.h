#pragma once

// One item a widget paints, as assistive technology reads it: a child of the
// widget's PaintedItemsAccessible, which it asks at every question about the
// item it stands for, found again by id. Once its item is gone it is invalid
// until the widget's interface drops it.

#include "design/access/PaintedItemsAccessible.h"

namespace studio {

class PaintedItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PaintedItemAccessible(PaintedItemsAccessible* items, const QUuid& id, int twin);

    QUuid id() const { return m_id; }
    // Which item of its id it is: 0 for the first.
    int twin() const { return m_twin; }
    // Its item's place now, or -1 once the item is gone (or the widget going).
    int index() const { return m_items->isValid() ? m_items->indexOf(m_id, m_twin) : -1; }
    // Whether it reads another name than the one it was last given; the name
    // it reads now is the one given from then on.
    bool nameChanged();

    // QAccessibleInterface
    bool isValid() const override { return index() >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_items->isValid() ? m_items->window() : nullptr; }
    QAccessibleInterface* parent() const override { return m_items; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return m_items->itemRole(); }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    PaintedItemsAccessible* items() const { return m_items; }

private:
    // The widget's interface outlives its items: it drops them as it goes.
    PaintedItemsAccessible* m_items;
    QUuid m_id;
    int m_twin;
    // The name last given, by its hash: a walked script keeps one for each
    // of its elements.
    size_t m_givenName = 0;
};

} // namespace studio
