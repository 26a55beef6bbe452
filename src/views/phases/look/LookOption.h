#pragma once

// One option of a one-of group of The Look (an aspect ratio, an accent
// colour), painted by its subclass over what lies behind it: a Tab stop that
// Space, Return and a click pick, repainted and told to a reader whenever it
// is chosen or let go.

#include "design/access/ChoiceAccessible.h"

#include <QAbstractButton>

namespace studio {

class LookOption : public QAbstractButton, public SelectableChoice<LookOption, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

protected:
    explicit LookOption(QWidget* parent);

private:
    bool m_selected = false;
};

} // namespace studio
