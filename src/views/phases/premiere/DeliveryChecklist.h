#pragma once

// The readiness checklist card of the Premiere screen: "Delivery Checklist"
// with how many of the seven items are ready and a progress ring, then one
// row per item (matched by its label). An open item stands out and offers
// "Go", which asks for its phase (goRequested); the screen switches to it
// through the edit door.

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/PaddedCard.h"
#include "model/Enums.h"
#include "state/rules/PremiereRules.h"

#include <QList>
#include <QWidget>
#include <memory>

class QVBoxLayout;

namespace studio {

class CheckRow;
class ProgressRing;
class SectionHeader;

class DeliveryChecklist : public PaddedCard {
    Q_OBJECT
public:
    explicit DeliveryChecklist(QWidget* parent = nullptr);
    ~DeliveryChecklist() override;

    void setItems(const QList<rules::ReadinessItem>& items);

    // The row of the item with that label, or null.
    CheckRow* row(const QString& label) const;
    // The rows' "Go" buttons, in order.
    QList<QWidget*> focusStops() const;

Q_SIGNALS:
    void goRequested(PhaseID phase);

private:
    SectionHeader* m_header;
    ProgressRing* m_ring;
    QWidget* m_group;
    QVBoxLayout* m_list;
    std::unique_ptr<KeyedList<QString, CheckRow>> m_rows;
};

class SymbolLabel;
class TextLabel;
class GhostButton;

// One item of the checklist: its mark (read as a check box, checked once the
// item is done), its title and detail, and "Go" while it is not done.
class CheckRow : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    CheckRow();

    void setItem(const rules::ReadinessItem& item);
    bool isOk() const { return m_ok; }
    GhostButton* goButton() const { return m_go; }

Q_SIGNALS:
    void goRequested(PhaseID phase);

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;

private:
    SymbolLabel* m_mark = nullptr;
    TextLabel* m_title;
    TextLabel* m_detail;
    GhostButton* m_go;
    PhaseID m_phase = PhaseID::spark;
    bool m_ok = false;
    bool m_shown = false;
};

} // namespace studio
