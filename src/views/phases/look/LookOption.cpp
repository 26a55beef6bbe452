#include "views/phases/look/LookOption.h"

namespace studio {

LookOption::LookOption(QWidget* parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
}

void LookOption::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
    tellChoiceChanged(this);
}

} // namespace studio
