#include "support/FocusPictures.h"

#include "support/KeyboardWalk.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace studio::test {

namespace {

// A change an eye sees, as the guidelines for focus marks count it.
constexpr double seenContrast = 3.0;
// Pixels of the surroundings taken with the control: a ring drawn just
// outside a bare text input falls within them.
constexpr int margin = 6;

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The outermost widget round `control` that hands its focus on to it: the
// field or frame that presents the control and draws its ring.
QWidget* presenter(QWidget* control)
{
    QWidget* outer = control;
    for (QWidget* w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        QWidget* proxy = w->focusProxy();
        while (proxy && proxy->focusProxy())
            proxy = proxy->focusProxy();
        if (proxy == control)
            outer = w;
    }
    return outer;
}

bool fullyInView(QWidget* control)
{
    if (!control->isVisible())
        return false;
    QRect r = control->rect();
    for (QWidget* w = control; !w->isWindow(); w = w->parentWidget()) {
        r.translate(w->pos());
        if (!w->parentWidget()->rect().contains(r))
            return false;
    }
    return true;
}

QImage picture(QWidget* control, bool inWindow)
{
    QWidget* window = control->window();
    if (inWindow) {
        // The whole window, then the part: a part grabbed alone leaves out
        // what graphics effects (a button's shadow) draw.
        const QImage whole = window->grab().toImage();
        const qreal ratio = whole.devicePixelRatio();
        const QRectF r = QRectF(control->mapTo(window, QPoint(0, 0)), control->size())
                             .adjusted(-margin, -margin, margin, margin);
        const QRect pixels(QPoint(int(std::floor(r.left() * ratio)), int(std::floor(r.top() * ratio))),
                           QPoint(int(std::ceil(r.right() * ratio)) - 1, int(std::ceil(r.bottom() * ratio)) - 1));
        return whole.copy(pixels).convertToFormat(QImage::Format_RGB32);
    }
    // Out of view: drawn by itself on the window's ground, through its
    // parent so that graphics effects apply.
    QWidget* host = control->parentWidget() ? control->parentWidget() : control;
    const QRect area =
        (host == control ? control->rect() : control->geometry()).adjusted(-margin, -margin, margin, margin);
    const qreal ratio = control->devicePixelRatioF();
    QImage image(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(window->palette().color(QPalette::Window));
    QPainter painter(&image);
    host->render(&painter, QPoint(0, 0), QRegion(area));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

double contrastRatio(QRgb a, QRgb b)
{
    double x = luminance(a);
    double y = luminance(b);
    if (x < y)
        std::swap(x, y);
    return (x + 0.05) / (y + 0.05);
}

QImage pictureInWindow(QWidget* control)
{
    QWidget* shown = presenter(control);
    return picture(shown, fullyInView(shown));
}

bool showsRing(const QImage& unfocused, const QImage& focused)
{
    if (unfocused.size() != focused.size() || unfocused.isNull())
        return false;
    const int w = unfocused.width();
    const int h = unfocused.height();
    QList<bool> seen(qsizetype(w) * h);
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (contrastRatio(unfocused.pixel(x, y), focused.pixel(x, y)) < seenContrast)
                continue;
            seen[qsizetype(y) * w + x] = true;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return false;
    // A ring goes round something: a caret, however its edges read, is
    // no ring.
    constexpr int narrowest = 8;
    if (right - left + 1 < narrowest || bottom - top + 1 < narrowest)
        return false;
    const auto at = [&](int x, int y) { return seen[qsizetype(y) * w + x]; };
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    // Along a band through the middle, a change in each outer quarter.
    const int quarterX = std::max(1, (right - left) / 4);
    const int quarterY = std::max(1, (bottom - top) / 4);
    bool west = false, east = false, north = false, south = false;
    for (int d = -1; d <= 1; ++d) {
        const int y = std::clamp(cy + d, 0, h - 1);
        const int x = std::clamp(cx + d, 0, w - 1);
        for (int i = left; i <= left + quarterX; ++i)
            west = west || at(i, y);
        for (int i = right - quarterX; i <= right; ++i)
            east = east || at(i, y);
        for (int j = top; j <= top + quarterY; ++j)
            north = north || at(x, j);
        for (int j = bottom - quarterY; j <= bottom; ++j)
            south = south || at(x, j);
    }
    return west && east && north && south;
}

FocusPictures focusPictures(QWidget* control)
{
    // Without the focus anywhere: the stop before may hold it and draw its
    // ring round this control (a chip round its close button).
    if (QWidget* focused = control->window()->focusWidget(); focused && focused->hasFocus())
        focused->clearFocus();
    QWidget* shown = presenter(control);
    const bool inWindow = fullyInView(shown);
    FocusPictures pictures;
    pictures.unfocused = picture(shown, inWindow);
    control->setFocus(Qt::TabFocusReason);
    // The ring of a bare text input is drawn by a layer that follows it.
    QCoreApplication::processEvents();
    pictures.focused = picture(shown, inWindow);
    return pictures;
}

QStringList stopsShowingNoFocus(QWidget* window, int* stops)
{
    const KeyboardWalk walk = walkWithTab(window);
    if (stops)
        *stops = int(walk.stops.size());
    return stopsShowingNoRing(walk);
}

} // namespace studio::test
