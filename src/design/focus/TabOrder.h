#pragma once

// Puts controls in the keyboard's Tab order as they read. Qt walks the focus
// in the order widgets joined their window, so a control built later (a card
// for a new record, a row built as it scrolls into view) would come after
// everything built before it, wherever it stands on the screen.
//
//   QWidget* last = TabOrder::chain(header, {title, menu, editor});

#include <QList>

class QWidget;

namespace studio {

struct TabOrder {
    // Orders `controls` one after another right after `after` and returns
    // the last of them (`after` when there is none). Null entries and
    // controls that take no focus are passed over. A control is the widget
    // that takes the focus (a field's line edit, not the captioned field
    // around it); the widgets that hand it the focus follow it. Controls
    // already in that order are left alone, so a screen may chain its stops
    // at every refresh.
    static QWidget* chain(QWidget* after, const QList<QWidget*>& controls);

    // The last control before `widget` in the focus order that takes the
    // focus and is not inside `group` (null when there is none): where a
    // group built anew goes back in.
    static QWidget* stopBefore(const QWidget* widget, const QWidget* group);

    // The stop Tab (or Shift+Tab when `forward` is false) reaches from where
    // `from` stands in its window's order, shown or not: the next control
    // that is shown, enabled and takes Tab, passing over `from` and, when it
    // is given, everything inside `skipping`. Null when there is none.
    static QWidget* nextStop(const QWidget* from, bool forward, const QWidget* skipping = nullptr);
};

} // namespace studio
