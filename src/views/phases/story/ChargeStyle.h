#pragma once

// How a beat's charge state looks wherever it is shown: the symbol and colour
// of the beat card's charge button and the colour of the pulse line's dot,
// and the word a reader hears for it.
// Drops are a steel blue the palette doesn't hold; it belongs to this screen.

#include "state/rules/StoryRules.h"

#include <QColor>
#include <QString>

namespace studio::story {

using ChargeState = rules::ChargeState;

QColor steelBlue();
QString chargeSymbol(ChargeState state);
QColor chargeSymbolColor(ChargeState state);
QColor pulseDotColor(ChargeState state);
QString chargeWord(ChargeState state);

} // namespace studio::story
