#include "support/ShapedWindow.h"

#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace studio::test {

QStringList roundedWindowFaults(QWidget* window, qreal radius)
{
    QStringList faults;
    const QRegion shape = window->mask();
    if (shape.isEmpty())
        return {u"the window has no shape"_s};
    QPainterPath outline;
    outline.addRoundedRect(QRectF(window->rect()), radius, radius);
    for (const qreal scale : {1.0, 1.25, 2.0}) {
        QImage picture((QSizeF(window->size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(scale);
        picture.fill(Qt::transparent);
        window->render(&picture);
        // The shape in the screen's pixels, as the window system scales it.
        const QRegion kept = QTransform::fromScale(scale, scale).map(shape);
        int clear = 0;
        for (const QRect& r : kept) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    if (!picture.rect().contains(x, y) || qAlpha(picture.pixel(x, y)) < 255)
                        ++clear;
                }
            }
        }
        if (clear > 0)
            faults << u"%1 pixels kept but not opaque at scale %2"_s.arg(clear).arg(scale);
    }
    for (int y = 0; y < window->height(); ++y) {
        for (int x = 0; x < window->width(); ++x) {
            if (shape.contains(QPoint(x, y)) && !outline.contains(QPointF(x + 0.5, y + 0.5)))
                faults << u"kept outside the outline at %1,%2"_s.arg(x).arg(y);
        }
    }
    return faults;
}

} // namespace studio::test
