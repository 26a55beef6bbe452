#include "design/widgets/StyledButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Spring.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace studio {

namespace {
constexpr qreal symbolSpacing = 5;
constexpr qreal disabledOpacity = 0.45;
} // namespace

StyledButton::StyledButton(QWidget* parent)
    : QAbstractButton(parent)
    , m_font(Theme::font(type::subheadline, QFont::Medium))
    , m_press(new Spring(0.25, 0.7, this))
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_press, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::pressed, this, &StyledButton::syncPressed);
    connect(this, &QAbstractButton::released, this, &StyledButton::syncPressed);
}

void StyledButton::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_shown = text::displayPrefix(text);
    QAbstractButton::setText(Theme::escapeMnemonic(m_shown));
    setSpokenName(this, m_shown);
    updateGeometry();
    update();
}

void StyledButton::setSymbol(const QString& name)
{
    if (name == m_symbol)
        return;
    m_symbol = name;
    updateGeometry();
    update();
}

void StyledButton::setLabelFont(const QFont& font)
{
    m_font = font;
    m_customFont = true;
    updateGeometry();
    update();
}

void StyledButton::setStyleFont(const QFont& font)
{
    if (m_customFont)
        return;
    m_font = font;
    updateGeometry();
    update();
}

void StyledButton::setPadding(qreal horizontal, qreal vertical)
{
    m_padH = horizontal;
    m_padV = vertical;
    updateGeometry();
}

void StyledButton::setPressedLook(qreal scale, qreal opacity)
{
    m_pressedScale = scale;
    m_pressedOpacity = opacity;
}

qreal StyledButton::pressAmount() const
{
    return m_press->value();
}

void StyledButton::syncPressed()
{
    const qreal target = isDown() ? 1.0 : 0.0;
    if (m_press->target() != target)
        m_press->setTarget(target);
}

QSizeF StyledButton::contentSize() const
{
    const QFontMetricsF fm(m_font);
    qreal w = fm.horizontalAdvance(m_shown);
    qreal h = fm.height();
    if (!m_symbol.isEmpty()) {
        const qreal box = Symbols::boxSize(Theme::designSize(m_font));
        w += box + (m_text.isEmpty() ? 0 : symbolSpacing);
        h = std::max(h, box * 0.8);
    }
    return QSizeF(w, h);
}

QSize StyledButton::sizeHint() const
{
    const QSizeF c = contentSize();
    return QSize(int(std::ceil(c.width() + 2 * m_padH)), int(std::ceil(c.height() + 2 * m_padV)));
}

QSize StyledButton::minimumSizeHint() const
{
    return sizeHint();
}

void StyledButton::paintEvent(QPaintEvent*)
{
    syncPressed();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal press = std::clamp(m_press->value(), -0.2, 1.2);
    const QRectF r = rect();
    if (!isEnabled())
        p.setOpacity(disabledOpacity);
    else
        p.setOpacity(1.0 - (1.0 - m_pressedOpacity) * std::clamp(press, 0.0, 1.0));
    const qreal scale = 1.0 - (1.0 - m_pressedScale) * press;
    if (scale != 1.0) {
        p.translate(r.center());
        p.scale(scale, scale);
        p.translate(-r.center());
    }
    paintBackground(p, r);
    // The button takes no focus from a click: focus on it is the keyboard's.
    if (hasFocus())
        paintFocusRing(p, r);

    // Label: the symbol and the text, centred as one group.
    const QSizeF c = contentSize();
    const QFontMetricsF fm(m_font);
    const qreal availableText = std::max<qreal>(0, r.width() - 2 * m_padH - (c.width() - fm.horizontalAdvance(m_shown)));
    const QString shown = fm.elidedText(m_shown, Qt::ElideRight, availableText);
    const qreal groupWidth = c.width() - fm.horizontalAdvance(m_shown) + fm.horizontalAdvance(shown);
    qreal x = r.center().x() - groupWidth / 2.0;
    const QColor color = labelColor();
    if (!m_symbol.isEmpty()) {
        const qreal size = Theme::designSize(m_font);
        const qreal box = Symbols::boxSize(size);
        Symbols::paint(p, QRectF(x, r.center().y() - box / 2.0, box, box), m_symbol, color, size,
                       QFont::Weight(m_font.weight()));
        x += box + (m_text.isEmpty() ? 0 : symbolSpacing);
    }
    p.setFont(m_font);
    p.setPen(color);
    const qreal baseline = r.center().y() + (fm.ascent() - fm.descent()) / 2.0;
    p.drawText(QPointF(x, baseline), shown);
}

void StyledButton::paintFocusRing(QPainter& painter, const QRectF& rect)
{
    FocusRing::paintCapsule(painter, rect);
}

void StyledButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    update();
}

} // namespace studio
