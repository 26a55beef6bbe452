#pragma once

// The program's one way of putting something modal in front of the user:
// every sheet (New Production, an assist's choices), every alert and the
// settings are a SheetDialog. It belongs to the window of the view that
// presents it and is drawn inside that window, on the window's sheet layer
// (SheetLayer.h), as a raised rounded card: the same place under X11 and
// Wayland, whatever the window manager or compositor does with windows,
// and wherever the window goes.
//
// - Placed: centred across the window and over the view that presents it,
//   never over the bars above that view (the tab strip, the menu bar): where
//   centring would cover them it moves down, and in a window too low for it,
//   it grows no taller than the view (its content scrolls). It follows the
//   window as it is resized, and the view as the window lays it out (a view
//   that has just come on screen to present it is laid out after).
// - Modal to its window: while it is up nothing else in the window takes a
//   click, a key, a shortcut or a menu; a sheet presented over it takes them
//   in turn.
// - The keyboard: it opens with the keyboard inside it (on the control its
//   content gave it to while being built, else on the sheet itself, from
//   where Tab reaches the first control); Tab and Shift+Tab go round its
//   controls and never leave it; Esc dismisses it (reject()); as it closes,
//   the keyboard goes back to the control that had it when it opened.
// - Heard as a dialog named by its title (its spoken name, else its window
//   title), modal.
// - One that opens by itself (markOpensByItself(): an assist's result, an
//   error) waits while the user is typing and then takes the keyboard onto
//   itself (SheetArrival.h).
//
// It works as a QDialog does: present() (or open()) returns at once;
// accept(), reject() and done() close it and emit finished(); close() rejects
// it. It deletes itself once closed unless told otherwise
// (Qt::WA_DeleteOnClose). Subclasses put their content into contentLayout()
// while they are built.

#include "design/widgets/AccessibleSource.h"

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

namespace studio {

class SheetLayer;

class SheetDialog : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    enum DialogCode { Rejected, Accepted };

    // `presenter` is the view that presents the sheet; the sheet belongs to
    // its window, and goes with the presenter.
    SheetDialog(QWidget* presenter, QSize size);
    ~SheetDialog() override;

    QVBoxLayout* contentLayout() const { return m_content; }
    QWidget* presenter() const { return m_presenter; }

    // Shows the sheet over its window, modal to it; returns at once. A sheet
    // that opens by itself may wait for the keyboard to rest first.
    void present();
    // As present(), as a QDialog opens.
    void open() { present(); }
    // Presented and not yet closed (shown, or waiting to show).
    bool isOpen() const { return m_state != State::closed; }
    // Presented, waiting for the keyboard to rest before it shows.
    bool isWaiting() const { return m_state == State::waiting; }
    int result() const { return m_result; }

    // The text a reader names the sheet by.
    QString spokenTitle() const;

    // Before present(): the sheet opens by itself, not at the user's word.
    void markOpensByItself();
    // Every opening of a sheet kept from one to the next starts with the
    // keyboard on the sheet itself (heard by its name), not where it was
    // when the sheet last closed.
    void startOnItselfEachTime() { m_startOnItself = true; }

public Q_SLOTS:
    void accept() { done(Accepted); }
    void reject() { done(Rejected); }
    virtual void done(int result);

Q_SIGNALS:
    void finished(int result);
    void accepted();
    void rejected();

protected:
    // Before present(), for a sheet kept from one presentation to the next:
    // the view that presents it now.
    void setPresenter(QWidget* presenter);

    QAccessibleInterface* accessibleFor(QObject* object) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class SheetLayer;
    enum class State { closed, waiting, shown };

    void showOnLayer();
    // Places the sheet in its window; called by the layer as the window
    // changes size.
    void place();
    // Gives the keyboard back (to the control that had it, else, `orElsewhere`,
    // to the sheet below, the presenter or the window) and leaves the layer.
    void leave(bool orElsewhere = true);
    // Puts the keyboard in the sheet: at its first or last stop for Tab or
    // Shift+Tab, else on `start`, else where it was in the sheet, else on
    // the sheet itself.
    void takeKeyboard(Qt::FocusReason reason, QWidget* start = nullptr);
    // The first or last control Tab reaches inside the sheet.
    QWidget* edgeStop(bool first) const;

    QPointer<QWidget> m_presenter;
    QPointer<SheetLayer> m_layer;
    QPointer<QWidget> m_returnTo;
    QVBoxLayout* m_content;
    // The size the sheet asks for; the window may give it less height.
    QSize m_wanted;
    State m_state = State::closed;
    int m_result = Rejected;
    bool m_startOnItself = false;
};

} // namespace studio
