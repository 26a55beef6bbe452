#include "views/phases/cut/TimelineLanesAccessible.h"

#include "design/widgets/SpokenName.h"
#include "model/Board.h"
#include "state/rules/CutRules.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace studio {

TimelineLanesAccessible::TimelineLanesAccessible(TimelineLanes* lanes)
    : PaintedItemsAccessible(lanes, QAccessible::List, QAccessible::ListItem)
{
}

namespace {

// An assembled clip's label ("S1·2 EWS") in words: "Scene 1, shot 2, extreme
// wide shot". Nothing for a label of another form.
QString spokenLabel(const QString& label)
{
    static const QRegularExpression assembled(u"^S(\\d+)\u00B7(\\d+) (\\S+)$"_s);
    const QRegularExpressionMatch m = assembled.match(label);
    if (!m.hasMatch())
        return QString();
    const std::optional<ShotSize> size = sizeWithAbbrev(m.capturedView(3));
    if (!size)
        return QString();
    return u"Scene "_s + m.captured(1) + u", shot "_s + m.captured(2) + u", "_s + spokenSize(*size).toLower();
}

} // namespace

QString TimelineLanesAccessible::itemText(int index, QAccessible::Text t) const
{
    if (t == QAccessible::Description)
        return spokenLabel(lanes()->clipAt(index).label);
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
