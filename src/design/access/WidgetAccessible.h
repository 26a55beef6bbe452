#pragma once

// What assistive technology reads of a plain widget (a frame, a card, a
// field's well, a scroll area's viewport): what Qt reads of it, focused only
// while the widget itself holds the keyboard.
//
// Qt reads a widget as focused while the keyboard is on it or on the widget
// it hands its focus on to, so the well round a field, the field's wrapper
// and its text edit's viewport would all read as focused beside the one text
// edit that holds the keyboard, and a reader would find several focused
// objects for one caret.

#include <QAccessibleWidget>

namespace studio {

// Whether `widget` itself holds the keyboard (not only the widget it hands
// its focus on to).
bool holdsKeyboard(const QWidget* widget);

class WidgetAccessible : public QAccessibleWidget {
public:
    explicit WidgetAccessible(QWidget* widget, QAccessible::Role role = QAccessible::Client);

    QAccessible::State state() const override;
};

} // namespace studio
