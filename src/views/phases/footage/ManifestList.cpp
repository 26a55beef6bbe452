#include "views/phases/footage/ManifestList.h"

#include "design/widgets/ScrollColumn.h"
#include "design/focus/TabOrder.h"

#include <QAbstractButton>
#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace studio {

namespace {

// Between two sections, as between the manifest's other blocks.
constexpr int sectionSpacing = 16;
// A page never measured yet (not shown) is taken to be this tall.
constexpr int unmeasuredPage = 1200;

} // namespace

ManifestList::ManifestList(ScrollColumn* page, Create create, Sync sync, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_create(std::move(create))
    , m_sync(std::move(sync))
    , m_built(this)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_page->verticalScrollBar(), &QScrollBar::valueChanged, this, &ManifestList::follow);
    m_page->viewport()->installEventFilter(this);
}

void ManifestList::setEntries(const QList<Entry>& entries)
{
    m_entries = entries;
    // Sections of scenes that are gone go, whatever their place.
    QList<QUuid> ids;
    ids.reserve(m_entries.size());
    for (const Entry& entry : std::as_const(m_entries))
        ids.append(entry.sceneID);
    m_built.setKeys(ids);
    // Every section kept is brought up to date (each skips itself when its
    // scene and context are as it last showed them).
    m_built.forEach(m_sync);
    follow();
}

QList<SceneSection*> ManifestList::sections() const
{
    return m_built.widgets();
}

int ManifestList::heightAt(qsizetype index) const
{
    const Entry& entry = m_entries[index];
    if (SceneSection* section = m_built.widgetAt(index)) {
        const int w = width();
        return section->hasHeightForWidth() && w > 0 ? section->heightForWidth(w) : section->sizeHint().height();
    }
    return SceneSection::foldedHeight(entry.shotCount);
}

std::pair<int, int> ManifestList::reach() const
{
    const QWidget* viewport = m_page->viewport();
    const int pageHeight = isVisible() && viewport->height() > 0 ? viewport->height() : unmeasuredPage;
    // The list's top within the page's content, and the content's scroll.
    const QPoint origin = mapTo(m_page->widget(), QPoint(0, 0));
    const int top = m_page->verticalScrollBar()->value() - origin.y();
    return {top - pageHeight / 2, top + pageHeight + pageHeight / 2};
}

void ManifestList::follow()
{
    if (m_following)
        return;
    m_following = true;
    const auto [from, to] = reach();
    QList<bool> wanted;
    wanted.reserve(m_entries.size());
    int y = 0;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const int h = heightAt(i);
        wanted.append(m_entries[i].pinned || (y + h >= from && y <= to));
        y += h + sectionSpacing;
    }
    m_built.sync([&wanted](qsizetype index) { return wanted[index]; },
                 [this](qsizetype index) {
                     SceneSection* section = m_create(m_entries[index].sceneID, this);
                     m_sync(section, index);
                     return section;
                 });
    orderFocus();
    place();
    m_following = false;
}

void ManifestList::orderFocus()
{
    // A widget built as the page scrolls (a section, a row, an open row's
    // prompt) joins the window's Tab chain at its very end: Tab moves
    // through the sections in scene order, right after the stop before the
    // list, whichever was built first.
    QList<QWidget*> stops;
    m_built.forEach([&stops](SceneSection* section, qsizetype) { stops << section->focusStops(); });
    TabOrder::chain(m_focusAnchor ? m_focusAnchor() : nullptr, stops);
}

void ManifestList::place()
{
    const int w = width();
    int y = 0;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const int h = heightAt(i);
        if (SceneSection* section = m_built.widgetAt(i))
            section->setGeometry(0, y, w, h);
        y += h + sectionSpacing;
    }
    const int height = m_entries.isEmpty() ? 0 : y - sectionSpacing;
    if (height != m_height) {
        m_height = height;
        updateGeometry();
    }
}

QSize ManifestList::sizeHint() const
{
    return QSize(0, m_height);
}

bool ManifestList::event(QEvent* event)
{
    // A section grew or shrank (a row opening on its spring): the sections
    // below it move and the list takes the new height.
    if (event->type() == QEvent::LayoutRequest)
        place();
    return QWidget::event(event);
}

bool ManifestList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page->viewport() && event->type() == QEvent::Resize)
        follow();
    return QWidget::eventFilter(watched, event);
}

void ManifestList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    follow();
}

void ManifestList::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    follow();
}

} // namespace studio
