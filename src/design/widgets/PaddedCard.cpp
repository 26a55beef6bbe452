#include "design/widgets/PaddedCard.h"

#include "design/style/Palette.h"

#include <QVBoxLayout>

namespace studio {

PaddedCard::PaddedCard(int padding, int spacing, QWidget* parent)
    : CardSurface(16, Palette::surface(), parent)
    , m_stack(new QVBoxLayout(this))
{
    m_stack->setContentsMargins(padding, padding, padding, padding);
    m_stack->setSpacing(spacing);
}

} // namespace studio
