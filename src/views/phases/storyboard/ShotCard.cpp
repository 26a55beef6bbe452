#include "views/phases/storyboard/ShotCard.h"

#include "design/widgets/ArtThumb.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/ShotRecipe.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal badgeInset = 7;
constexpr qreal infoPadH = 10;
constexpr qreal infoPadV = 8;
constexpr qreal infoSpacing = 8;
constexpr qreal recipeMarkSize = 8;

const QFont& numberFont()
{
    static const QFont f = Theme::font(type::callout, QFont::DemiBold);
    return f;
}
const QFont& moveFont()
{
    static const QFont f = Theme::font(type::label);
    return f;
}
const QFont& secondsFont()
{
    static const QFont f = Theme::font(type::small, QFont::Medium);
    return f;
}
const QFont& sizeBadgeFont()
{
    static const QFont f = Theme::font(type::footnote2, QFont::Bold, 0.5);
    return f;
}
const QFont& statusFont()
{
    static const QFont f = Theme::font(type::caption2, QFont::DemiBold, 0.6);
    return f;
}

qreal infoHeight()
{
    static const qreal h = std::ceil(std::max({QFontMetricsF(numberFont()).height(),
                                               QFontMetricsF(moveFont()).height(),
                                               QFontMetricsF(secondsFont()).height()})
                                     + 2 * infoPadV);
    return h;
}

QColor dotColor(ShotStatus status)
{
    switch (status) {
    case ShotStatus::approved:
        return Palette::success();
    case ShotStatus::rendered:
        return Palette::gold();
    case ShotStatus::planned:
        break;
    }
    return Palette::white(level::soft);
}

qreal baselineIn(const QRectF& r, const QFontMetricsF& fm)
{
    return r.center().y() + (fm.ascent() - fm.descent()) / 2.0;
}

// The info row's pieces, left to right; shared by painting and hit testing.
struct InfoLayout {
    QRectF number;
    QRectF move;
    QString moveText;
    QRectF mark;
    QRectF seconds;
    QString secondsText;
};

InfoLayout infoLayout(const ShotCard& card, const QSizeF& size, AspectRatio aspect)
{
    InfoLayout l;
    const qreal top = ShotCard::frameHeight(aspect);
    const QRectF row(infoPadH, top, std::max<qreal>(0, size.width() - 2 * infoPadH), infoHeight());
    const QFontMetricsF nfm(numberFont()), mfm(moveFont()), sfm(secondsFont());

    // The duration keeps its place at the end, however long a stored value reads.
    const qreal secondsWidth = std::min(sfm.horizontalAdvance(card.seconds), row.width() / 2.0);
    l.secondsText = sfm.elidedText(card.seconds, Qt::ElideRight, secondsWidth + 0.5);
    l.seconds = QRectF(row.right() - secondsWidth, row.top(), secondsWidth, row.height());

    qreal x = row.left();
    const QString number = u"Shot "_s + QString::number(card.number);
    const qreal numberWidth = nfm.horizontalAdvance(number);
    l.number = QRectF(x, row.top(), numberWidth, row.height());
    x += numberWidth + infoSpacing;

    const qreal markWidth = card.hasRecipe ? Symbols::boxSize(recipeMarkSize) : 0;
    const qreal room = l.seconds.left() - infoSpacing - x - (card.hasRecipe ? markWidth + infoSpacing : 0);
    const QString move = u"· "_s + label(card.move);
    l.moveText = mfm.elidedText(move, Qt::ElideRight, std::max<qreal>(0, room));
    const qreal moveWidth = mfm.horizontalAdvance(l.moveText);
    l.move = QRectF(x, row.top(), moveWidth, row.height());
    x += moveWidth + infoSpacing;
    if (card.hasRecipe)
        l.mark = QRectF(x, row.center().y() - markWidth / 2.0, markWidth, markWidth);
    return l;
}

// A capsule badge over the frame; returns its rectangle.
QRectF badgeRect(qreal textWidth, qreal textHeight, qreal extra)
{
    return QRectF(0, 0, textWidth + extra + 12, textHeight + 6);
}

} // namespace

ShotCard ShotCard::of(const Shot& shot, int number)
{
    ShotCard card;
    card.id = shot.id;
    card.number = number;
    card.size = shot.size;
    card.status = shot.status();
    card.move = shot.move;
    card.hasRecipe = shot.recipeID.has_value();
    if (card.hasRecipe) {
        if (const ShotRecipe* recipe = ShotRecipe::find(*shot.recipeID))
            card.recipeHelp = recipe->name + u" — after "_s + recipe->inspiredBy;
    }
    card.seconds = text::format("%.0f", shot.seconds) + u's';
    card.seed = shot.bestSeed();
    return card;
}

