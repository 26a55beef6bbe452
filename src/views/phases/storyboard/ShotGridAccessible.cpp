#include "views/phases/storyboard/ShotGridAccessible.h"

#include "views/phases/storyboard/ShotGrid.h"

#include <QPointer>
#include <QWindow>

namespace studio {

namespace {

// One card as the grid paints it, found again by its shot id each time it
// is read.
class ShotCardAccessible : public QAccessibleInterface {
public:
    ShotCardAccessible(ShotGrid* grid, const QUuid& id)
        : m_grid(grid)
        , m_id(id)
    {
    }

    bool isValid() const override { return index() >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid->viewport()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const int i = index();
        return i >= 0 && t == QAccessible::Name ? m_grid->card(i).spokenText() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const int i = index();
        if (i < 0)
            return QRect();
        const QRect area = m_grid->cardRect(i);
        return QRect(m_grid->viewport()->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const int i = index();
        if (i < 0) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.focused = m_grid->focusedCard() == i;
        s.selected = m_grid->selectedShot() == m_id;
        s.offscreen = !m_grid->viewport()->visibleRegion().intersects(m_grid->cardRect(i));
        return s;
    }

private:
    int index() const { return m_grid ? m_grid->indexOfCard(m_id) : -1; }

    QPointer<ShotGrid> m_grid;
    QUuid m_id;
};

QAccessibleInterface* pageFactory(const QString&, QObject* object)
{
    auto* page = qobject_cast<QWidget*>(object);
    auto* grid = page ? qobject_cast<ShotGrid*>(page->parentWidget()) : nullptr;
    if (grid && grid->viewport() == page)
        return new ShotGridAccessible(page, grid);
    return nullptr;
}

} // namespace

ShotGridAccessible::ShotGridAccessible(QWidget* page, ShotGrid* grid)
    : QAccessibleWidget(page, QAccessible::List)
    , m_grid(grid)
{
}

ShotGridAccessible::~ShotGridAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_cards))
        QAccessible::deleteAccessibleInterface(id);
}

void ShotGridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(pageFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface* ShotGridAccessible::card(int index) const
{
    const QUuid id = m_grid->card(index).id;
    if (const auto found = m_cards.constFind(id); found != m_cards.cend())
        return QAccessible::accessibleInterface(*found);
    // Cards gone from the scene take their interfaces with them.
    for (auto it = m_cards.begin(); it != m_cards.end();) {
        if (m_grid->indexOfCard(it.key()) < 0) {
            QAccessible::deleteAccessibleInterface(*it);
            it = m_cards.erase(it);
        } else {
            ++it;
        }
    }
    auto* made = new ShotCardAccessible(m_grid, id);
    m_cards.insert(id, QAccessible::registerAccessibleInterface(made));
    return made;
}

QString ShotGridAccessible::text(QAccessible::Text t) const
{
    // The list is read by the grid's name.
    return t == QAccessible::Name ? m_grid->accessibleName() : QAccessibleWidget::text(t);
}

int ShotGridAccessible::childCount() const
{
    return m_grid->cardCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* ShotGridAccessible::child(int index) const
{
    if (index < 0)
        return nullptr;
    if (index < m_grid->cardCount())
        return card(index);
    return QAccessibleWidget::child(index - m_grid->cardCount());
}

int ShotGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (!child->object()) {
        for (auto it = m_cards.cbegin(); it != m_cards.cend(); ++it) {
            if (QAccessible::accessibleInterface(*it) == child)
                return m_grid->indexOfCard(it.key());
        }
        return -1;
    }
    const int tile = QAccessibleWidget::indexOfChild(child);
    return tile < 0 ? -1 : m_grid->cardCount() + tile;
}

QAccessibleInterface* ShotGridAccessible::childAt(int x, int y) const
{
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    const int index = m_grid->cardAt(at);
    if (index >= 0)
        return card(index);
    return QAccessibleWidget::childAt(x, y);
}

} // namespace studio
