#include "design/widgets/HorizontalStrip.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

namespace studio {

namespace {
// One notch of a wheel (120 eighths of a degree) moves the strip this far.
constexpr int pixelsPerNotch = 60;
} // namespace

HorizontalStrip::HorizontalStrip(int spacing, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // No stop of its own, like the page around it: Tab goes to the cards'
    // controls and brings each into view, and a click between the cards
    // leaves the keyboard where it was.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    row->addStretch(1);
    setContent(content);
}

QHBoxLayout* HorizontalStrip::row() const
{
    return widget() ? qobject_cast<QHBoxLayout*>(widget()->layout()) : nullptr;
}

void HorizontalStrip::setContent(QWidget* content)
{
    if (QWidget* old = widget())
        old->removeEventFilter(this);
    setWidget(content);
    content->setAutoFillBackground(false);
    content->setAttribute(Qt::WA_TranslucentBackground);
    // The strip's height follows its content's.
    content->installEventFilter(this);
    updateGeometry();
}

void HorizontalStrip::setIndicatorShown(bool shown)
{
    m_indicator = shown;
    setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    updateGeometry();
}

int HorizontalStrip::contentHeight() const
{
    const QWidget* content = widget();
    if (!content)
        return 0;
    int height = content->sizeHint().height();
    // The bar below the cards, with two pixels of air above it.
    if (m_indicator)
        height += horizontalScrollBar()->sizeHint().height() + 2;
    return height;
}

QSize HorizontalStrip::sizeHint() const
{
    const QWidget* content = widget();
    const int width = content ? content->sizeHint().width() : 0;
    return QSize(width, contentHeight());
}

QSize HorizontalStrip::minimumSizeHint() const
{
    return QSize(0, contentHeight());
}

bool HorizontalStrip::event(QEvent* event)
{
    // Cards added before the strip was ever shown announce no new height (a
    // layout that never ran asks for no new run), and the page keeps the
    // height it saw first. Polishing comes before the first layout: tell the
    // page there.
    if (event->type() == QEvent::Polish)
        updateGeometry();
    return QScrollArea::event(event);
}

bool HorizontalStrip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

void HorizontalStrip::wheelEvent(QWheelEvent* event)
{
    const QPoint pixels = event->pixelDelta();
    const QPoint angle = event->angleDelta();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    // Whether the gesture runs sideways, and by how much (positive: towards
    // the start of the strip).
    int delta = 0;
    if (std::abs(angle.x()) > std::abs(angle.y()) || std::abs(pixels.x()) > std::abs(pixels.y()))
        delta = !pixels.isNull() ? pixels.x() : angle.x() * pixelsPerNotch / 120;
    else if (shift)
        delta = !pixels.isNull() ? pixels.y() : angle.y() * pixelsPerNotch / 120;
    if (delta == 0) {
        // A plain wheel turn belongs to the page.
        event->ignore();
        return;
    }
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - delta);
    event->accept();
}

} // namespace studio
