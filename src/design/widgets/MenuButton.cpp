#include "design/widgets/MenuButton.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
// The menu's button, as the menu names it.
const char* const ownerProperty = "studioMenuOwner";
// A label longer than any button shows is cut before it is measured, so a
// runaway title can't make painting slow.
constexpr qsizetype shownCharacters = 256;
// A plain button keeps at least this much room around its label, so the
// focus ring, drawn inside its edge, keeps a pixel of air from the label
// (an underline too).
constexpr qreal plainRingRoom = FocusRing::width + 2.5;
// Small enough that the ring's corners stay clear of the words the room
// above leaves them.
constexpr qreal plainRingRadius = 5;

QString shownLabel(const QString& label)
{
    QString shown = text::graphemePrefix(label.left(shownCharacters * 4), shownCharacters);
    shown.replace(u'\n', u' ');
    return shown;
}
} // namespace

MenuButton::MenuButton(const QString& label, QWidget* parent)
    : QAbstractButton(parent)
    , m_font(Theme::font(type::bodyLarge, QFont::DemiBold))
    , m_labelColor(Palette::textPrimary())
    , m_chevronColor(Palette::textTertiary())
    , m_fill(Palette::white(level::wash))
    , m_pressedFill(Palette::white(level::fillHover))
    , m_border(Palette::hairline())
    , m_menu(std::make_unique<QMenu>())
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &MenuButton::aboutToOpen);
    connect(this, &QAbstractButton::clicked, this, &MenuButton::openMenu);
    m_menu->setProperty(ownerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    setLabel(label);
}

MenuButton* MenuButton::owning(const QMenu* menu)
{
    // The menu goes with its button, so the button it names is there.
    return menu ? qobject_cast<MenuButton*>(menu->property(ownerProperty).value<QObject*>()) : nullptr;
}

MenuButton::~MenuButton() = default;

void MenuButton::setLabel(const QString& label)
{
    if (label == m_label)
        return;
    m_label = label;
    m_shown = shownLabel(label);
    setSpokenName(this, label);
    relayout();
}

void MenuButton::setLabelFont(const QFont& font)
{
    m_font = font;
    relayout();
}

void MenuButton::setLabelColor(const QColor& color)
{
    m_labelColor = color;
    update();
}

void MenuButton::setSymbol(const QString& name, qreal size, const QColor& color, QFont::Weight weight)
{
    m_symbol = name;
    m_symbolSize = size;
    m_symbolColor = color;
    m_symbolWeight = weight;
    relayout();
}

void MenuButton::setChevron(bool shown, qreal size, const QColor& color)
{
    m_chevron = shown;
    m_chevronSize = size;
    m_chevronColor = color.isValid() ? color : Palette::textTertiary();
    relayout();
}

void MenuButton::setChevronAtEnd(bool atEnd)
{
    m_chevronAtEnd = atEnd;
    update();
}

void MenuButton::setShape(Shape shape)
{
    m_shape = shape;
    relayout();
}

void MenuButton::setFill(const QBrush& rest, const QBrush& pressed)
{
    m_fill = rest;
    m_pressedFill = pressed;
    update();
}

void MenuButton::setBorder(const QColor& color, qreal width)
{
    m_border = color;
    m_borderWidth = width;
    update();
}

void MenuButton::setPadding(qreal horizontal, qreal vertical)
{
    m_padH = horizontal;
    m_padV = vertical;
    relayout();
}

void MenuButton::setSpacing(qreal spacing)
{
    m_spacing = spacing;
    relayout();
}

void MenuButton::setPressedOpacity(qreal opacity)
{
    m_pressedOpacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

void MenuButton::setDimsWhenDisabled(bool dims)
{
    m_dims = dims;
    update();
}

void MenuButton::openMenu()
{
    m_menu->popup(mapToGlobal(QPoint(0, height() + 4)));
}

void MenuButton::relayout()
{
    updateGeometry();
    update();
}

QSizeF MenuButton::leadSize() const
{
    if (m_symbol.isEmpty())
        return {};
    const qreal box = Symbols::boxSize(m_symbolSize);
    return {box, box};
}

void MenuButton::paintLead(QPainter& painter, const QRectF& box)
{
    Symbols::paint(painter, box, m_symbol, m_symbolColor, m_symbolSize, m_symbolWeight);
}

void MenuButton::paintBackground(QPainter& painter, const QRectF& rect)
{
    if (m_shape != Shape::capsule)
        return;
    shapes::fillCapsule(painter, rect, isDown() ? m_pressedFill : m_fill);
    shapes::strokeCapsuleInside(painter, rect, m_border, m_borderWidth);
}

qreal MenuButton::horizontalPadding() const
{
    return m_shape == Shape::plain ? std::max(m_padH, plainRingRoom) : m_padH;
}

QSize MenuButton::sizeHint() const
{
    const QFontMetricsF fm(m_font);
    const QSizeF lead = leadSize();
    const qreal chevron = m_chevron ? Symbols::boxSize(m_chevronSize) : 0;
    qreal w = 2 * horizontalPadding() + fm.horizontalAdvance(m_shown);
    if (!lead.isEmpty())
        w += lead.width() + m_spacing;
    if (m_chevron)
        w += m_spacing + chevron;
    const qreal padV = m_shape == Shape::plain ? std::max(m_padV, plainRingRoom) : m_padV;
    const qreal h = std::max({fm.height(), lead.height(), chevron}) + 2 * padV;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void MenuButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (!isEnabled() && m_dims)
        p.setOpacity(0.45);
    if (isDown())
        p.setOpacity(p.opacity() * m_pressedOpacity);
    const QRectF r = rect();
    paintBackground(p, r);
    if (hasFocus()) {
        if (m_shape == Shape::capsule)
            FocusRing::paintCapsule(p, r);
        else
            FocusRing::paintRounded(p, r, std::min<qreal>(plainRingRadius, r.height() / 2));
    }

    const qreal cy = r.center().y();
    const qreal padH = horizontalPadding();
    qreal x = padH;
    const QSizeF lead = leadSize();
    if (!lead.isEmpty()) {
        paintLead(p, QRectF(x, cy - lead.height() / 2, lead.width(), lead.height()));
        x += lead.width() + m_spacing;
    }
    const qreal chevron = m_chevron ? Symbols::boxSize(m_chevronSize) : 0;
    const qreal chevronRight = r.width() - padH;
    const qreal textRight = m_chevron ? chevronRight - chevron - m_spacing : r.width() - padH;
    const QFontMetricsF fm(m_font);
    const QString shown = fm.elidedText(m_shown, Qt::ElideRight, std::max<qreal>(0, textRight - x));
    p.setFont(m_font);
    p.setPen(m_labelColor);
    p.drawText(QPointF(x, cy + (fm.ascent() - fm.descent()) / 2), shown);
    if (m_chevron) {
        // Right after the label, never past the padding.
        const qreal at = m_chevronAtEnd ? chevronRight - chevron
                                        : std::min(x + fm.horizontalAdvance(shown) + m_spacing, chevronRight - chevron);
        Symbols::paint(p, QRectF(at, cy - chevron / 2, chevron, chevron), u"chevron.down"_s, m_chevronColor,
                       m_chevronSize, QFont::DemiBold);
    }
}

} // namespace studio
