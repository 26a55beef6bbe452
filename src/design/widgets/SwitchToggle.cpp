#include "design/widgets/SwitchToggle.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Spring.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace studio {

namespace {
constexpr qreal labelGap = 10;
} // namespace

SwitchToggle::SwitchToggle(const QString& label, QWidget* parent)
    : QAbstractButton(parent)
    , m_label(label)
    , m_font(Theme::font(type::control))
    , m_tint(Palette::accentDeep())
    , m_knob(new Spring(0.25, 0.86, this))
{
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(label);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_knob, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
}

void SwitchToggle::setTint(const QColor& tint)
{
    m_tint = tint;
    update();
}

void SwitchToggle::setLabelFont(const QFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    updateGeometry();
    update();
}

QSize SwitchToggle::sizeHint() const
{
    const QFontMetricsF fm(m_font);
    const qreal w = fm.horizontalAdvance(m_label) + labelGap + switchSize.width();
    const qreal h = std::max<qreal>(fm.height(), switchSize.height()) + 2;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

QSize SwitchToggle::minimumSizeHint() const
{
    return sizeHint();
}

QRectF SwitchToggle::switchRect() const
{
    const QSizeF s(switchSize);
    return QRectF(width() - s.width(), (height() - s.height()) / 2.0, s.width(), s.height());
}

void SwitchToggle::checkStateSet()
{
    // A state set from outside shows at once; only the user's flip slides.
    m_knob->jumpTo(isChecked() ? 1.0 : 0.0);
    update();
}

void SwitchToggle::nextCheckState()
{
    QAbstractButton::nextCheckState();
    m_knob->setTarget(isChecked() ? 1.0 : 0.0);
}

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);

    const QRectF sw = switchRect();
    p.setFont(m_font);
    p.setPen(Palette::textSecondary());
    const QRectF text(0, 0, std::max<qreal>(0, sw.left() - labelGap), height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(m_font).elidedText(m_label, Qt::ElideRight, text.width()));

    const qreal on = std::clamp(m_knob->value(), 0.0, 1.0);
    shapes::fillCapsule(p, sw, Palette::mix(Palette::white(level::track), m_tint, on));
    shapes::strokeCapsuleInside(p, sw, Palette::hairline(), 1.0);

    const qreal inset = 1.5;
    const qreal d = sw.height() - 2 * inset;
    const qreal x = sw.left() + inset + on * (sw.width() - 2 * inset - d);
    const QRectF knob(x, sw.top() + inset, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::black(level::shade));
    p.drawEllipse(knob.translated(0, 0.6));
    p.setBrush(isDown() ? Palette::mix(Palette::textPrimary(), Palette::black(level::full), 0.12) : Palette::textPrimary());
    p.drawEllipse(knob);
    // Over the knob's edge too: the ring must read on the tinted track, on
    // the bare one and across the knob alike.
    if (hasFocus())
        FocusRing::paintCapsule(p, sw);
}

} // namespace studio
