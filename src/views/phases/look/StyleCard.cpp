#include "views/phases/look/StyleCard.h"

#include "design/ArtThumb.h"
#include "design/Palette.h"
#include "design/ReduceMotion.h"
#include "design/Shapes.h"
#include "design/Spring.h"
#include "design/Symbols.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/LookCatalogs.h"

#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal radius = 13;
constexpr int artHeight = 96;
constexpr qreal checkSize = 14;
constexpr qreal checkInset = 7;
} // namespace

StyleCard::StyleCard(const StylePreset& preset, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(preset.id)
    , m_seed(u"style-"_s + preset.id)
    , m_selection(new Spring(0.35, 0.85, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(preset.name);
    connect(m_selection, &Spring::valueChanged, this, qOverload<>(&QWidget::update));

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addSpacing(artHeight);
    auto* words = new QVBoxLayout;
    words->setContentsMargins(10, 10, 10, 10);
    words->setSpacing(3);
    words->addWidget(new TextLabel(preset.name, Theme::font(12, QFont::DemiBold), Palette::textPrimary()));
    auto* blurb = new TextLabel(preset.blurb, Theme::font(9.5), Palette::textTertiary());
    blurb->setWordWrap(true);
    blurb->setMaxLines(2);
    words->addWidget(blurb);
    stack->addLayout(words);
}

void StyleCard::setSelected(bool selected, bool animated)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    const qreal target = selected ? 1.0 : 0.0;
    if (animated && isVisible() && !ReduceMotion::systemPrefersReducedMotion())
        m_selection->setTarget(target);
    else
        m_selection->jumpTo(target);
    update();
}

void StyleCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(rect());
    const qreal t = std::clamp(m_selection->value(), 0.0, 1.0);
    const QPainterPath shape = shapes::roundedRect(r, radius);
    p.fillPath(shape, Palette::surface());
    p.save();
    p.setClipPath(shape);
    const QRectF art(0, 0, r.width(), artHeight);
    ArtThumb::paint(p, art, m_seed, 400, 220);
    if (t > 0) {
        const qreal box = Symbols::boxSize(checkSize);
        const QRectF check(art.right() - checkInset - box, art.top() + checkInset, box, box);
        p.setOpacity(t);
        Symbols::paint(p, check, u"checkmark.circle.fill"_s, Palette::gold(), checkSize);
        p.setOpacity(1.0);
    }
    p.restore();
    if (t <= 0)
        shapes::strokeRoundedInside(p, r, radius, Palette::hairline(), 1.0);
    else
        shapes::strokeRoundedInside(p, r, radius, Palette::mix(Palette::hairline(), Palette::gold(), t), 1.0 + 0.5 * t);
}

} // namespace studio
