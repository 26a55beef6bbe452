#include "design/focus/FocusHandOver.h"

#include "design/focus/TabOrder.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace studio {

namespace {

// The keys that press a control: nothing may be pressed where the keyboard
// is only kept or resting.
bool pressesAControl(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    default:
        return false;
    }
}

// Where the keyboard may rest: a shown container that is no control (and
// hands its focus to none), or the window.
bool canRest(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && (w->isWindow() || (w->focusPolicy() == Qt::NoFocus && !w->focusProxy()));
}

bool isNamed(QWidget* w)
{
    const QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface && !iface->text(QAccessible::Name).isEmpty();
}

// Where the keyboard rests when `control` is hidden with it: the nearest
// container around it where it may rest that a reader hears by a name (the
// screen, a pane), else the nearest where it may rest at all.
QWidget* restFor(const QWidget* control)
{
    QWidget* nearest = nullptr;
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget()) {
        if (canRest(w)) {
            if (isNamed(w))
                return w;
            if (!nearest)
                nearest = w;
        }
        if (w->isWindow())
            break;
    }
    return nearest;
}

// The first and the last widget taking the focus at or inside `control`, in
// the window's Tab order (a row made after the controls around it is chained
// among them, while its own place in the order is where it was made);
// `control` itself when none does.
std::pair<QWidget*, QWidget*> stopsWithin(QWidget* control)
{
    QWidget* first = nullptr;
    QWidget* last = nullptr;
    const QWidget* window = control->window();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus && (w == control || control->isAncestorOf(w))) {
            if (!first)
                first = w;
            last = w;
        }
    }
    return first ? std::pair(first, last) : std::pair(control, control);
}

QPointer<FocusHandOver> s_installed;

} // namespace

bool keyboardWithin(const QWidget* from, bool orNowhere)
{
    if (!from)
        return false;
    const QWidget* focus = from->window()->focusWidget();
    if (!focus)
        return orNowhere;
    const auto inside = [from](const QWidget* w) { return w && (w == from || from->isAncestorOf(w)); };
    // Resting where a control hidden with it left it, the keyboard is still
    // that control's, wherever it stood (it may have been taken out since).
    if (s_installed && s_installed->isResting(focus))
        return inside(s_installed->hiddenHolder()) || inside(s_installed->hiddenHolderParent());
    return inside(focus);
}

void handOverFocus(const QWidget* from, QWidget* to, bool orNowhere)
{
    if (to && keyboardWithin(from, orNowhere))
        to->setFocus(Qt::OtherFocusReason);
}

void restFocusAt(const QWidget* from, QWidget* place)
{
    if (s_installed && place && keyboardWithin(from))
        s_installed->rest(place);
}

bool returnKeyboardTo(QWidget* control, Qt::FocusReason reason)
{
    if (!control)
        return false;
    if (control->isVisible() && control->isEnabled()) {
        control->setFocus(reason);
        return true;
    }
    if (!s_installed)
        return false;
    if (control->isVisible()) {
        s_installed->keep(control, reason);
        return true;
    }
    // Hidden meanwhile: resting where it would have left the keyboard, had
    // it held it as it went.
    QWidget* before = control->window()->focusWidget();
    s_installed->rest(control);
    return control->window()->focusWidget() != before;
}

void FocusHandOver::install(QApplication& app)
{
    if (s_installed)
        return;
    s_installed = new FocusHandOver(&app);
    app.installEventFilter(s_installed);
}

bool FocusHandOver::isResting(const QWidget* focus) const
{
    return focus && focus == m_rest;
}

const QWidget* FocusHandOver::hiddenHolder() const
{
    return m_hiddenHolder;
}

const QWidget* FocusHandOver::hiddenHolderParent() const
{
    return m_hiddenHolderParent;
}

void FocusHandOver::moveTo(QWidget* widget, Qt::FocusReason reason)
{
    // Qt gives no focus to a disabled widget; the kept control is let take
    // it for the moment of the call.
    const bool disabled = !widget->isEnabled();
    m_moving = true;
    widget->setAttribute(Qt::WA_Disabled, false);
    widget->setFocus(reason);
    widget->setAttribute(Qt::WA_Disabled, disabled);
    m_moving = false;
    // Readers hear `widget` as it takes the focus here; Qt's word for the
    // control it meant to pass the focus to, told after, is dropped by the
    // focus watch (AccessibleFocus), which lets through only what holds the
    // keyboard.
}

