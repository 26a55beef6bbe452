#include "views/phases/premiere/DeliveryPresets.h"

#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Timeline.h"
#include "state/rules/PremiereRules.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// The chip at the foot of a card naming the codec, resolution and container.
class FormatChip : public QWidget {
public:
    explicit FormatChip(const QString& text)
        : m_text(text)
        , m_font(Theme::font(type::footnote2, QFont::Medium))
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override
    {
        const QFontMetricsF fm(m_font);
        return QSize(int(std::ceil(fm.horizontalAdvance(m_text) + 14)), int(std::ceil(fm.height() + 6)));
    }
    QSize minimumSizeHint() const override { return QSize(24, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(shapes::capsule(QRectF(rect())), Palette::white(level::wash));
        p.setFont(m_font);
        p.setPen(Palette::textSecondary());
        const QRectF inside = QRectF(rect()).adjusted(7, 3, -7, -3);
        p.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(m_font).elidedText(m_text, Qt::ElideRight, inside.width()));
    }

private:
    QString m_text;
    QFont m_font;
};

} // namespace

PresetCard::PresetCard(const ExportPreset& preset, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(preset.id)
{
    setCursor(Qt::PointingHandCursor);
    // A click gives it the keyboard, as Tab does (ringed only for the
    // keyboard): keys typed next never reach the field the user left.
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(130);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::MinimumExpanding);
    setAccessibleName(preset.name);
    // Read out as chosen or not, as the gold border shows; setChecked tells
    // a reader of the change.
    setCheckable(true);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(14, 14, 14, 14);
    stack->setSpacing(8);
    auto* top = new QHBoxLayout;
    m_icon = new SymbolLabel(preset.icon, 14, Palette::textTertiary(), QFont::Medium);
    top->addWidget(m_icon, 0, Qt::AlignVCenter);
    top->addStretch(1);
    m_check = new SymbolLabel(u"checkmark.circle.fill"_s, 13, Palette::gold());
    QSizePolicy keep = m_check->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_check->setSizePolicy(keep);
    m_check->hide();
    top->addWidget(m_check, 0, Qt::AlignVCenter);
    stack->addLayout(top);
    stack->addWidget(new TextLabel(preset.name, Theme::font(type::headline, QFont::Bold), Palette::textPrimary()));
    m_blurb = new TextLabel(preset.blurb, Theme::font(type::label), Palette::textTertiary());
    m_blurb->setWordWrap(true);
    m_blurb->setMaxLines(2);
    stack->addWidget(m_blurb);
    stack->addStretch(1);
    stack->addWidget(new FormatChip(rules::presetSpecText(preset.codec, preset.resolution, preset.container)), 0,
                     Qt::AlignLeft);
}

void PresetCard::setSelected(bool selected)
{
    if (selected == isChecked())
        return;
    setChecked(selected);
    m_icon->setColor(selected ? Palette::gold() : Palette::textTertiary());
    m_check->setVisible(selected);
    update();
}

QAccessibleInterface* PresetCard::accessibleFor(QObject* object)
{
    if (object != this)
        return nullptr;
    return new ChoiceAccessible(this, ChoiceAccessible::Kind::oneOf, [this] { return isChecked(); });
}

QSize PresetCard::sizeHint() const
{
    // Cards share the row: their natural width is small, the row stretches them.
    return QSize(120, std::max(130, layout()->sizeHint().height()));
}

void PresetCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(rect());
    const qreal border = isChecked() ? 1.5 : 1.0;
    const QPainterPath shape = shapes::roundedRect(area, 14);
    p.fillPath(shape, Palette::surface());
    if (isDown())
        p.fillPath(shape, Palette::white(level::faint));
    const qreal inset = border / 2.0;
    p.setPen(QPen(isChecked() ? Palette::gold() : Palette::hairline(), border));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shapes::roundedRect(area.adjusted(inset, inset, -inset, -inset), 14 - inset));
    if (hasFocus())
        FocusRing::paintRounded(p, area, 14);
}

DeliveryPresets::DeliveryPresets(QWidget* parent)
    : QWidget(parent)
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);
    stack->addWidget(new SectionHeader(u"Delivery Format"_s,
                                       u"Mastering targets for streaming, cinema, web and archive."_s));
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    for (const ExportPreset& preset : ExportPreset::catalog()) {
        auto* card = new PresetCard(preset);
        row->addWidget(card, 1);
        m_cards << card;
        const QString id = preset.id;
        connect(card, &QAbstractButton::clicked, this, [this, id] { emit presetChosen(id); });
    }
    stack->addLayout(row);
}

void DeliveryPresets::setSelectedID(const QString& id)
{
    for (PresetCard* card : std::as_const(m_cards))
        card->setSelected(card->presetID() == id);
}

PresetCard* DeliveryPresets::card(const QString& id) const
{
    for (PresetCard* card : m_cards)
        if (card->presetID() == id)
            return card;
    return nullptr;
}

} // namespace studio
