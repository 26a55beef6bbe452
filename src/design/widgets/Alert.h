#pragma once

// The program's alerts: a sheet (SheetDialog.h) centred over the window,
// modal to it, that shows its title and its message inside it as plain text
// (names in it are the user's and never read as markup), wide enough that
// neither is cut, and heard as a dialog named by its title. Its buttons are
// the design's capsules: the default one a primary button, the destructive
// one a ghost button in the danger colour. The keyboard starts on the
// default button; Tab moves between the buttons, Return and Space press the
// one holding the keyboard, Esc answers Cancel. An alert deletes itself once
// answered; show it with open().
//
//   auto* alert = Alert::confirmation(window(), u"Move to Trash?"_s, message, u"Move to Trash"_s);
//   connect(alert, &Alert::answered, this, [id](bool confirmed) { ... });
//   alert->open();

#include "design/widgets/SheetDialog.h"

class QAbstractButton;
class QFont;

namespace studio {

class TextLabel;

class Alert : public SheetDialog {
    Q_OBJECT
public:
    // A question whose yes destroys something: the destructive button (its
    // text shown as typed) and Cancel. Cancel is the default button, and Esc
    // or closing the alert answers Cancel.
    static Alert* confirmation(QWidget* parent, const QString& title, const QString& message,
                               const QString& destructiveText);
    // A notice with an OK button. A reader names it by `spokenTitle` where
    // one is given, else by its title.
    static Alert* information(QWidget* parent, const QString& title, const QString& message,
                              const QString& spokenTitle = QString());

    // The title and the message, as shown.
    QString text() const;
    QString informativeText() const;
    // Null for a notice.
    QAbstractButton* destructiveButton() const { return m_destructive; }
    // The button Return presses while no other holds the keyboard: Cancel,
    // or OK for a notice.
    QAbstractButton* returnButton() const { return m_default; }
    // Cancel, or OK for a notice.
    QAbstractButton* cancelButton() const { return m_cancel; }
    // Whether the destructive button was the answer.
    bool isConfirmed() const { return m_confirmed; }

    // The width an alert's text needs: the title on one line, the message on
    // lines of comfortable length.
    static int fittingWidth(const QString& title, const QString& message, const QFont& titleFont,
                            const QFont& messageFont);

Q_SIGNALS:
    // Once, when the alert closes: true only for the destructive button.
    void answered(bool confirmed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Alert(QWidget* parent, const QString& title, const QString& message, const QString& spokenTitle);
    // Adds a button of the design at the trailing end of the row; the
    // default one takes the keyboard first.
    void addButton(QAbstractButton* button, bool isDefault);
    void fitSize();

    TextLabel* m_title;
    TextLabel* m_message;
    QWidget* m_buttons;
    QAbstractButton* m_destructive = nullptr;
    QAbstractButton* m_cancel = nullptr;
    QAbstractButton* m_default = nullptr;
    bool m_confirmed = false;
};

} // namespace studio
