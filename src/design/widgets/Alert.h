#pragma once

// The program's alerts: a window-modal message box with plain text (names in
// it are the user's and never read as markup), wide enough that its title,
// as the window manager shows it, and its message are not cut. Its buttons
// are the design's capsules: the default one a primary button, the
// destructive one a ghost button in the danger colour. The keyboard starts on
// the default button; Tab moves between the buttons, Return and Space press
// the one holding the keyboard, Esc answers Cancel. An alert deletes itself
// once answered; show it with open().
//
//   auto* alert = Alert::confirmation(window(), u"Move to Trash?"_s, message, u"Move to Trash"_s);
//   connect(alert, &Alert::answered, this, [id](bool confirmed) { ... });
//   alert->open();

#include <QMessageBox>

class QFont;

namespace studio {

class Alert : public QMessageBox {
    Q_OBJECT
public:
    // A question whose yes destroys something: the destructive button (its
    // text shown as typed) and Cancel. Cancel is the default button, and Esc
    // or closing the window answers Cancel.
    static Alert* confirmation(QWidget* parent, const QString& title, const QString& message,
                               const QString& destructiveText);
    // A notice with an OK button. The window's title is title unless one is
    // given.
    static Alert* information(QWidget* parent, const QString& title, const QString& message,
                              const QString& windowTitle = QString());

    // Null for a notice.
    QAbstractButton* destructiveButton() const { return m_destructive; }
    // The button Return presses while no other holds the keyboard: Cancel,
    // or OK for a notice. (QMessageBox's own default button is a push
    // button, which the design's buttons are not.)
    QAbstractButton* returnButton() const { return m_default; }
    // Cancel, or OK for a notice.
    QAbstractButton* cancelButton() const { return m_cancel; }
    // Whether the destructive button was the answer.
    bool isConfirmed() const;

    // The window title as the window manager shows it: with " — " and the
    // program's name unless it already ends with that name.
    static QString shownWindowTitle(const QString& title);
    // The width an alert needs for that title in a title bar and for the
    // message on lines of comfortable length.
    static int fittingWidth(const QString& windowTitle, const QString& message, const QFont& font);

Q_SIGNALS:
    // Once, when the alert closes: true only for the destructive button.
    void answered(bool confirmed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Alert(QWidget* parent, const QString& title, const QString& message, const QString& windowTitle);
    // Adds a button of the design; the default one takes the keyboard first.
    void addStyledButton(QAbstractButton* button, ButtonRole role, bool isDefault);
    void fitWidth();

    QAbstractButton* m_destructive = nullptr;
    QAbstractButton* m_cancel = nullptr;
    QAbstractButton* m_default = nullptr;
};

} // namespace studio
