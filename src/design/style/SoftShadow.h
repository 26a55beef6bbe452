#pragma once

// The soft shadow a rounded card casts on what lies behind it, for cards that
// sit in a grid and cannot paint past their own edge: the widget behind them
// paints the shadows. The blurred shape is rendered once per size, radius,
// blur and colour and reused, so a repaint is a single image copy.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace studio {

class SoftShadow {
public:
    // Paints the shadow of a continuous rounded rectangle `shape` (radius
    // `radius`), blurred by `blur` points (a Gaussian of deviation blur / 2)
    // and moved by `offset`. The colour's alpha is the shadow's opacity.
    static void paint(QPainter& painter, const QRectF& shape, qreal radius, const QColor& color, qreal blur,
                      const QPointF& offset);

    // How far a shadow of that blur reaches past its shape.
    static qreal reach(qreal blur);

    // The blurred shape (opaque colour, premultiplied), with reach(blur) of
    // room on every side; cached.
    static QImage image(const QSizeF& size, qreal radius, const QColor& opaqueColor, qreal blur,
                        qreal devicePixelRatio);
    static void clearCache();
};

} // namespace studio
