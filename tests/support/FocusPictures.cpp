#include "support/FocusPictures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace studio::test {

namespace {

// A change an eye sees, as the guidelines for focus marks count it.
constexpr double seenContrast = 3.0;
// Pixels of the surroundings taken with the control.
constexpr int margin = 3;

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
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

bool isTextInput(const QWidget* w)
{
    if (auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (auto* edit = qobject_cast<const QTextEdit*>(w))
        return !edit->isReadOnly();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w))
        return !edit->isReadOnly();
    return false;
}

bool anySeenChange(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (contrastRatio(a.pixel(x, y), b.pixel(x, y)) >= seenContrast)
                return true;
        }
    }
    return false;
}

QString describe(const QWidget* w)
{
    QString name = w->accessibleName();
    if (name.isEmpty())
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            name = button->text();
    QString where;
    if (const QWidget* parent = w->parentWidget())
        where = QString::fromLatin1(parent->metaObject()->className());
    return QStringLiteral("%1%2 \"%3\" in %4")
        .arg(QString::fromLatin1(w->metaObject()->className()),
             w->objectName().isEmpty() ? QString() : QLatin1Char('#') + w->objectName(), name, where);
}

// Moves the focus on from an editor that keeps Tab, as Ctrl+Tab would.
void passOver(QWidget* editor)
{
    for (QWidget* next = editor->nextInFocusChain(); next && next != editor; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()
            && next->window() == editor->window()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
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
    return picture(control, fullyInView(control));
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
    if (control->hasFocus())
        control->clearFocus();
    const bool inWindow = fullyInView(control);
    FocusPictures pictures;
    pictures.unfocused = picture(control, inWindow);
    control->setFocus(Qt::TabFocusReason);
    pictures.focused = picture(control, inWindow);
    return pictures;
}

QStringList stopsShowingNoFocus(QWidget* window, int* stops)
{
    // The stops, as Tab reaches them from the window's first.
    QList<QPointer<QWidget>> chain;
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window)
        focus->clearFocus();
    QTest::keyClick(window, Qt::Key_Tab);
    for (int i = 0; i < 500; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != window || (!chain.isEmpty() && focus == chain.first()))
            break;
        chain.append(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == focus)
            passOver(focus); // an editor that takes Tab as text
    }
    if (stops)
        *stops = int(chain.size());

    QStringList silent;
    for (const QPointer<QWidget>& stop : chain) {
        if (!stop)
            continue;
        const FocusPictures pictures = focusPictures(stop);
        const bool shown = isTextInput(stop) ? anySeenChange(pictures.unfocused, pictures.focused)
                                             : showsRing(pictures.unfocused, pictures.focused);
        if (!shown)
            silent.append(describe(stop));
    }
    return silent;
}

} // namespace studio::test
