#include "design/widgets/Chip.h"

#include "design/widgets/AccessibleSource.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace studio {

namespace {
constexpr qreal padH = 10;
constexpr qreal padV = 5;
} // namespace

Chip::Chip(const QString& text, bool isOn, QWidget* parent)
    : QAbstractButton(parent)
    , m_onFont(Theme::font(type::body, QFont::DemiBold))
    , m_offFont(Theme::font(type::body))
    , m_on(isOn)
    , m_onAmount(isOn ? 1.0 : 0.0)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    setText(text);
}

QVariantAnimation* Chip::fade()
{
    // Made at the first change seen on screen: most chips never fade.
    if (!m_fade) {
        m_fade = new QVariantAnimation(this);
        m_fade->setDuration(150);
        m_fade->setEasingCurve(QEasingCurve::OutQuad);
        connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            m_onAmount = v.toReal();
            update();
        });
    }
    return m_fade;
}

void Chip::setText(const QString& text)
{
    if (text == m_text && !QAbstractButton::text().isNull())
        return;
    m_text = text;
    m_shown = text::displayPrefix(text);
    m_hints = {};
    m_elided = {};
    QAbstractButton::setText(Theme::escapeMnemonic(m_shown));
    setSpokenName(this, m_shown);
    updateGeometry();
    update();
}

void Chip::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    tellChoiceChanged(this);
    if (m_fade)
        m_fade->stop();
    // A chip that is not on screen yet shows its state at once, rather than
    // fading in on its first appearance.
    if (!isVisible()) {
        m_onAmount = on ? 1.0 : 0.0;
        updateGeometry();
        update();
        return;
    }
    fade()->setStartValue(m_onAmount);
    m_fade->setEndValue(on ? 1.0 : 0.0);
    m_fade->start();
    // Bold and regular labels differ in width.
    updateGeometry();
}

void Chip::setInteractive(bool interactive)
{
    m_interactive = interactive;
    setFocusPolicy(interactive ? Qt::TabFocus : Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

QSize Chip::sizeHint() const
{
    // Layouts ask often; the label is measured once per weight.
    QSize& hint = m_hints[m_on ? 1 : 0];
    if (hint.isEmpty()) {
        const QFontMetricsF fm(currentFont());
        hint = QSize(int(std::ceil(fm.horizontalAdvance(m_shown) + 2 * padH)), int(std::ceil(fm.height() + 2 * padV)));
    }
    return hint;
}

bool Chip::hitButton(const QPoint& pos) const
{
    return m_interactive && QAbstractButton::hitButton(pos);
}

void Chip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF r = rect();
    const qreal t = m_onAmount;
    shapes::fillCapsule(p, r, Palette::mix(Palette::white(level::wash), Palette::accent(), t));
    shapes::strokeCapsuleInside(p, r, Palette::withOpacity(Palette::hairline(), 1.0 - t), 1.0);
    if (hasFocus())
        FocusRing::paintCapsule(p, r);
    const QFont f = currentFont();
    p.setFont(f);
    p.setPen(Palette::mix(Palette::textSecondary(), Palette::buttonInk(), t));
    // The label fitted to the chip, kept while its width and weight stay.
    Elided& label = m_elided[m_on ? 1 : 0];
    if (label.width != width()) {
        const QFontMetricsF fm(f);
        label.width = width();
        label.text = fm.elidedText(m_shown, Qt::ElideRight, std::max<qreal>(0, r.width() - 2 * padH));
        label.advance = fm.horizontalAdvance(label.text);
        label.rise = (fm.ascent() - fm.descent()) / 2.0;
    }
    const qreal x = r.center().x() - label.advance / 2.0;
    const qreal baseline = r.center().y() + label.rise;
    p.drawText(QPointF(x, baseline), label.text);
}

} // namespace studio
