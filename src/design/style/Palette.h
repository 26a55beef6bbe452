#pragma once

// The fixed colours of the interface. The interface is always dark, so every
// colour here is chosen for dark surfaces. Each colour is built once, on first
// use (function-local statics are initialised thread-safely).

#include <QColor>

namespace studio {

struct Palette {
    static const QColor& bgRaised();
    static const QColor& surface();
    static const QColor& surfaceHigh();
    static const QColor& hairline();
    static const QColor& hairlineStrong();
    static const QColor& textPrimary();
    static const QColor& textSecondary();
    static const QColor& textTertiary();
    static const QColor& accent();
    static const QColor& accentDeep();
    static const QColor& gold();
    static const QColor& success();
    static const QColor& warn();
    static const QColor& danger();
    static const QColor& paper();
    static const QColor& paperInk();
    static const QColor& paperInkSoft();
    static const QColor& buttonInk();
    // The lit ivory of primary cards and marks, and the shades its
    // gradients fall to (lighter for small marks, deeper for large cards).
    static const QColor& ivory();
    static const QColor& ivoryShadeLight();
    static const QColor& ivoryShade();
    static const QColor& ivoryShadeDeep();
    // The gold gradient of the assist mark.
    static const QColor& goldLight();
    static const QColor& goldDeep();
    // The cool grey-blue of a flat beat.
    static const QColor& steel();

    // White or black at an opacity, the other way the screens name colours.
    static QColor white(qreal opacity);
    static QColor black(qreal opacity);
    // A colour at a different opacity (multiplies the colour's own alpha).
    static QColor withOpacity(const QColor& color, qreal opacity);
    // Linear blend of two colours in sRGB, alpha included; t = 0 gives a.
    static QColor mix(const QColor& a, const QColor& b, qreal t);
};

} // namespace studio
