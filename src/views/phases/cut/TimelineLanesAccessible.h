#pragma once

// What assistive technology reads of the timeline lanes, which paint their
// clips themselves: a list with one item per clip in timeline order, named by
// the clip's label and length (and its dialogue), selected as the tile's gold
// outline shows, focused where the keyboard stands; its press action taps the
// clip as a click does. Items are made when first asked for and kept, by clip
// id, until their clip leaves the timeline or the lanes go.
//
// The lanes' interface comes from the factory install() registers, the first
// time lanes are built.

#include <QAccessibleWidget>
#include <QHash>
#include <QUuid>

namespace studio {

class TimelineLanes;

class TimelineLanesAccessible : public QAccessibleWidget {
public:
    explicit TimelineLanesAccessible(TimelineLanes* lanes);
    ~TimelineLanesAccessible() override;

    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TimelineLanes* lanes() const;
    QAccessibleInterface* item(const QUuid& clipID) const;

    mutable QHash<QUuid, QAccessible::Id> m_items;
};

} // namespace studio
