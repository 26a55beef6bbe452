#pragma once

// The keyboard focus when the control that holds it goes. Hiding or
// disabling the widget that holds the focus makes Qt pass it to the next
// control of the window, which may be anything: "Queue all planned" after
// "Render all queued", where the next Return queues every planned shot; a
// tab's close button, where Space closes the production. Return must never
// press a control the user did not move to, so, for the whole program:
//
// - A control disabled while it holds the keyboard (a button busy with what
//   it started, a button with nothing left to do) keeps it, read out as
//   unavailable. Return and Space do nothing there; Tab goes on from it as
//   from any control; enabled again, it simply has the keyboard. A window
//   that comes back to the front gives it back to that control too.
// - A control hidden while it holds the keyboard leaves it resting on the
//   nearest container around it that is no control itself and that a reader
//   hears by a name (the screen, a pane; the nearest of all when none is
//   named), where Return and Space do nothing and Tab goes on from where the
//   control stood, also once the control is deleted (as a list's row is
//   after it is hidden). Should the control show again while the keyboard
//   rests there, it gets it back; should the place of rest hide in turn, the
//   keyboard rests further out, Tab still going on from where the control
//   stood.
// - A screen that knows better (the card now in the place of one that went,
//   the screen that replaces another) hands the keyboard over itself, before
//   the control goes: handOverFocus().
//
// A menu or a sheet gives the keyboard back to the control that opened it
// when it closes (returnKeyboardTo()); that control, disabled meanwhile by
// what the menu or the sheet started, keeps it as above, and one hidden
// meanwhile leaves it resting as above. (A sheet that opens by itself:
// SheetArrival.h.)
//
// Installed once for the whole application (DesignSystem::install).

#include <QObject>
#include <QPointer>

class QApplication;
class QWidget;

namespace studio {

// Gives `to` the focus when the window's focus is inside `from` (or on it),
// and with `orNowhere` also when nothing in the window has it. Call it with
// `to` shown, before `from` is hidden or disabled.
void handOverFocus(const QWidget* from, QWidget* to, bool orNowhere = false);
// Whether the window's keyboard is inside `from` (or on it, or resting where
// a control of it left it when it was hidden); with `orNowhere` also when
// nothing in the window has it.
bool keyboardWithin(const QWidget* from, bool orNowhere = false);
// Rests the keyboard, when it is inside `from` (or resting where a control of
// it left it), where it would rest were `place` hidden holding it: Tab goes
// on from `place`. For a control that removes an item standing elsewhere
// (a pane's "Remove" button): the keyboard rests by the item's place. Call
// it with `place` still shown.
void restFocusAt(const QWidget* from, QWidget* place);

// Gives the keyboard back to `control`, which held it before something in
// front of it (a sheet) took it: a control disabled meanwhile keeps it, one
// hidden meanwhile leaves it resting where it would have rested, had it been
// hidden holding it. False, giving nothing, for a control gone or out of its
// window.
bool returnKeyboardTo(QWidget* control, Qt::FocusReason reason);

class FocusHandOver : public QObject {
    Q_OBJECT
public:
    static void install(QApplication& app);

    // Whether the keyboard rests on `focus` since a control holding it was
    // hidden; that control (null once deleted), and the widget it stood in
    // then.
    bool isResting(const QWidget* focus) const;
    const QWidget* hiddenHolder() const;
    const QWidget* hiddenHolderParent() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    friend void restFocusAt(const QWidget*, QWidget*);
    friend bool returnKeyboardTo(QWidget*, Qt::FocusReason);

    // Puts the keyboard on `widget` (which may be disabled), also from inside
    // the focus change Qt is making.
    void moveTo(QWidget* widget, Qt::FocusReason reason = Qt::OtherFocusReason);
    // Keeps the keyboard on `control`, disabled.
    void keep(QWidget* control, Qt::FocusReason reason);
    void focusLost(QWidget* control, Qt::FocusReason reason);
    // Rests the keyboard where `control` leaves it; Tab goes on from there.
    void rest(QWidget* control);
    // The stop Tab (or Shift+Tab) reaches from where the keyboard rests.
    QWidget* stopFromRest(bool forward) const;

    // The disabled control that keeps the keyboard.
    QPointer<QWidget> m_kept;
    // Where the keyboard rests after a control holding it was hidden, that
    // control and the widget it stood in.
    QPointer<QWidget> m_rest;
    QPointer<QWidget> m_hiddenHolder;
    QPointer<QWidget> m_hiddenHolderParent;
    // The stops around the control when it went, for Tab once it is deleted.
    QPointer<QWidget> m_stopAfterHidden;
    QPointer<QWidget> m_stopBeforeHidden;
    bool m_moving = false;
};

} // namespace studio
