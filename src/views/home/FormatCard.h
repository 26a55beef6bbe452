#pragma once

// One production format in the new-production sheet's grid: a gold symbol
// on a small tile with the runtime range beside it, the format's label and
// its blurb (at most three lines). Outlined in the accent once chosen.

#include "design/access/ChoiceAccessible.h"
#include "model/Enums.h"

#include <QAbstractButton>

namespace studio {

class FormatCard : public QAbstractButton, public SelectableChoice<FormatCard, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    explicit FormatCard(ProjectFormat format, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_selected = false;
};

} // namespace studio
