#include "views/phases/look/StyleGallery.h"

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/SectionHeader.h"
#include "design/focus/TabOrder.h"
#include "model/LookCatalogs.h"
#include "state/rules/LookRules.h"
#include "views/phases/look/StyleCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

StyleGallery::StyleGallery(QWidget* parent)
    : QWidget(parent)
    , m_picker(new PillPicker(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->addWidget(new SectionHeader(u"Style Library"_s, rules::librarySubtitle()), 0, Qt::AlignVCenter);
    header->addStretch(1);
    QList<std::pair<StyleCategory, QString>> categories;
    for (StyleCategory category : allCases<StyleCategory>())
        categories.append({category, label(category)});
    m_picker->setOptions(categories);
    header->addWidget(m_picker, 0, Qt::AlignVCenter);
    stack->addLayout(header);
    connect(m_picker, &PillPicker::picked, this,
            [this](int index) { Q_EMIT categoryPicked(m_picker->value<StyleCategory>(index)); });

    auto* grid = new QWidget(this);
    grid->setAttribute(Qt::WA_TranslucentBackground);
    setChoiceGroup(grid, u"Styles"_s);
    auto* layout = new AdaptiveGridLayout(168, 220, 12, 12, grid);
    m_cards = std::make_unique<KeyedList<QString, StyleCard>>(layout);
    stack->addWidget(grid);
}

StyleGallery::~StyleGallery() = default;

void StyleGallery::display(StyleCategory category, const std::optional<QString>& styleID, bool animated)
{
    m_picker->setSelection(category);
    m_cards->sync(
        rules::presetsIn(category), [](const StylePreset* preset) { return preset->id; },
        [this](const StylePreset* preset) {
            auto* card = new StyleCard(*preset);
            const QString id = preset->id;
            connect(card, &QAbstractButton::clicked, this, [this, id] { Q_EMIT styleChosen(id); });
            return card;
        },
        [&](StyleCard* card, const StylePreset* preset, int) { card->setSelected(styleID == preset->id, animated); });
    // Cards made for another category join the window's Tab order at its
    // end; they belong right after the category picker, in gallery order.
    const QList<StyleCard*> cards = m_cards->widgets();
    TabOrder::chain(m_picker->pill(m_picker->count() - 1), QList<QWidget*>(cards.cbegin(), cards.cend()));
}

QStringList StyleGallery::shownStyleIDs() const
{
    return m_cards->keys();
}

StyleCard* StyleGallery::card(const QString& styleID) const
{
    return m_cards->widget(styleID);
}

} // namespace studio
