#include "views/phases/cut/TimelineLanesAccessible.h"

#include "model/Text.h"
#include "state/rules/CutRules.h"
#include "views/phases/cut/TimelineLanes.h"

#include <QPointer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// One clip as the lanes paint it, found again by its id each time it is read.
class ClipAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ClipAccessible(TimelineLanes* lanes, const QUuid& id)
        : m_lanes(lanes)
        , m_id(id)
    {
    }

    QUuid id() const { return m_id; }

    bool isValid() const override { return index() >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_lanes ? m_lanes->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_lanes.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const int at = index();
        if (at < 0 || t != QAccessible::Name)
            return QString();
        // What the tile shows, then what its dialogue tile shows.
        const TimelineClip& clip = m_lanes->clipAt(at);
        QString name = text::displayPrefix(clip.label) + u", "_s + rules::tileSecondsText(clip.seconds);
        if (clip.hasDialogue)
            name += u", dialogue"_s;
        return name;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect tile = m_lanes->clipRect(m_id).toAlignedRect();
        return QRect(m_lanes->mapToGlobal(tile.topLeft()), tile.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = m_lanes->selectedClipID() == m_id;
        s.focused = m_lanes->hasFocus() && m_lanes->currentClipID() == m_id;
        if (!m_lanes->visibleRegion().intersects(m_lanes->clipRect(m_id).toAlignedRect()))
            s.offscreen = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // A press taps the clip: its selection toggles as on a click.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && isValid())
            m_lanes->tap(m_id);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    int index() const { return m_lanes ? m_lanes->indexOf(m_id) : -1; }

    QPointer<TimelineLanes> m_lanes;
    QUuid m_id;
};

QAccessibleInterface* lanesFactory(const QString&, QObject* object)
{
    if (auto* lanes = qobject_cast<TimelineLanes*>(object))
        return new TimelineLanesAccessible(lanes);
    return nullptr;
}

} // namespace

TimelineLanesAccessible::TimelineLanesAccessible(TimelineLanes* lanes)
    : QAccessibleWidget(lanes, QAccessible::List)
{
}

TimelineLanesAccessible::~TimelineLanesAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

void TimelineLanesAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(lanesFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TimelineLanes* TimelineLanesAccessible::lanes() const
{
    return static_cast<TimelineLanes*>(widget());
}

QAccessibleInterface* TimelineLanesAccessible::item(const QUuid& clipID) const
{
    if (const auto found = m_items.constFind(clipID); found != m_items.cend())
        return QAccessible::accessibleInterface(*found);
    // Items of clips gone from the timeline go with them.
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (lanes()->indexOf(it.key()) < 0) {
            QAccessible::deleteAccessibleInterface(*it);
            it = m_items.erase(it);
        } else {
            ++it;
        }
    }
    auto* made = new ClipAccessible(lanes(), clipID);
    m_items.insert(clipID, QAccessible::registerAccessibleInterface(made));
    return made;
}

int TimelineLanesAccessible::childCount() const
{
    return int(lanes()->clipCount());
}

QAccessibleInterface* TimelineLanesAccessible::child(int index) const
{
    if (index < 0 || index >= lanes()->clipCount())
        return nullptr;
    return item(lanes()->clipAt(index).id);
}

int TimelineLanesAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* clip = dynamic_cast<const ClipAccessible*>(child);
    return clip ? lanes()->indexOf(clip->id()) : -1;
}

QAccessibleInterface* TimelineLanesAccessible::childAt(int x, int y) const
{
    const QPointF at = lanes()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < lanes()->clipCount(); ++i) {
        const QUuid id = lanes()->clipAt(i).id;
        if (lanes()->clipRect(id).contains(at))
            return item(id);
    }
    return nullptr;
}

QAccessibleInterface* TimelineLanesAccessible::focusChild() const
{
    if (!lanes()->hasFocus() || lanes()->indexOf(lanes()->currentClipID()) < 0)
        return nullptr;
    return item(lanes()->currentClipID());
}

} // namespace studio
