#pragma once

// A sheet that opens by itself, not at the user's word (an assist's reply
// offered as a choice, an error), arrives while the user may be typing, often
// in the very field it is about. No key typed is ever lost to it, and none
// chooses anything in it:
//
// - It waits while the user is typing: it opens once the keyboard has rested
//   (no key and no input-method text for about a second) and no menu is up.
//   Every key typed meanwhile stays in the field it was typed in, in order.
// - It opens with the keyboard on itself, not on an option, so Return and
//   Space choose nothing; only a deliberate Tab reaches an option.
// - The control it takes the keyboard from can tell (keyboardTakenByItself())
//   and keep what was being typed (a tag half typed waits in its field): that
//   is no leaving. The sheet gives the keyboard back to it when it closes.
//
// Installed once for the whole application (DesignSystem::install), where it
// watches the keys.

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>

class QApplication;
class QTimer;
class QWidget;

namespace studio {

class SheetArrival : public QObject {
    Q_OBJECT
public:
    // How long the keyboard rests before a sheet that opens by itself opens.
    static constexpr std::chrono::milliseconds typingRest{1000};

    static void install(QApplication& app);

    // Marks `sheet` as one that opens by itself.
    static void mark(QWidget* sheet);
    static bool isMarked(const QWidget* sheet);

    // Calls `open` once the keyboard has rested and no menu is up: at once
    // when it has. Nothing is called once `sheet` is gone or cancel() was
    // called for it. One wait per sheet.
    static void whenKeyboardRests(QWidget* sheet, std::function<void()> open);
    static void cancel(QWidget* sheet);
    // Whether `sheet` waits for the keyboard to rest.
    static bool isWaiting(const QWidget* sheet);

    // The sheet takes the keyboard from `control` (what held it as the sheet
    // opened), and gives it back as it closes.
    static void taking(QWidget* sheet, QWidget* control);
    static void givenBack(QWidget* sheet);
    // Whether the keyboard left `control` for a sheet that opened by itself
    // and has not given it back yet. For a control's focus-out: that is no
    // leaving.
    static bool keyboardTakenByItself(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // Opens the sheets whose wait is over; keeps the timer for the rest.
    void openRested();
    std::chrono::milliseconds sinceTyping() const;

    struct Waiting {
        QPointer<QWidget> sheet;
        std::function<void()> open;
    };
    QList<Waiting> m_waitingSheets;
    QTimer* m_timer = nullptr;
    // When the last key or input-method text came (on a monotonic clock),
    // and the widget a composition is under way in.
    QElapsedTimer m_clock;
    qint64 m_lastTypedMs = -1;
    QPointer<QWidget> m_composingIn;
    // Each sheet holding the keyboard it took, and the control it took it
    // from (a sheet may open over another).
    struct Taken {
        QPointer<QWidget> sheet;
        QPointer<QWidget> from;
    };
    QList<Taken> m_taken;
};

} // namespace studio
