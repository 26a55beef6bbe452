#pragma once

// The one mark of the keyboard focus, drawn by every control that takes it:
// a light line along the control's edge with a dark line just inside it. The
// light line stands out from the dark ground around a control, the dark one
// from a light fill (the ivory of a primary button, a chosen chip, an on
// switch), so the ring reads whatever it surrounds. It is drawn inside the
// edge, over the control's own fill and border, so a focused control keeps
// its size and place.
//
// It marks where the keyboard acts, so it shows while the keyboard is in use
// (a key was pressed, or the keyboard moved the focus, after the last click)
// and is not drawn after a click: a card or a button the pointer just
// pressed shows none until a key is pressed. A text input, where the
// keyboard types, shows it whenever it has the focus (its caret alone is too
// easily lost). The painters below draw nothing while it does not show, so
// every control follows the one rule.
//
//   if (hasFocus())
//       FocusRing::paintCapsule(p, rect());

#include <QtGlobal>

class QPainter;
class QRectF;
class QWidget;

namespace studio {

struct FocusRing {
    // How far the ring reaches in from the edge.
    static constexpr qreal width = 3;

    static void paintRounded(QPainter& painter, const QRectF& rect, qreal radius);
    static void paintCapsule(QPainter& painter, const QRectF& rect);
    // A ring around a round control (the symbol of a symbol button).
    static void paintCircle(QPainter& painter, const QRectF& rect);

    // The outline of a chosen card (the picked shot, format, character): one
    // line in the chosen colour, gold, never the ring's light and dark pair,
    // so the chosen card and the focused one are told apart at a glance.
    static void paintChosen(QPainter& painter, const QRectF& rect, qreal radius);

    // Marks `area` as light ground (the script's paper): the ring of a
    // control on it turns its two lines round, the dark one outside, so it
    // reads there as it does on the dark ground.
    static void setLightGround(QWidget* area);
    static bool onLightGround(const QWidget* widget);

    // Whether the ring shows now, on the control that has the focus.
    static bool showing();
    // Told by the application's watch on keys and clicks
    // (KeyboardActivation): the keyboard is in use, or the pointer is. The
    // control with the focus repaints when that changes.
    static void setKeyboardInUse(bool inUse);
};

} // namespace studio
