#include "design/widgets/ScrollColumn.h"

#include "design/focus/FocusRing.h"

#include <QFocusEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace studio {

namespace {

// The focus ring round the page; the pointer passes through it.
class PageRing : public QWidget {
public:
    explicit PageRing(QWidget* page)
        : QWidget(page)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(page->rect());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        FocusRing::paintRounded(p, rect(), 8);
    }
};

} // namespace

ScrollColumn::ScrollColumn(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // The page is no stop of its own for Tab: Tab goes to the controls on it
    // and brings each into view, and Page Up and Page Down, which a button
    // leaves unused, scroll the page. A click on a bare stretch of it leaves
    // the keyboard where it was: a page holding it would be heard as nothing.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setContent(content);
}

QVBoxLayout* ScrollColumn::column() const
{
    return widget() ? qobject_cast<QVBoxLayout*>(widget()->layout()) : nullptr;
}

void ScrollColumn::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    // The ring round the page is there while the page has the keyboard; as
    // every ring, it shows once the keyboard is in use (a click on the page
    // to scroll it by keys shows none until a key scrolls it).
    if (!m_ring)
        m_ring = new PageRing(this);
    m_ring->show();
    m_ring->raise();
}

void ScrollColumn::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (m_ring && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_ring->hide();
}

void ScrollColumn::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_ring)
        m_ring->setGeometry(rect());
}

void ScrollColumn::setContent(QWidget* content)
{
    setWidget(content);
    // setWidget() turns the background on; the page shows what lies behind.
    content->setAutoFillBackground(false);
    content->setAttribute(Qt::WA_TranslucentBackground);
}

} // namespace studio
