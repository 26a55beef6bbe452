#pragma once

// A name or title from a production can be any length (a hand-edited file);
// labels, chips and menu items of the storyboard shape only what they can
// show.

#include "model/Text.h"

#include <QString>

namespace studio {

inline QString shownText(const QString& text)
{
    return text::graphemePrefix(text, 300);
}

} // namespace studio
