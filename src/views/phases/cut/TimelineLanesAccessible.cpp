#include "views/phases/cut/TimelineLanesAccessible.h"

#include "design/widgets/SpokenName.h"
#include "state/rules/CutRules.h"

using namespace Qt::StringLiterals;

namespace studio {

TimelineLanesAccessible::TimelineLanesAccessible(TimelineLanes* lanes)
    : PaintedItemsAccessible(lanes, QAccessible::List, QAccessible::ListItem)
{
}

QString TimelineLanesAccessible::itemText(int index, QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QString();
    // What the tile shows, then what its dialogue tile shows.
    const TimelineClip& clip = lanes()->clipAt(index);
    QString name = spokenName(clip.label) + u", "_s + rules::tileSecondsText(clip.seconds);
    if (clip.hasDialogue)
        name += u", dialogue"_s;
    return name;
}

QAccessible::State TimelineLanesAccessible::itemState(int index) const
{
    QAccessible::State s;
    s.selectable = true;
    s.selected = lanes()->selectedClipID() == itemID(index);
    return s;
}

int TimelineLanesAccessible::focusedItem() const
{
    return lanes()->hasFocus() ? lanes()->indexOf(lanes()->currentClipID()) : -1;
}

} // namespace studio
