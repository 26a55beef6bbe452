#include "views/common/SheetDialog.h"

#include "design/Palette.h"
#include "design/Shapes.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace studio {

namespace {
constexpr qreal sheetRadius = 14.0;
}

SheetDialog::SheetDialog(QWidget* window, QSize size)
    : QDialog(window ? window->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
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
    centre();
    // Unless the content asked for a control, the sheet itself holds the
    // keyboard focus at first: no button opens highlighted as focused, and
    // Tab reaches the first control.
    if (!focusWidget())
        setFocus(Qt::OtherFocusReason);
    open();
}

void SheetDialog::centre()
{
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
}

void SheetDialog::showEvent(QShowEvent* event)
{
    centre();
    QDialog::showEvent(event);
}

void SheetDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(Palette::hairlineStrong(), 1.0));
    p.setBrush(Palette::bgRaised());
    p.drawRoundedRect(r, sheetRadius, sheetRadius);
}

} // namespace studio