QString ShotCard::spokenText() const
{
    QString line = u"Shot "_s + QString::number(number) + u" · "_s + label(size) + u" · "_s + label(move)
        + u" · "_s + seconds + u" · "_s + label(status);
    if (!recipeHelp.isEmpty())
        line += u" · "_s + recipeHelp;
    return line;
}

qreal ShotCard::frameHeight(AspectRatio aspect)
{
    // A vertical frame at the width's ratio would tower over the row.
    if (aspect == AspectRatio::vertical916)
        return 230;
    return 208.0 / ratio(aspect);
}

QSizeF ShotCard::artSize(AspectRatio aspect)
{
    return QSizeF(480, std::max(480.0 / ratio(aspect), 200.0));
}

qreal ShotCard::height(AspectRatio aspect)
{
    return std::ceil(frameHeight(aspect) + infoHeight());
}

void ShotCard::paint(QPainter& p, const QSizeF& size, AspectRatio aspect) const
{
    const QRectF card(QPointF(0, 0), size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(shapes::roundedRect(card, radius));
    p.fillRect(card, Palette::surface());

    const QRectF frame(0, 0, size.width(), frameHeight(aspect));
    const QSizeF art = artSize(aspect);
    ArtThumb::paint(p, frame, seed, art.width(), art.height());

    // Size badge, top leading.
    {
        const QFontMetricsF fm(sizeBadgeFont());
        const QString text = abbrev(this->size);
        QRectF r = badgeRect(fm.horizontalAdvance(text), fm.height(), 0);
        r.moveTopLeft(QPointF(badgeInset, badgeInset));
        shapes::fillCapsule(p, r, Palette::black(level::soft));
        p.setFont(sizeBadgeFont());
        p.setPen(Qt::white);
        p.drawText(QPointF(r.left() + 6, baselineIn(r, fm)), text);
    }
    // Status pill, top trailing.
    {
        const QFontMetricsF fm(statusFont());
        const QString text = text::upper(label(status));
        constexpr qreal dot = 4.5, gap = 4;
        QRectF r = badgeRect(fm.horizontalAdvance(text), fm.height(), dot + gap);
        r.moveTopRight(QPointF(size.width() - badgeInset, badgeInset));
        shapes::fillCapsule(p, r, Palette::black(level::soft));
        p.setPen(Qt::NoPen);
        p.setBrush(dotColor(status));
        p.drawEllipse(QRectF(r.left() + 6, r.center().y() - dot / 2.0, dot, dot));
        p.setFont(statusFont());
        p.setPen(Palette::white(level::nearFull));
        p.drawText(QPointF(r.left() + 6 + dot + gap, baselineIn(r, fm)), text);
    }

    const InfoLayout l = infoLayout(*this, size, aspect);
    p.setFont(numberFont());
    p.setPen(Palette::textPrimary());
    p.drawText(QPointF(l.number.left(), baselineIn(l.number, QFontMetricsF(numberFont()))),
               u"Shot "_s + QString::number(number));
    p.setFont(moveFont());
    p.setPen(Palette::textTertiary());
    p.drawText(QPointF(l.move.left(), baselineIn(l.move, QFontMetricsF(moveFont()))), l.moveText);
    if (hasRecipe)
        Symbols::paint(p, l.mark, u"wand.and.stars"_s, Palette::gold(), recipeMarkSize);
    p.setFont(secondsFont());
    p.setPen(Palette::textSecondary());
    p.drawText(QPointF(l.seconds.right() - QFontMetricsF(secondsFont()).horizontalAdvance(l.secondsText),
                       baselineIn(l.seconds, QFontMetricsF(secondsFont()))),
               l.secondsText);
    p.restore();
}

void ShotCard::paintOutline(QPainter& p, const QRectF& rect, bool selected)
{
    if (selected) {
        FocusRing::paintChosen(p, rect, radius);
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeRoundedInside(p, rect, radius, Palette::hairline(), 1.0);
    p.restore();
}

QRectF ShotCard::recipeMarkRect(const QSizeF& size, AspectRatio aspect) const
{
    return hasRecipe ? infoLayout(*this, size, aspect).mark : QRectF();
}

} // namespace studio
