#include "views/phases/look/LensCard.h"

#include "design/Palette.h"
#include "design/ReduceMotion.h"
#include "design/Shapes.h"
#include "design/Spring.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/LookCatalogs.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal radius = 13;
} // namespace

LensCard::LensCard(const DirectorLens& lens, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(lens.id)
    , m_check(new SymbolLabel(u"checkmark.circle.fill"_s, 12, Palette::gold()))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(236, 118);
    setAccessibleName(lens.name);
    useSpring(0.35);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(12, 12, 12, 12);
    stack->setSpacing(5);
    auto* title = new QHBoxLayout;
    title->setSpacing(8);
    title->addWidget(new TextLabel(lens.name, Theme::font(12.5, QFont::Bold), Palette::textPrimary()), 1,
                     Qt::AlignVCenter);
    title->addWidget(m_check, 0, Qt::AlignVCenter);
    m_check->setVisible(false);
    stack->addLayout(title);
    stack->addWidget(new TextLabel(u"after "_s + lens.inspiredBy, Theme::font(8.5, QFont::Medium),
                                   Palette::withOpacity(Palette::gold(), 0.85)));
    auto* philosophy = new TextLabel(lens.philosophy, Theme::font(9.5), Palette::textTertiary());
    philosophy->setWordWrap(true);
    philosophy->setMaxLines(4);
    stack->addWidget(philosophy);
    stack->addStretch(1);
}

void LensCard::setSelected(bool selected, std::optional<qreal> springResponse)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    m_check->setVisible(selected);
    const qreal target = selected ? 1.0 : 0.0;
    if (springResponse && isVisible() && !ReduceMotion::systemPrefersReducedMotion()) {
        useSpring(*springResponse);
        m_selection->setTarget(target);
    } else {
        m_selection->jumpTo(target);
    }
    update();
}

void LensCard::useSpring(qreal response)
{
    if (m_selection && response == m_response)
        return;
    // Clearing the lens moves a little quicker than picking one; a new
    // spring starts where the old one stood.
    const qreal from = m_selection ? m_selection->value() : 0.0;
    delete m_selection;
    m_response = response;
    m_selection = new Spring(response, 0.85, this);
    m_selection->jumpTo(from);
    connect(m_selection, &Spring::valueChanged, this, [this](qreal) { update(); });
}

void LensCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(rect());
    const qreal t = std::clamp(m_selection->value(), 0.0, 1.0);
    shapes::fillRounded(p, r, radius, Palette::surface());
    shapes::strokeRoundedInside(p, r, radius, Palette::mix(Palette::hairline(), Palette::gold(), t), 1.0 + 0.5 * t);
}

} // namespace studio
