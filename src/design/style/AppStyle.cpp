#include "design/style/AppStyle.h"

#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/WindowShape.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {

constexpr int barExtent = 10;
constexpr int handleMinimum = 28;
constexpr qreal handleRadius = 4;
// A tool tip: a one-pixel border, then padding across and down.
constexpr int tipBorder = 1;
constexpr QSize tipPadding(7, 4);
constexpr qreal tipRadius = 6;

// The tip's outer edge.
QPainterPath tipOutline(const QRect& rect)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), tipRadius, tipRadius);
    return path;
}

QRegion tipShape(const QRect& rect)
{
    return WindowShape::of(tipOutline(rect), rect.size(), int(std::ceil(tipRadius))).translated(rect.topLeft());
}

// The groove: the bar less a margin of one pixel across and two along.
QRect grooveOf(const QStyleOptionSlider& bar)
{
    return bar.orientation == Qt::Vertical ? bar.rect.adjusted(1, 2, -1, -2) : bar.rect.adjusted(2, 1, -2, -1);
}

QRect handleOf(const QStyleOptionSlider& bar)
{
    const QRect groove = grooveOf(bar);
    const bool vertical = bar.orientation == Qt::Vertical;
    const int length = vertical ? groove.height() : groove.width();
    const qint64 range = qint64(bar.maximum) - bar.minimum;
    int handle = length;
    if (range > 0) {
        handle = int(qint64(bar.pageStep) * length / (range + bar.pageStep));
        handle = std::clamp(handle, std::min(handleMinimum, length), length);
    }
    const int start = QStyle::sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition,
                                                      length - handle, bar.upsideDown);
    return vertical ? QRect(groove.left(), groove.top() + start, groove.width(), handle)
                    : QRect(groove.left() + start, groove.top(), handle, groove.height());
}

} // namespace

AppStyle::AppStyle(QStyle* base)
    : QProxyStyle(base)
{
}

int AppStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent:
        return barExtent;
    case PM_ScrollBarSliderMin:
        return handleMinimum;
    case PM_ToolTipLabelFrameWidth:
        return tipBorder + tipPadding.width();
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect AppStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                               const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    // No arrow buttons: the handle runs the whole groove, and the pages are
    // the groove on either side of it.
    const QRect groove = grooveOf(*bar);
    const QRect handle = handleOf(*bar);
    const bool vertical = bar->orientation == Qt::Vertical;
    switch (sub) {
    case SC_ScrollBarGroove:
        return groove;
    case SC_ScrollBarSlider:
        return handle;
    case SC_ScrollBarSubPage:
        return vertical ? QRect(groove.topLeft(), QPoint(groove.right(), handle.top() - 1))
                        : QRect(groove.topLeft(), QPoint(handle.left() - 1, groove.bottom()));
    case SC_ScrollBarAddPage:
        return vertical ? QRect(QPoint(groove.left(), handle.bottom() + 1), groove.bottomRight())
                        : QRect(QPoint(handle.right() + 1, groove.top()), groove.bottomRight());
    case SC_ScrollBarSubLine:
        return QRect(bar->rect.topLeft(), QSize(0, 0));
    case SC_ScrollBarAddLine:
        return QRect(bar->rect.bottomRight(), QSize(0, 0));
    default:
        return {};
    }
}

QStyle::SubControl AppStyle::hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                                   const QPoint& pos, const QWidget* widget) const
{
    if (control != CC_ScrollBar || !qstyleoption_cast<const QStyleOptionSlider*>(option))
        return QProxyStyle::hitTestComplexControl(control, option, pos, widget);
    for (const SubControl sub : {SC_ScrollBarSlider, SC_ScrollBarSubPage, SC_ScrollBarAddPage}) {
        if (subControlRect(control, option, sub, widget).contains(pos))
            return sub;
    }
    return SC_None;
}

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                  const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The track is left clear; only the handle shows.
    if (bar->maximum == bar->minimum)
        return;
    const bool hovered = (bar->state & State_MouseOver) && (bar->activeSubControls & SC_ScrollBarSlider);
    const QRect handle = handleOf(*bar);
    if (handle.isEmpty())
        return;
    QPainterPath path;
    path.addRoundedRect(QRectF(handle), handleRadius, handleRadius);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillPath(path, hovered ? Palette::textSecondary() : Palette::hairlineStrong());
    painter->restore();
}

QRect AppStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element == SE_ShapedFrameContents && widget && widget->inherits("QTipLabel")) {
        const int across = tipBorder + tipPadding.width();
        const int down = tipBorder + tipPadding.height();
        return option->rect.adjusted(across, down, -across, -down);
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    if (element != PE_PanelTipLabel) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The rounded panel on an opaque ground over all that the tip's window
    // keeps of its rectangle (see styleHint): the window shows no clear
    // pixel, which a screen without a compositing window manager shows black.
    const QRegion shape = widget && !widget->mask().isEmpty() ? widget->mask() : tipShape(option->rect);
    const QRectF r = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(r, tipRadius - 0.5, tipRadius - 0.5);
    painter->save();
    WindowShape::paintGround(*painter, shape, option->palette.toolTipBase().color(), Palette::hairlineStrong());
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(Palette::hairlineStrong(), tipBorder));
    painter->setBrush(option->palette.toolTipBase());
    painter->drawPath(path);
    painter->restore();
}

int AppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const
{
    auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(returnData);
    if (hint != SH_ToolTip_Mask || !option || !mask)
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    // The tip's window cut to the panel, so that its corners show what lies
    // behind the tip whether or not a compositing window manager blends
    // clear pixels.
    mask->region = tipShape(option->rect);
    return 1;
}

QSize AppStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const
{
    // A plain line editor has neither frame nor padding: its field around it
    // gives both.
    if (type == CT_LineEdit && widget && widget->property("studioPlain").toBool())
        return size;
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void AppStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (auto* area = qobject_cast<QScrollArea*>(widget)) {
        // Scroll areas sit on the card or page behind them.
        area->setFrameShape(QFrame::NoFrame);
        area->setAutoFillBackground(false);
        area->setAttribute(Qt::WA_NoSystemBackground, true);
        area->viewport()->setAutoFillBackground(false);
    } else if (qobject_cast<QDialog*>(widget)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, QColor(0x12, 0x12, 0x14));
        widget->setPalette(palette);
    } else if (qobject_cast<QMenu*>(widget)) {
        // A menu's sheet is its own, so no other widget is matched against
        // it. Setting it polishes the menu again under the sheet, which comes
        // back here with the sheet already in place.
        if (widget->styleSheet().isEmpty())
            widget->setStyleSheet(Theme::styleSheet());
    } else if (widget->inherits("QScrollBar")) {
        // The handle lightens under the pointer.
        widget->setAttribute(Qt::WA_Hover, true);
    }
}

} // namespace studio