void FocusHandOver::focusLost(QWidget* control, Qt::FocusReason reason)
{
    // Another window or a menu in front: the window keeps where its keyboard
    // was.
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::OtherFocusReason)
        return;
    // The user or the program moved the keyboard on from where it was kept
    // or resting.
    const bool wasKept = control == m_kept;
    if (wasKept)
        m_kept = nullptr;
    const bool wasResting = control == m_rest;
    if (wasResting)
        m_rest = nullptr;
    // Qt passes the focus on as Tab would when its control hides or is
    // disabled, and clears it when a container around the control is
    // disabled. A place of rest that hides rests the keyboard further out,
    // still for the control that left it there.
    if (!control->isVisible()) {
        if (!wasResting) {
            rest(control);
        } else if (QWidget* further = restFor(control)) {
            moveTo(further);
            m_rest = further;
        }
    } else if (!control->isEnabled() && !wasKept) {
        keep(control, Qt::OtherFocusReason);
    }
    if (wasResting && !m_rest) {
        m_hiddenHolder = nullptr;
        m_hiddenHolderParent = nullptr;
        m_stopAfterHidden = nullptr;
        m_stopBeforeHidden = nullptr;
    }
}

void FocusHandOver::keep(QWidget* control, Qt::FocusReason reason)
{
    moveTo(control, reason);
    m_kept = control;
}

void FocusHandOver::rest(QWidget* control)
{
    QWidget* at = restFor(control);
    if (!at)
        return;
    // The neighbours in the Tab order of the control and of the stops in
    // it, for when it is deleted (a list's row is, once hidden).
    const auto [first, last] = stopsWithin(control);
    m_stopAfterHidden = TabOrder::nextStop(last, true, control);
    m_stopBeforeHidden = TabOrder::nextStop(first, false, control);
    moveTo(at);
    m_rest = at;
    m_hiddenHolder = control;
    m_hiddenHolderParent = control->parentWidget();
}

QWidget* FocusHandOver::stopFromRest(bool forward) const
{
    // The neighbours the control had when it went: the controls around may
    // have been put in order since without it (a list's rows are).
    if (QWidget* near = forward ? m_stopAfterHidden : m_stopBeforeHidden) {
        if (near->isVisible() && near->isEnabled() && (near->focusPolicy() & Qt::TabFocus))
            return near;
        return TabOrder::nextStop(near, forward);
    }
    if (!m_hiddenHolder)
        return nullptr;
    const auto [first, last] = stopsWithin(m_hiddenHolder);
    return TabOrder::nextStop(forward ? last : first, forward, m_hiddenHolder);
}

bool FocusHandOver::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        if (!m_moving && watched->isWidgetType() && watched != QApplication::focusWidget())
            focusLost(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)->reason());
        break;
    case QEvent::EnabledChange:
        if (watched == m_kept && m_kept->isEnabled())
            m_kept = nullptr;
        break;
    case QEvent::Show:
        if (watched == m_hiddenHolder && m_rest && m_rest->hasFocus()) {
            // Back where the keyboard was, once the control has its place.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QWidget* back = m_hiddenHolder;
                    if (back && m_rest && m_rest->hasFocus() && back->isVisible() && back->isEnabled())
                        back->setFocus(Qt::OtherFocusReason);
                },
                Qt::QueuedConnection);
        }
        break;
    case QEvent::WindowActivate:
        // Qt gives a window coming back to the front the focus of the control
        // that had it, unless that control is disabled.
        if (m_kept && watched == m_kept->window() && m_kept->window()->focusWidget() == m_kept
            && !m_kept->hasFocus() && m_kept->isVisible())
            moveTo(m_kept);
        break;
    case QEvent::KeyPress: {
        QWidget* focus = QApplication::focusWidget();
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool holding = focus && (focus == m_rest || (focus == m_kept && !focus->isEnabled()));
        if (holding && watched == focus && pressesAControl(*key))
            return true;
        // Resting in a container around where the control stood, Tab goes on
        // from where it stood.
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && watched == focus && focus == m_rest
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            if (QWidget* next = stopFromRest(forward)) {
                next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
