#include "views/phases/look/CinematographyCard.h"

#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/AccessibleSource.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/PaddedCard.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/SectionHeader.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/rules/LookRules.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int aspectCardWidth = 76;
constexpr int aspectCardHeight = 72;
constexpr qreal aspectFocusRadius = 10;

// A caption over its control, 8 points apart.
QVBoxLayout* group(const QString& caption, QVBoxLayout* card)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(new FieldLabel(caption));
    card->addLayout(column);
    return column;
}

QWidget* flowBox(int spacing, FlowLayout** flow)
{
    auto* box = new QWidget;
    box->setAttribute(Qt::WA_TranslucentBackground);
    *flow = new FlowLayout(spacing, box);
    return box;
}

Chip* chipWithText(const QList<Chip*>& chips, const QString& text)
{
    for (Chip* chip : chips) {
        if (chip->text() == text)
            return chip;
    }
    return nullptr;
}

} // namespace

AspectCard::AspectCard(AspectRatio aspect, QWidget* parent)
    : LookOption(parent)
    , m_aspect(aspect)
{
    // A click gives it the keyboard, as Tab does (ringed only for the
    // keyboard): keys typed next never reach the field the user left.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(aspectCardWidth, aspectCardHeight);
    setAccessibleName(label(aspect));
}

void AspectCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QFont font = isSelected() ? Theme::font(type::footnote, QFont::DemiBold) : Theme::font(type::footnote);
    const QFontMetricsF metrics(font);
    // Outline and label stack at the bottom of the card, centred, 6 apart.
    const QSizeF shape = rules::aspectShapeSize(m_aspect);
    const qreal labelHeight = metrics.height();
    const qreal top = height() - (shape.height() + 6 + labelHeight);
    const QRectF frame((width() - shape.width()) / 2.0, top, shape.width(), shape.height());
    shapes::fillRounded(p, frame, 3, Palette::white(isSelected() ? 0.08 : 0.03));
    shapes::strokeRoundedInside(p, frame, 3, isSelected() ? Palette::gold() : Palette::hairlineStrong(), 1.5);
    p.setFont(font);
    p.setPen(isSelected() ? Palette::textPrimary() : Palette::textTertiary());
    p.drawText(QRectF(0, frame.bottom() + 6, width(), labelHeight), Qt::AlignHCenter | Qt::AlignVCenter, label(m_aspect));
    if (hasFocus())
        FocusRing::paintRounded(p, rect(), aspectFocusRadius);
}

CinematographyCard::CinematographyCard(QWidget* parent)
    : QWidget(parent)
    , m_frameRates(new PillPicker)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* surface = new PaddedCard(18, 16);
    outer->addWidget(surface);
    QVBoxLayout* card = surface->stack();
    card->addWidget(new SectionHeader(u"Cinematography"_s, u"The frame itself."_s));

    FlowLayout* aspects = nullptr;
    QWidget* aspectSet = flowBox(8, &aspects);
    setChoiceGroup(aspectSet, u"Aspect ratio"_s);
    group(u"Aspect ratio"_s, card)->addWidget(aspectSet);
    for (AspectRatio aspect : allCases<AspectRatio>()) {
        auto* tile = new AspectCard(aspect);
        aspects->addWidget(tile);
        m_aspects.insert(aspect, tile);
        connect(tile, &QAbstractButton::clicked, this, [this, aspect] { Q_EMIT aspectPicked(aspect); });
    }

    QList<std::pair<FrameRate, QString>> rates;
    for (FrameRate rate : allCases<FrameRate>())
        rates.append({rate, label(rate)});
    m_frameRates->setOptions(rates);
    group(u"Frame rate"_s, card)->addWidget(m_frameRates, 0, Qt::AlignLeft);
    connect(m_frameRates, &PillPicker::picked, this,
            [this](int index) { Q_EMIT frameRatePicked(m_frameRates->value<FrameRate>(index)); });

    const auto chips = [this, card](const QString& caption, const QStringList& options, QList<Chip*>& into,
                                    void (CinematographyCard::*toggled)(const QString&)) {
        FlowLayout* flow = nullptr;
        group(caption, card)->addWidget(flowBox(5, &flow));
        for (const QString& option : options) {
            auto* chip = new Chip(option, false);
            flow->addWidget(chip);
            into.append(chip);
            connect(chip, &QAbstractButton::clicked, this, [this, option, toggled] { Q_EMIT(this->*toggled)(option); });
        }
    };
    chips(u"Lens character"_s, LookChoices::lensFeels(), m_lensFeels, &CinematographyCard::lensFeelToggled);
    chips(u"Lighting moods"_s, LookChoices::lightingMoods(), m_lightingMoods, &CinematographyCard::lightingMoodToggled);
}

void CinematographyCard::display(const LookSpec& look)
{
    for (auto it = m_aspects.cbegin(); it != m_aspects.cend(); ++it)
        it.value()->setSelected(it.key() == look.aspect);
    m_frameRates->setSelection(look.frameRate);
    for (Chip* chip : std::as_const(m_lensFeels))
        chip->setOn(look.lensFeel.contains(chip->text()));
    for (Chip* chip : std::as_const(m_lightingMoods))
        chip->setOn(look.lightingMood.contains(chip->text()));
}

Chip* CinematographyCard::lensFeelChip(const QString& text) const
{
    return chipWithText(m_lensFeels, text);
}

Chip* CinematographyCard::lightingChip(const QString& text) const
{
    return chipWithText(m_lightingMoods, text);
}

} // namespace studio
