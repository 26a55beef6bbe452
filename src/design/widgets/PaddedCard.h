#pragma once

// A card of a page: the card surface (corner radius 16, the surface fill)
// holding a vertical stack padded evenly on every side. Screens add their
// content to stack(), or derive from it when the card is the whole part.

#include "design/widgets/CardSurface.h"

class QVBoxLayout;

namespace studio {

class PaddedCard : public CardSurface {
    Q_OBJECT
public:
    PaddedCard(int padding, int spacing, QWidget* parent = nullptr);

    QVBoxLayout* stack() const { return m_stack; }

private:
    QVBoxLayout* m_stack;
};

} // namespace studio
