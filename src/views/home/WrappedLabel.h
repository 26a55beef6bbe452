#pragma once

#include "design/TextLabel.h"

#include <QSizePolicy>

namespace studio {

// Turns on wrapping and lets the label grow to the height its lines need at
// the width a layout gives it. (A fixed vertical policy caps a wrapped label
// at the height of its unwrapped text, one line, inside box layouts.)
inline TextLabel* wrapped(TextLabel* label)
{
    label->setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace studio
