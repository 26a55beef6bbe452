#include "views/phases/look/LensSection.h"

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/LookCatalogs.h"
#include "model/Text.h"
#include "views/phases/look/LensCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

// One line of the chosen lens's doctrine: a gold symbol, the title in
// capitals and the text, wrapping as far as it needs.
class DoctrineCard : public CardSurface {
public:
    DoctrineCard(const QString& symbol, const QString& title, QWidget* parent = nullptr)
        : CardSurface(11, Palette::surfaceHigh(), parent)
        , m_text(new TextLabel(QString(), Theme::font(type::small), Palette::textSecondary()))
    {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(11, 11, 11, 11);
        row->setSpacing(7);
        row->addWidget(new SymbolLabel(symbol, 10, Palette::gold()), 0, Qt::AlignTop);
        auto* words = new QVBoxLayout;
        words->setSpacing(2);
        words->addWidget(new TextLabel(text::upper(title), Theme::font(type::caption, QFont::DemiBold, 0.7), Palette::textTertiary()));
        m_text->setWordWrap(true);
        words->addWidget(m_text);
        words->addStretch(1);
        row->addLayout(words, 1);
        // The three cards share the row equally, whatever their texts.
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    QString text() const { return m_text->text(); }
    void setText(const QString& text) { m_text->setText(text); }

private:
    TextLabel* m_text;
};

LensSection::LensSection(QWidget* parent)
    : QWidget(parent)
    , m_clear(new GhostButton(u"Clear lens"_s, Palette::textPrimary(), this))
    , m_strip(new HorizontalStrip(10, this))
    , m_doctrineRow(new QWidget(this))
    , m_movement(new DoctrineCard(u"video.fill"_s, u"Movement"_s))
    , m_light(new DoctrineCard(u"sun.max.fill"_s, u"Light"_s))
    , m_editing(new DoctrineCard(u"scissors"_s, u"Editing"_s))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->addWidget(new SectionHeader(u"Director's Lens"_s,
                                        u"Optional grammar kits distilled from the masters \u2014 composition "
                                        u"doctrine that rides every prompt."_s),
                      1, Qt::AlignVCenter);
    header->addWidget(m_clear, 0, Qt::AlignVCenter);
    stack->addLayout(header);
    connect(m_clear, &QAbstractButton::clicked, this, &LensSection::clearClicked);

    m_strip->row()->setContentsMargins(0, 2, 0, 2);
    m_cards = std::make_unique<KeyedList<QString, LensCard>>(m_strip->row());
    setChoiceGroup(m_strip->widget(), u"Director's lenses"_s);
    stack->addWidget(m_strip);

    auto* doctrine = new QHBoxLayout(m_doctrineRow);
    doctrine->setContentsMargins(0, 0, 0, 0);
    doctrine->setSpacing(10);
    for (DoctrineCard* card : {m_movement, m_light, m_editing})
        doctrine->addWidget(card, 1, Qt::AlignTop);
    m_doctrineRow->setAttribute(Qt::WA_TranslucentBackground);
    stack->addWidget(m_doctrineRow);

    display(std::nullopt, std::nullopt);
}

LensSection::~LensSection() = default;

void LensSection::display(const std::optional<QString>& lensID, std::optional<qreal> springResponse)
{
    // A stored id that names no lens can still be cleared.
    m_clear->setVisible(lensID.has_value());
    m_cards->sync(
        DirectorLens::catalog(), [](const DirectorLens& lens) { return lens.id; },
        [this](const DirectorLens& lens) {
            auto* card = new LensCard(lens);
            const QString id = lens.id;
            connect(card, &QAbstractButton::clicked, this, [this, id] { Q_EMIT lensClicked(id); });
            return card;
        },
        [&](LensCard* card, const DirectorLens& lens, int) { card->setSelected(lensID == lens.id, springResponse); });

    const DirectorLens* lens = lensID ? DirectorLens::find(*lensID) : nullptr;
    m_doctrineRow->setVisible(lens);
    if (!lens)
        return;
    m_movement->setText(lens->movement);
    m_light->setText(lens->light);
    m_editing->setText(lens->editing);
}

LensCard* LensSection::card(const QString& lensID) const
{
    return m_cards->widget(lensID);
}

bool LensSection::showsDoctrine() const
{
    return !m_doctrineRow->isHidden();
}

QStringList LensSection::doctrineTexts() const
{
    if (!showsDoctrine())
        return {};
    return {m_movement->text(), m_light->text(), m_editing->text()};
}

} // namespace studio
