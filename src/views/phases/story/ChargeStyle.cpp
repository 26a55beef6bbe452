#include "views/phases/story/ChargeStyle.h"

#include "design/style/Palette.h"
#include "design/style/Tokens.h"

using namespace Qt::StringLiterals;

namespace studio::story {

QColor steelBlue()
{
    return Palette::steel();
}

QString chargeSymbol(ChargeState state)
{
    switch (state) {
    case ChargeState::lift:
        return u"arrow.up.circle.fill"_s;
    case ChargeState::drop:
        return u"arrow.down.circle.fill"_s;
    case ChargeState::flat:
        break;
    }
    return u"minus.circle"_s;
}

QColor chargeSymbolColor(ChargeState state)
{
    switch (state) {
    case ChargeState::lift:
        return Palette::gold();
    case ChargeState::drop:
        return steelBlue();
    case ChargeState::flat:
        break;
    }
    return Palette::textTertiary();
}

QColor pulseDotColor(ChargeState state)
{
    switch (state) {
    case ChargeState::lift:
        return Palette::gold();
    case ChargeState::drop:
        return steelBlue();
    case ChargeState::flat:
        break;
    }
    return Palette::white(level::dim);
}

QString chargeWord(ChargeState state)
{
    switch (state) {
    case ChargeState::lift:
        return u"Lift"_s;
    case ChargeState::drop:
        return u"Drop"_s;
    case ChargeState::flat:
        break;
    }
    return u"Neutral"_s;
}

} // namespace studio::story
