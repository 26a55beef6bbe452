#include "design/focus/SheetArrival.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace studio {

namespace {

QPointer<SheetArrival> s_installed;

const char* const opensByItselfProperty = "studioOpensByItself";

// A composition left standing without a word from the input method holds a
// sheet back no longer than this many rests.
constexpr int longestComposition = 10;

} // namespace

void SheetArrival::install(QApplication& app)
{
    if (s_installed)
        return;
    s_installed = new SheetArrival(&app);
    s_installed->m_clock.start();
    s_installed->m_timer = new QTimer(s_installed);
    s_installed->m_timer->setSingleShot(true);
    s_installed->m_timer->setTimerType(Qt::PreciseTimer);
    connect(s_installed->m_timer, &QTimer::timeout, s_installed, &SheetArrival::openRested);
    app.installEventFilter(s_installed);
}

void SheetArrival::mark(QWidget* sheet)
{
    sheet->setProperty(opensByItselfProperty, true);
}

bool SheetArrival::isMarked(const QWidget* sheet)
{
    return sheet && sheet->property(opensByItselfProperty).toBool();
}

void SheetArrival::whenKeyboardRests(QWidget* sheet, std::function<void()> open)
{
    if (!s_installed) {
        open();
        return;
    }
    cancel(sheet);
    s_installed->m_waitingSheets.append(Waiting{sheet, std::move(open)});
    s_installed->openRested();
}

void SheetArrival::cancel(QWidget* sheet)
{
    if (s_installed)
        s_installed->m_waitingSheets.removeIf([sheet](const Waiting& w) { return !w.sheet || w.sheet == sheet; });
}

bool SheetArrival::isWaiting(const QWidget* sheet)
{
    return s_installed && std::any_of(s_installed->m_waitingSheets.cbegin(), s_installed->m_waitingSheets.cend(),
                                      [sheet](const Waiting& w) { return w.sheet == sheet; });
}

void SheetArrival::taking(QWidget* sheet, QWidget* control)
{
    if (!s_installed)
        return;
    givenBack(sheet);
    if (control && control != sheet && !sheet->isAncestorOf(control))
        s_installed->m_taken.append(Taken{sheet, control});
}

void SheetArrival::givenBack(QWidget* sheet)
{
    if (s_installed)
        s_installed->m_taken.removeIf([sheet](const Taken& t) { return !t.sheet || t.sheet == sheet; });
}

bool SheetArrival::keyboardTakenByItself(const QWidget* control)
{
    return s_installed && control
        && std::any_of(s_installed->m_taken.cbegin(), s_installed->m_taken.cend(),
                       [control](const Taken& t) { return t.sheet && t.from == control; });
}

std::chrono::milliseconds SheetArrival::sinceTyping() const
{
    if (m_lastTypedMs < 0)
        return std::chrono::milliseconds::max();
    return std::chrono::milliseconds(m_clock.elapsed() - m_lastTypedMs);
}

void SheetArrival::openRested()
{
    m_waitingSheets.removeIf([](const Waiting& w) { return !w.sheet; });
    if (m_waitingSheets.isEmpty()) {
        m_timer->stop();
        return;
    }
    const std::chrono::milliseconds since = sinceTyping();
    // A composition under way is typing, however long its pause, up to a
    // bound: an input method that never ends it must not hold a sheet for good.
    const bool composing = m_composingIn && m_composingIn == QApplication::focusWidget()
        && since < typingRest * longestComposition;
    if (since < typingRest || composing || QApplication::activePopupWidget()) {
        m_timer->start(since < typingRest ? typingRest - since : typingRest);
        return;
    }
    m_timer->stop();
    const QList<Waiting> rested = std::exchange(m_waitingSheets, {});
    for (const Waiting& w : rested) {
        if (w.sheet)
            w.open();
    }
}

bool SheetArrival::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Keys the program sends itself are no user's; a screen reader's
        // copies of the user's keys still carry the keyboard's scan code.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (event->spontaneous() || key->nativeScanCode() != 0)
            m_lastTypedMs = m_clock.elapsed();
        break;
    }
    case QEvent::InputMethod: {
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->commitString().isEmpty() || !im->preeditString().isEmpty())
            m_lastTypedMs = m_clock.elapsed();
        if (watched->isWidgetType())
            m_composingIn = im->preeditString().isEmpty() ? nullptr : static_cast<QWidget*>(watched);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
