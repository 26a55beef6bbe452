#include "views/shell/PhaseRailRow.h"

#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Spring.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal padH = 8;
constexpr qreal padV = 6;
constexpr qreal badgeSide = 28;
constexpr qreal spacing = 9;
constexpr qreal lineGap = 1;

QFont titleFont(bool active)
{
    return Theme::font(type::control, active ? QFont::DemiBold : QFont::Normal);
}

QFont statusFont()
{
    return Theme::font(type::footnote2);
}
} // namespace

PhaseRailRow::PhaseRailRow(PhaseID phase, QWidget* parent)
    : QAbstractButton(parent)
    , m_phase(phase)
    , m_plate(new Spring(0.3, 0.85, this))
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    setText(Theme::escapeMnemonic(studio::title(phase)));
    setAccessibleName(studio::title(phase));
    connect(m_plate, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
}

void PhaseRailRow::setStatus(const QString& status)
{
    if (status == m_status)
        return;
    m_status = status;
    describe();
    update();
}

void PhaseRailRow::describe()
{
    QStringList states;
    if (m_active)
        states << u"Open"_s;
    if (m_done)
        states << (states.isEmpty() ? u"Ready"_s : u"ready"_s);
    const QString description = states.isEmpty() ? m_status : states.join(u", "_s) + u". "_s + m_status;
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void PhaseRailRow::setDone(bool done)
{
    if (done == m_done)
        return;
    m_done = done;
    describe();
    update();
    tellChoiceChanged(this);
}

void PhaseRailRow::setActive(bool active, bool animated)
{
    const qreal target = active ? 1.0 : 0.0;
    if (active != m_active) {
        m_active = active;
        describe();
        updateGeometry();
        update();
        tellChoiceChanged(this);
    }
    if (animated)
        m_plate->setTarget(target);
    else
        m_plate->jumpTo(target);
}

QAccessibleInterface* PhaseRailRow::accessibleFor(QObject* object)
{
    if (object != this)
        return nullptr;
    return new ChoiceAccessible(this, ChoiceAccessible::Kind::page, [this] { return m_active; },
                                [this] { return m_done; });
}

QSize PhaseRailRow::sizeHint() const
{
    const QFontMetricsF title(titleFont(true));
    const QFontMetricsF status(statusFont());
    const qreal text = title.height() + lineGap + status.height();
    const qreal h = std::max(badgeSide, text) + 2 * padV;
    return QSize(192, int(std::ceil(h)));
}

QSize PhaseRailRow::minimumSizeHint() const
{
    return QSize(2 * padH + badgeSide, sizeHint().height());
}

void PhaseRailRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    constexpr qreal plateRadius = 10;

    // The plate of the active row (fades between rows while the spring moves).
    const qreal plate = std::clamp(m_plate->value(), 0.0, 1.0);
    if (plate > 0) {
        p.save();
        p.setOpacity(plate);
        shapes::fillRounded(p, r, plateRadius, Palette::surfaceHigh());
        shapes::strokeRoundedInside(p, r, plateRadius, Palette::hairline(), 1.0);
        p.restore();
    }
    if (hasFocus())
        FocusRing::paintRounded(p, r, plateRadius);

    // Badge.
    const QRectF badge(padH, r.center().y() - badgeSide / 2.0, badgeSide, badgeSide);
    if (m_active) {
        QLinearGradient gradient(badge.topLeft(), badge.bottomLeft());
        gradient.setColorAt(0, Palette::ivory());
        gradient.setColorAt(1, Palette::ivoryShade());
        shapes::fillRounded(p, badge, 8, gradient);
    } else {
        shapes::fillRounded(p, badge, 8, Palette::white(level::tint));
    }
    Symbols::paint(p, badge, studio::icon(m_phase), m_active ? Palette::buttonInk() : Palette::textSecondary(), 11,
                   QFont::Medium);

    // Ready mark at the trailing edge.
    qreal right = r.right() - padH;
    if (m_done) {
        const qreal box = Symbols::boxSize(10);
        const QRectF mark(right - box, r.center().y() - box / 2.0, box, box);
        Symbols::paint(p, mark, QStringLiteral("checkmark.circle.fill"),
                       Palette::withOpacity(Palette::success(), 0.85), 10);
        right = mark.left() - spacing;
    }

    // Title over the progress text, centred as one block beside the badge.
    const QFont tf = titleFont(m_active);
    const QFont sf = statusFont();
    const QFontMetricsF tm(tf);
    const QFontMetricsF sm(sf);
    const qreal left = badge.right() + spacing;
    const qreal width = std::max<qreal>(0, right - left);
    const qreal block = tm.height() + lineGap + sm.height();
    const qreal top = r.center().y() - block / 2.0;
    p.setFont(tf);
    p.setPen(m_active ? Palette::textPrimary() : Palette::textSecondary());
    p.drawText(QPointF(left, top + tm.ascent()), tm.elidedText(studio::title(m_phase), Qt::ElideRight, width));
    p.setFont(sf);
    p.setPen(Palette::textTertiary());
    p.drawText(QPointF(left, top + tm.height() + lineGap + sm.ascent()),
               sm.elidedText(m_status, Qt::ElideRight, width));
}

} // namespace studio
