#include "views/phases/script/ScriptChips.h"

#include "design/widgets/FlowLayout.h"
#include "views/phases/script/ScriptCapsule.h"

namespace studio {

namespace {
constexpr int spacing = 4;
} // namespace

ScriptChips::ScriptChips(QWidget* parent)
    : QWidget(parent)
    , m_flow(new FlowLayout(spacing, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_flow->setContentsMargins(0, spacing, 0, 0);
}

void ScriptChips::setEntries(const QUuid& owner, const QList<Entry>& entries)
{
    QStringList labels;
    for (const Entry& entry : entries)
        labels << entry.label;
    if (owner == m_owner && labels == m_labels)
        return;
    m_owner = owner;
    m_labels = labels;
    // The chip being clicked may be among the old ones: they go later.
    for (ScriptCapsule* old : buttons()) {
        m_flow->removeWidget(old);
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    for (const Entry& entry : entries) {
        auto* chip = new ScriptCapsule(entry.label, ScriptCapsule::chipLook(), this);
        connect(chip, &QAbstractButton::clicked, this, [pick = entry.pick] {
            if (pick)
                pick();
        });
        m_flow->addWidget(chip);
        chip->show();
    }
}

QList<ScriptCapsule*> ScriptChips::buttons() const
{
    return findChildren<ScriptCapsule*>(Qt::FindDirectChildrenOnly);
}

} // namespace studio
