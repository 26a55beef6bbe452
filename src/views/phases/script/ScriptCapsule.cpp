#include "views/phases/script/ScriptCapsule.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
// No chip is wider than the page; a longer name is cut before it is shaped.
constexpr qsizetype shownCharacters = 120;
constexpr qreal pressedOpacity = 0.6;
} // namespace

ScriptCapsule::Look ScriptCapsule::toolbarLook(const QString& symbol)
{
    Look look;
    look.font = Theme::font(type::callout, QFont::Medium);
    look.labelColor = Palette::textSecondary();
    look.fill = Palette::white(level::wash);
    look.border = Palette::hairline();
    look.padH = 9;
    look.padV = 5;
    look.symbol = symbol;
    look.symbolSize = 9;
    look.symbolWeight = QFont::Medium;
    look.spacing = 5;
    return look;
}

ScriptCapsule::Look ScriptCapsule::chipLook()
{
    Look look;
    look.font = Theme::font(type::label, QFont::Medium);
    look.labelColor = Palette::paperInkSoft();
    look.fill = Palette::withOpacity(Palette::paperInk(), 0.05);
    look.border = Palette::withOpacity(Palette::paperInk(), 0.15);
    look.padH = 8;
    look.padV = 3;
    return look;
}

ScriptCapsule::ScriptCapsule(const QString& label, const Look& look, QWidget* parent)
    : QAbstractButton(parent)
    , m_label(label)
    , m_look(look)
{
    m_shown = text::graphemePrefix(label.left(shownCharacters * 4), shownCharacters);
    m_shown.replace(u'\n', u' ');
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(label);
    setCursor(Qt::PointingHandCursor);
}

QSize ScriptCapsule::sizeHint() const
{
    const QFontMetricsF fm(m_look.font);
    qreal w = fm.horizontalAdvance(m_shown) + 2 * m_look.padH;
    qreal h = fm.height();
    if (!m_look.symbol.isEmpty()) {
        const qreal box = Symbols::boxSize(m_look.symbolSize);
        w += box + m_look.spacing;
        h = std::max(h, box);
    }
    return QSize(int(std::ceil(w)), int(std::ceil(h + 2 * m_look.padV)));
}

void ScriptCapsule::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (isDown())
        p.setOpacity(pressedOpacity);
    const QRectF r = rect();
    shapes::fillCapsule(p, r, m_look.fill);
    shapes::strokeCapsuleInside(p, r, m_look.border, 1.0);

    const QFontMetricsF fm(m_look.font);
    qreal x = m_look.padH;
    const qreal cy = r.center().y();
    if (!m_look.symbol.isEmpty()) {
        const qreal box = Symbols::boxSize(m_look.symbolSize);
        Symbols::paint(p, QRectF(x, cy - box / 2, box, box), m_look.symbol, m_look.labelColor, m_look.symbolSize,
                       m_look.symbolWeight);
        x += box + m_look.spacing;
    }
    const QString shown = fm.elidedText(m_shown, Qt::ElideRight, std::max<qreal>(0, r.width() - m_look.padH - x));
    p.setFont(m_look.font);
    p.setPen(m_look.labelColor);
    p.drawText(QPointF(x, cy + (fm.ascent() - fm.descent()) / 2), shown);
    if (hasFocus()) {
        p.setOpacity(1);
        FocusRing::paintCapsule(p, r);
    }
}

} // namespace studio
