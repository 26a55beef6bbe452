#include "views/phases/story/DashedAddButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr QSize tileSize(150, 110);
constexpr qreal tileSymbol = 14;
constexpr qreal tileGap = 8;
constexpr qreal barSymbol = 10.5;
constexpr qreal barGap = 5;
constexpr qreal barPadding = 8;
} // namespace

DashedAddButton::DashedAddButton(Shape shape, const QString& text, QWidget* parent)
    : QAbstractButton(parent)
    , m_shape(shape)
{
    setText(text);
    setAccessibleName(text);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    if (shape == Shape::tile) {
        setFixedSize(tileSize);
    } else {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
}

QFont DashedAddButton::labelFont() const
{
    return Theme::font(m_shape == Shape::tile ? 11 : 10.5, QFont::Medium);
}

QSize DashedAddButton::sizeHint() const
{
    if (m_shape == Shape::tile)
        return tileSize;
    const QFontMetricsF fm(labelFont());
    const qreal w = Symbols::boxSize(barSymbol) + barGap + fm.horizontalAdvance(text()) + 2 * barPadding;
    const qreal h = std::max(fm.height(), Symbols::boxSize(barSymbol)) + 2 * barPadding;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

QSize DashedAddButton::minimumSizeHint() const
{
    return m_shape == Shape::tile ? tileSize : QSize(0, sizeHint().height());
}

void DashedAddButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF r = rect();
    const bool tile = m_shape == Shape::tile;
    const qreal radius = tile ? 14 : 10;
    shapes::fillRounded(p, r, radius, Palette::white(tile ? 0.02 : 0.03));
    shapes::strokeDashedRoundedInside(p, r, radius, Palette::hairline(), 1.0, tile ? 5 : 4, 4);
    if (hasFocus())
        FocusRing::paintRounded(p, r, radius);

    const QColor ink = isDown() ? Palette::withOpacity(Palette::textTertiary(), 0.6) : Palette::textTertiary();
    const QFont font = labelFont();
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(ink);
    if (tile) {
        const qreal box = Symbols::boxSize(tileSymbol);
        const qreal total = box + tileGap + fm.height();
        const qreal top = (r.height() - total) / 2;
        Symbols::paint(p, QRectF((r.width() - box) / 2, top, box, box), u"plus"_s, ink, tileSymbol, QFont::Medium);
        p.drawText(QRectF(0, top + box + tileGap, r.width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop, text());
        return;
    }
    const qreal box = Symbols::boxSize(barSymbol);
    const qreal textWidth = fm.horizontalAdvance(text());
    const qreal left = (r.width() - (box + barGap + textWidth)) / 2;
    Symbols::paint(p, QRectF(left, (r.height() - box) / 2, box, box), u"plus"_s, ink, barSymbol, QFont::Medium);
    p.drawText(QRectF(left + box + barGap, 0, textWidth + 1, r.height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace studio
