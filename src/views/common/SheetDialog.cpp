#include "views/common/SheetDialog.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/WindowShape.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
constexpr qreal sheetRadius = 14.0;

QPainterPath outline(const QRectF& rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, sheetRadius, sheetRadius);
    return path;
}

// The part of the widget its window shows (not scrolled away), on the screen.
QRect shownPart(const QWidget* widget)
{
    QRect part(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    for (const QWidget* outer = widget->parentWidget(); outer; outer = outer->parentWidget()) {
        part &= QRect(outer->mapToGlobal(QPoint(0, 0)), outer->size());
        if (outer->isWindow())
            break;
    }
    return part;
}
} // namespace

SheetDialog::SheetDialog(QWidget* window, QSize size)
    : QDialog(window ? window->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
    , m_presenter(window)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(size);
    m_content = new QVBoxLayout(this);
    m_content->setContentsMargins(0, 0, 0, 0);
    m_content->setSpacing(0);
}

void SheetDialog::present()
{
    place();
    // The content gives its first control the keyboard (a sheet opens with
    // the keyboard inside it); one that asks for none leaves it on the
    // sheet itself, from where Tab reaches the first control.
    if (!focusWidget())
        setFocus(Qt::OtherFocusReason);
    open();
}

void SheetDialog::place()
{
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    const QRect frame = owner->geometry();
    QRect room = frame;
    if (m_presenter && m_presenter != owner && m_presenter->isVisible()) {
        const QRect view = shownPart(m_presenter);
        if (!view.isEmpty())
            room = view;
    }
    if (height() > room.height())
        resize(width(), std::max(room.height(), minimumHeight()));
    const QPoint centred = frame.center() - QPoint(width() / 2, height() / 2);
    const int top = std::clamp(centred.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height()));
    move(centred.x(), top);
}

void SheetDialog::showEvent(QShowEvent* event)
{
    place();
    QDialog::showEvent(event);
}

void SheetDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The window is cut to the card, so its corners show what lies behind
    // the sheet whether or not a compositing window manager blends clear
    // pixels.
    setMask(WindowShape::of(outline(rect()), size(), int(std::ceil(sheetRadius))));
}

void SheetDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Every pixel the window's shape keeps is opaque, the card's smoothed
    // edge included.
    WindowShape::paintGround(p, mask(), Palette::bgRaised(), Palette::hairlineStrong());
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(Palette::hairlineStrong(), 1.0));
    p.setBrush(Palette::bgRaised());
    p.drawRoundedRect(r, sheetRadius, sheetRadius);
}

} // namespace studio
