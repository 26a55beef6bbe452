#include "views/home/NewProjectCard.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/PointerHover.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "views/home/ProjectPosterCard.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
// The card shares the poster cards' cell convention so the two line up.
constexpr int margin = ProjectPosterCard::cellMargin;
constexpr qreal cardMinimumHeight = 218;
constexpr qreal radius = 18;
constexpr qreal circle = 44;
constexpr qreal lineWidth = 1.2;
} // namespace

NewProjectCard::NewProjectCard(QWidget* parent)
    : QAbstractButton(parent)
    , m_fade(new QVariantAnimation(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(u"New Production"_s);
    m_fade->setDuration(150);
    m_fade->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_amount = v.toReal();
        update();
    });
    connect(new PointerHover(this), &PointerHover::changed, this, &NewProjectCard::setHovering);
}

qreal NewProjectCard::fillOpacity() const
{
    return 0.02 + 0.03 * m_amount;
}

int NewProjectCard::heightForWidth(int) const
{
    return int(cardMinimumHeight) + 2 * margin;
}

QSize NewProjectCard::sizeHint() const
{
    return QSize(300 + 2 * margin, heightForWidth(300));
}

QSize NewProjectCard::minimumSizeHint() const
{
    return QSize(120 + 2 * margin, heightForWidth(0));
}

QRectF NewProjectCard::cardRect() const
{
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

void NewProjectCard::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    m_fade->stop();
    m_fade->setStartValue(m_amount);
    m_fade->setEndValue(hovering ? 1.0 : 0.0);
    m_fade->start();
}

bool NewProjectCard::hitButton(const QPoint& pos) const
{
    return cardRect().contains(pos);
}

void NewProjectCard::paintEvent(QPaintEvent*)
{
    const QRectF card = cardRect();
    if (card.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    shapes::fillRounded(p, card, radius, Palette::white(fillOpacity()));

    shapes::strokeDashedRoundedInside(p, card, radius, Palette::hairlineStrong(), lineWidth, 6, 5);

    const QFont titleFont = Theme::font(type::title3, QFont::DemiBold);
    const QFont subtitleFont = Theme::font(type::callout);
    const QFontMetricsF titleMetrics(titleFont), subtitleMetrics(subtitleFont);
    const qreal stack = circle + 12 + titleMetrics.height() + 3 + subtitleMetrics.height();
    qreal y = card.top() + (card.height() - stack) / 2.0;

    const QRectF disc(card.center().x() - circle / 2.0, y, circle, circle);
    QLinearGradient fill(disc.topLeft(), disc.bottomLeft());
    fill.setColorAt(0, Palette::ivory());
    fill.setColorAt(1, Palette::ivoryShadeDeep());
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(disc);
    Symbols::paint(p, disc, u"plus"_s, Palette::buttonInk(), 17, QFont::DemiBold);
    y += circle + 12;

    p.setFont(titleFont);
    p.setPen(Palette::textPrimary());
    p.drawText(QRectF(card.left(), y, card.width(), titleMetrics.height()), Qt::AlignHCenter | Qt::AlignVCenter,
               u"New Production"_s);
    y += titleMetrics.height() + 3;
    p.setFont(subtitleFont);
    p.setPen(Palette::textTertiary());
    p.drawText(QRectF(card.left(), y, card.width(), subtitleMetrics.height()), Qt::AlignHCenter | Qt::AlignVCenter,
               u"Short film to four-hour epic"_s);
    if (hasFocus())
        FocusRing::paintRounded(p, card, radius);
}

} // namespace studio
