#include "views/shell/UpdatePill.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace studio {

namespace {
constexpr qreal padH = 10;
constexpr qreal padV = 5;
constexpr qreal dot = 5;
constexpr qreal spacing = 5;
} // namespace

UpdatePill::UpdatePill(QWidget* parent)
    : QAbstractButton(parent)
    , m_font(Theme::font(type::callout, QFont::Medium))
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(labelText());
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize UpdatePill::sizeHint() const
{
    const QFontMetricsF fm(m_font);
    const qreal w = padH + dot + spacing + fm.horizontalAdvance(labelText()) + padH;
    const qreal h = padV + std::max(fm.height(), dot) + padV;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void UpdatePill::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        p.setOpacity(0.7);
    const QRectF r = rect();
    shapes::fillCapsule(p, r, Palette::withOpacity(Palette::gold(), 0.12));
    if (hasFocus())
        FocusRing::paintCapsule(p, r);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::gold());
    p.drawEllipse(QRectF(padH, (height() - dot) / 2.0, dot, dot));
    p.setFont(m_font);
    p.setPen(Palette::gold());
    p.drawText(QRectF(padH + dot + spacing, 0, width() - padH - dot - spacing, height()),
               Qt::AlignLeft | Qt::AlignVCenter, labelText());
}

} // namespace studio
