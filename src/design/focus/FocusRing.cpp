#include "design/focus/FocusRing.h"

#include "design/focus/FocusOutline.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <cmath>

namespace studio {

namespace {
// Whole pixels at the base scale, so neither line is smeared across two.
constexpr qreal lightWidth = 2;
constexpr qreal darkWidth = FocusRing::width - lightWidth;
constexpr qreal chosenWidth = 1.5;

QRectF inset(const QRectF& rect, qreal by)
{
    return rect.adjusted(by, by, -by, -by);
}

const QColor& light()
{
    return Palette::textPrimary();
}

const QColor& dark()
{
    return Palette::buttonInk();
}

// Until the pointer is first used, as the program opens, the keyboard is
// taken to be.
bool s_keyboardInUse = true;

// A control that takes typed text (it asks for the input method): a line or
// text edit, the editor of a painted page.
bool focusTakesText()
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus->testAttribute(Qt::WA_InputMethodEnabled);
}
const char* const lightGround = "studioLightGround";

// The outer (wide) and inner line: light outside on the dark ground, dark
// outside on light ground.
std::pair<QColor, QColor> linesFor(const QPainter& p)
{
    const auto* widget = dynamic_cast<const QWidget*>(p.device());
    if (FocusRing::onLightGround(widget))
        return {dark(), light()};
    return {light(), dark()};
}
} // namespace

void FocusRing::setLightGround(QWidget* area)
{
    area->setProperty(lightGround, true);
}

bool FocusRing::onLightGround(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (w->property(lightGround).toBool())
            return true;
    }
    return false;
}

bool FocusRing::showing()
{
    return s_keyboardInUse || focusTakesText();
}

void FocusRing::setKeyboardInUse(bool inUse)
{
    if (inUse == s_keyboardInUse)
        return;
    s_keyboardInUse = inUse;
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    focus->update();
    // A ring drawn round the control, outside it (FocusOutline), too.
    if (QWidget* around = focus->parentWidget()) {
        const int reach = int(std::ceil(FocusOutline::outset)) + 1;
        around->update(focus->geometry().adjusted(-reach, -reach, reach, reach));
    }
}

void FocusRing::paintRounded(QPainter& p, const QRectF& rect, qreal radius)
{
    if (!showing())
        return;
    const auto [outer, inner] = linesFor(p);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeRoundedInside(p, rect, radius, outer, lightWidth);
    shapes::strokeRoundedInside(p, inset(rect, lightWidth), std::max<qreal>(0, radius - lightWidth), inner, darkWidth);
    p.restore();
}

void FocusRing::paintCapsule(QPainter& p, const QRectF& rect)
{
    if (!showing())
        return;
    const auto [outer, inner] = linesFor(p);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeCapsuleInside(p, rect, outer, lightWidth);
    shapes::strokeCapsuleInside(p, inset(rect, lightWidth), inner, darkWidth);
    p.restore();
}

void FocusRing::paintChosen(QPainter& p, const QRectF& rect, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::strokeRoundedInside(p, rect, radius, Palette::gold(), chosenWidth);
    p.restore();
}

void FocusRing::paintCircle(QPainter& p, const QRectF& rect)
{
    const qreal side = std::min(rect.width(), rect.height());
    paintCapsule(p, QRectF(rect.center() - QPointF(side, side) / 2.0, QSizeF(side, side)));
}

} // namespace studio
