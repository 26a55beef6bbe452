#include "design/style/Palette.h"

#include <algorithm>

namespace studio {

namespace {
QColor rgb(int hex, qreal opacity = 1.0)
{
    QColor c((hex >> 16) & 0xff, (hex >> 8) & 0xff, hex & 0xff);
    c.setAlphaF(float(opacity));
    return c;
}
} // namespace

#define STUDIO_COLOUR(name, ...)                                                                   \
    const QColor& Palette::name()                                                                  \
    {                                                                                              \
        static const QColor c = __VA_ARGS__;                                                       \
        return c;                                                                                  \
    }

STUDIO_COLOUR(bgRaised, rgb(0x121214))
STUDIO_COLOUR(surface, rgb(0x18181B))
STUDIO_COLOUR(surfaceHigh, rgb(0x202024))
STUDIO_COLOUR(hairline, rgb(0xFFFFFF, 0.08))
STUDIO_COLOUR(hairlineStrong, rgb(0xFFFFFF, 0.16))
STUDIO_COLOUR(textPrimary, rgb(0xF4F3F0))
STUDIO_COLOUR(textSecondary, rgb(0xF4F3F0, 0.6))
STUDIO_COLOUR(textTertiary, rgb(0xF4F3F0, 0.36))
STUDIO_COLOUR(accent, rgb(0xE7E1D5))
STUDIO_COLOUR(accentDeep, rgb(0xB9AF9E))
STUDIO_COLOUR(gold, rgb(0xD8C49A))
STUDIO_COLOUR(success, rgb(0x9FC4A4))
STUDIO_COLOUR(warn, rgb(0xD9B36C))
STUDIO_COLOUR(danger, rgb(0xCB7B6E))
STUDIO_COLOUR(paper, rgb(0xF6F5F1))
STUDIO_COLOUR(paperInk, rgb(0x1C1B19))
STUDIO_COLOUR(paperInkSoft, rgb(0x1C1B19, 0.55))
STUDIO_COLOUR(buttonInk, rgb(0x141413))
STUDIO_COLOUR(ivory, rgb(0xF2EDE2))
STUDIO_COLOUR(ivoryShadeLight, rgb(0xCEC6B5))
STUDIO_COLOUR(ivoryShade, rgb(0xC6BEAD))
STUDIO_COLOUR(ivoryShadeDeep, rgb(0xBFB7A6))
STUDIO_COLOUR(goldLight, rgb(0xE8D9B5))
STUDIO_COLOUR(goldDeep, rgb(0xC9B387))
STUDIO_COLOUR(steel, rgb(0x9FB4C4))

#undef STUDIO_COLOUR

QColor Palette::white(qreal opacity)
{
    return rgb(0xFFFFFF, std::clamp(opacity, 0.0, 1.0));
}

QColor Palette::black(qreal opacity)
{
    return rgb(0x000000, std::clamp(opacity, 0.0, 1.0));
}

QColor Palette::withOpacity(const QColor& color, qreal opacity)
{
    QColor c = color;
    c.setAlphaF(float(std::clamp(color.alphaF() * opacity, 0.0, 1.0)));
    return c;
}

QColor Palette::mix(const QColor& a, const QColor& b, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto lerp = [t](float x, float y) { return x + (y - x) * float(t); };
    QColor c;
    c.setRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()), lerp(a.blueF(), b.blueF()),
              lerp(a.alphaF(), b.alphaF()));
    return c;
}

} // namespace studio
