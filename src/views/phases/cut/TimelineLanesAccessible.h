#pragma once

// What assistive technology reads of the timeline lanes, which paint their
// clips themselves: a list with one item per clip in timeline order, named by
// the clip's label and length (and its dialogue), selected as the tile's gold
// outline shows, focused where the keyboard stands; its press action taps the
// clip as a click does.
//
// The lanes make it for themselves.

#include "design/access/PaintedItemsAccessible.h"
#include "views/phases/cut/TimelineLanes.h"

namespace studio {

class TimelineLanesAccessible : public PaintedItemsAccessible {
public:
    explicit TimelineLanesAccessible(TimelineLanes* lanes);

    int itemCount() const override { return int(lanes()->clipCount()); }
    QUuid itemID(int index) const override { return lanes()->clipAt(index).id; }
    int itemIndex(const QUuid& id) const override { return lanes()->indexOf(id); }
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override { return lanes()->clipRect(itemID(index)).toAlignedRect(); }
    QAccessible::State itemState(int index) const override;
    int focusedItem() const override;
    // A press taps the clip: its selection toggles as on a click.
    QStringList itemActions(int) const override { return {pressAction()}; }
    void doItemAction(int index, const QString&) override { lanes()->tap(itemID(index)); }

private:
    TimelineLanes* lanes() const { return static_cast<TimelineLanes*>(widget()); }
};

} // namespace studio
