#pragma once

// Storage shared by the program's own layouts: an ordered list of items with
// insertion at a position (which QLayout itself does not offer), so a keyed
// list can put rows in order inside any of them.

#include <QLayout>
#include <QList>

namespace studio {

class ItemListLayout : public QLayout {
    Q_OBJECT
public:
    explicit ItemListLayout(QWidget* parent = nullptr);
    ~ItemListLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    // Inserts the widget at index (appends when index is out of range).
    void insertWidget(int index, QWidget* widget);

protected:
    // The visible items, in order (hidden widgets take no place).
    QList<QLayoutItem*> visibleItems() const;

private:
    QList<QLayoutItem*> m_items;
};

} // namespace studio
