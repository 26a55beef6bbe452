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
// when it closes (Qt's own rule); that control, disabled meanwhile by what
// the menu or the sheet started, keeps it as above.
//
// A window that opens by itself, not at the user's word (an assist's reply
// offered as a sheet), takes the keyboard from wherever the user was, often
// mid-word. That is no move of the user's: the control it was taken from can
// tell (keyboardTakenByItself()) and keep what was being typed, and it has
// the keyboard back, where it was, when the window closes — also where
// nothing else would give it back.
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

// Marks `window` as one that opens by itself (call it before it shows).
void opensByItself(QWidget* window);
// Whether the keyboard left `control` for a window that opened by itself and
// has not given it back yet. For a control's focus-out: that is no leaving.
bool keyboardTakenByItself(const QWidget* control);

class FocusHandOver : public QObject {
    Q_OBJECT
public:
    static void install(QApplication& app);

    // Whether the keyboard rests on `focus` since a control holding it was
    // hidden; that control (null once deleted), and the widget it stood in
    // then.
    bool isResting(const QWidget* focus) const;
    const QWidget* gone() const;
    const QWidget* goneFrom() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    friend void restFocusAt(const QWidget*, QWidget*);

    friend bool keyboardTakenByItself(const QWidget*);

    // A window that opens by itself shows, taking the keyboard; it hides,
    // giving it back.
    void takenByItself(QWidget* window);
    void givenBack(QWidget* window);

    // Puts the keyboard on `widget` (which may be disabled) from inside the
    // focus change Qt is making.
    void moveTo(QWidget* widget);
    void focusLost(QWidget* control, Qt::FocusReason reason);
    // Rests the keyboard where `control` leaves it; Tab goes on from there.
    void rest(QWidget* control);
    // The stop Tab (or Shift+Tab) reaches from where the keyboard rests.
    QWidget* stopFromRest(bool forward) const;

    // The disabled control that keeps the keyboard.
    QPointer<QWidget> m_kept;
    // Where the keyboard rests after a control holding it was hidden, and
    // that control.
    QPointer<QWidget> m_rest;
    QPointer<QWidget> m_gone;
    QPointer<QWidget> m_goneFrom;
    // The stops around the control when it went, for Tab once it is deleted.
    QPointer<QWidget> m_goneAfter;
    QPointer<QWidget> m_goneBefore;
    bool m_moving = false;
    // The window that opened by itself and holds the keyboard, and the
    // control it took it from (kept until the keyboard goes back, so a
    // window that replaces another gives it back to the same control).
    QPointer<QWidget> m_takenBy;
    QPointer<QWidget> m_takenFrom;
    bool m_givingBack = false;
};

} // namespace studio
