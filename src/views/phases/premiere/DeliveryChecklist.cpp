#include "views/phases/premiere/DeliveryChecklist.h"

#include "design/access/ChoiceAccessible.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/ProgressRing.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

DeliveryChecklist::DeliveryChecklist(QWidget* parent)
    : PaddedCard(16, 10, parent)
{
    QVBoxLayout* stack = this->stack();

    auto* header = new QHBoxLayout;
    m_header = new SectionHeader(u"Delivery Checklist"_s, QString());
    header->addWidget(m_header, 1, Qt::AlignVCenter);
    m_ring = new ProgressRing(30, 3);
    header->addWidget(m_ring, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    // The rows sit in a group of their own, which a reader names as it
    // moves into it: with the items done, which have no control to say so.
    m_group = new QWidget(this);
    m_list = new QVBoxLayout(m_group);
    m_list->setContentsMargins(0, 0, 0, 0);
    m_list->setSpacing(10);
    stack->addWidget(m_group);
    m_rows = std::make_unique<KeyedList<QString, CheckRow>>(m_list);
}

DeliveryChecklist::~DeliveryChecklist() = default;

void DeliveryChecklist::setItems(const QList<rules::ReadinessItem>& items)
{
    m_header->setSubtitle(rules::readinessText(items));
    QStringList done;
    for (const rules::ReadinessItem& item : items) {
        if (item.ok)
            done << item.label;
    }
    setChoiceGroup(m_group, u"Delivery Checklist, "_s + rules::readinessText(items)
                                + (done.isEmpty() ? QString() : u". Done: "_s + done.join(u", "_s)));
    m_ring->setValue(items.isEmpty() ? 0.0 : double(rules::readyCount(items)) / double(items.size()));
    m_rows->sync(
        items, [](const rules::ReadinessItem& item) { return item.label; },
        [this](const rules::ReadinessItem&) {
            auto* row = new CheckRow;
            connect(row, &CheckRow::goRequested, this, &DeliveryChecklist::goRequested);
            return row;
        },
        [](CheckRow* row, const rules::ReadinessItem& item, int) { row->setItem(item); });
}

QList<QWidget*> DeliveryChecklist::focusStops() const
{
    QList<QWidget*> stops;
    for (CheckRow* row : m_rows->widgets())
        stops << row->goButton();
    return stops;
}

CheckRow* DeliveryChecklist::row(const QString& label) const
{
    return m_rows->widget(label);
}

CheckRow::CheckRow()
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(10);
    m_mark = new SymbolLabel(u"circle.dashed"_s, 13, Palette::textTertiary());
    row->addWidget(m_mark, 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    m_title = new TextLabel(QString(), Theme::font(type::bodyLarge, QFont::DemiBold), Palette::textPrimary());
    m_detail = new TextLabel(QString(), Theme::font(type::label), Palette::textTertiary());
    texts->addWidget(m_title);
    texts->addWidget(m_detail);
    row->addLayout(texts, 1);
    m_go = new GhostButton(u"Go"_s, Palette::textPrimary());
    row->addWidget(m_go, 0, Qt::AlignVCenter);
    connect(m_go, &QAbstractButton::clicked, this, [this] { emit goRequested(m_phase); });
}

void CheckRow::setItem(const rules::ReadinessItem& item)
{
    m_phase = item.phase;
    m_title->setText(item.label);
    // "Go" says where it goes, and the item it is for: not done, or it
    // would not show.
    setSpokenName(m_go, u"Go to "_s + title(item.phase));
    const QString description = item.label + u", not done. "_s + item.detail;
    if (m_go->accessibleDescription() != description)
        m_go->setAccessibleDescription(description);
    m_detail->setText(item.detail);
    if (m_shown && item.ok == m_ok)
        return;
    m_shown = true;
    m_ok = item.ok;
    m_mark->setName(m_ok ? u"checkmark.circle.fill"_s : u"circle.dashed"_s);
    m_mark->setColor(m_ok ? Palette::success() : Palette::textTertiary());
    m_title->setColor(m_ok ? Palette::textSecondary() : Palette::textPrimary());
    // The row keeps its height whether or not "Go" shows.
    QSizePolicy policy = m_go->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_go->setSizePolicy(policy);
    m_go->setVisible(!m_ok);
    setSpokenName(m_mark, item.label);
    tellChoiceChanged(m_mark);
}

QAccessibleInterface* CheckRow::accessibleFor(QObject* object)
{
    if (object != m_mark)
        return nullptr;
    return new ChoiceAccessible(m_mark, ChoiceAccessible::Kind::anyOf, [this] { return m_ok; });
}

} // namespace studio
