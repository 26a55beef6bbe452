#include "design/widgets/SheetDialog.h"

#include "design/focus/FocusHandOver.h"
#include "design/focus/SheetArrival.h"
#include "design/style/Palette.h"
#include "design/widgets/SheetLayer.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace studio {

namespace {
constexpr qreal sheetRadius = 14.0;

// The part of the widget its window shows (not scrolled away), in the
// window's coordinates.
QRect shownPart(const QWidget* widget, const QWidget* window)
{
    QRect part(widget->mapTo(window, QPoint(0, 0)), widget->size());
    for (const QWidget* outer = widget->parentWidget(); outer && outer != window; outer = outer->parentWidget())
        part &= QRect(outer->mapTo(window, QPoint(0, 0)), outer->size());
    return part;
}

// Read as a dialog, modal, named by the sheet's title.
class SheetAccessible : public QAccessibleWidget {
public:
    explicit SheetAccessible(SheetDialog* sheet)
        : QAccessibleWidget(sheet, QAccessible::Dialog)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const SheetDialog*>(widget())->spokenTitle();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = true;
        return s;
    }
};

} // namespace

SheetDialog::SheetDialog(QWidget* presenter, QSize size)
    // Built apart, as a window of its own that never shows: while its content
    // is made, the keyboard its controls are given stays inside it. present()
    // puts it onto its window's layer.
    : QWidget(presenter, Qt::Window | Qt::FramelessWindowHint)
    , m_content(new QVBoxLayout(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    resize(size);
    m_content->setContentsMargins(0, 0, 0, 0);
    m_content->setSpacing(0);
    setPresenter(presenter);
}

void SheetDialog::setPresenter(QWidget* presenter)
{
    if (m_presenter) {
        disconnect(m_presenter, &QObject::destroyed, this, nullptr);
        m_presenter->removeEventFilter(this);
    }
    m_presenter = presenter;
    // On its window's layer it is no longer the presenter's child: a sheet
    // that deletes itself goes with its presenter all the same, another
    // closes.
    if (presenter) {
        presenter->installEventFilter(this);
        connect(presenter, &QObject::destroyed, this, [this] {
            if (testAttribute(Qt::WA_DeleteOnClose))
                delete this;
            else
                reject();
        });
    }
}

SheetDialog::~SheetDialog()
{
    // Gone with its presenter or its window: the keyboard goes back only to
    // a control that is still there, never to the rest of a window that may be
    // going too.
    leave(false);
}

QString SheetDialog::spokenTitle() const
{
    return accessibleName().isEmpty() ? windowTitle() : accessibleName();
}

void SheetDialog::markOpensByItself()
{
    SheetArrival::mark(this);
}

void SheetDialog::present()
{
    if (m_state != State::closed)
        return;
    m_result = Rejected;
    m_state = State::waiting;
    if (SheetArrival::isMarked(this))
        SheetArrival::whenKeyboardRests(this, [this] { showOnLayer(); });
    else
        showOnLayer();
}

void SheetDialog::showOnLayer()
{
    if (m_state != State::waiting)
        return;
    QWidget* window = m_presenter ? m_presenter->window() : m_layer ? m_layer->parentWidget() : nullptr;
    m_state = State::shown;
    if (!window || window == this) {
        // Nothing presents it: it stands alone.
        show();
        return;
    }
    SheetLayer* layer = SheetLayer::of(window);
    // The control the content gave the keyboard to as it was built (a window
    // of its own remembers it; the move onto the layer forgets it).
    QWidget* first = m_startOnItself ? this : focusWidget();
    if (first && first != this && !isAncestorOf(first))
        first = nullptr;
    const QPointer<QWidget> start = first;
    m_returnTo = window->focusWidget();
    if (SheetArrival::isMarked(this))
        SheetArrival::taking(this, m_returnTo);
    if (parentWidget() != layer)
        setParent(layer);
    m_layer = layer;
    // As asked for the first time: the window may have given it less since.
    if (!m_wanted.isValid())
        m_wanted = size();
    layer->add(this);
    place();
    show();
    raise();
    // Taken as a window taking the keyboard takes it: the control that had
    // it keeps its selection and composition, as it would for another window.
    takeKeyboard(Qt::ActiveWindowFocusReason, start);
}

void SheetDialog::takeKeyboard(Qt::FocusReason reason, QWidget* start)
{
    QWidget* to = nullptr;
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        to = edgeStop(reason == Qt::TabFocusReason);
    if (!to && start && start->isVisible() && start->isEnabled())
        to = start;
    if (!to) {
        QWidget* last = focusWidget();
        to = last && (last == this || isAncestorOf(last)) && last->isVisible() && last->isEnabled() ? last : this;
    }
    to->setFocus(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ? reason : Qt::ActiveWindowFocusReason);
}

void SheetDialog::place()
{
    if (!m_layer || parentWidget() != m_layer)
        return;
    QWidget* window = m_layer->parentWidget();
    const QRect frame = m_layer->rect();
    QRect room = frame;
    if (m_presenter && m_presenter->isVisible() && m_presenter->window() == window) {
        const QRect view = shownPart(m_presenter, window) & frame;
        if (!view.isEmpty())
            room = view;
    }
    // In a window narrower or lower than the sheet asks for (a small screen
    // at a large scale), it takes what the window gives: its content lays
    // out in less, and a long one scrolls.
    const int wide = m_wanted.width() > frame.width() ? std::max(frame.width(), minimumWidth()) : m_wanted.width();
    const int height = m_wanted.height() > room.height() ? std::max(room.height(), minimumHeight()) : m_wanted.height();
    resize(wide, height);
    const QPoint centred = frame.center() - QPoint(width() / 2, this->height() / 2);
    const int top = std::clamp(centred.y(), room.top(), std::max(room.top(), room.bottom() + 1 - this->height()));
    move(std::max(frame.left(), centred.x()), top);
}

void SheetDialog::leave(bool orElsewhere)
{
    const bool wasShown = m_state == State::shown;
    m_state = State::closed;
    SheetArrival::cancel(this);
    const bool onLayer = m_layer && parentWidget() == m_layer;
    // The sheet left standing on top, if any, has the keyboard next.
    SheetDialog* under = nullptr;
    if (onLayer) {
        under = m_layer->top() != this ? m_layer->top() : m_layer->below(this);
        m_layer->remove(this);
    }
    if (wasShown && onLayer) {
        // Back where the keyboard was, before the sheet hides (hidden with
        // the keyboard, it would pass it on to whatever comes next): to the
        // control that had it, in the sheet now on top or in the window.
        QWidget* focus = window()->focusWidget();
        if (!focus || focus == this || isAncestorOf(focus)) {
            QWidget* back = m_returnTo;
            if (back && under && back != under && !under->isAncestorOf(back))
                back = nullptr;
            if (back && !under && m_layer->isAncestorOf(back))
                back = nullptr;
            if (!returnKeyboardTo(back, Qt::ActiveWindowFocusReason) && orElsewhere) {
                if (under)
                    under->takeKeyboard(Qt::ActiveWindowFocusReason);
                else if (m_presenter && m_presenter->isVisible())
                    m_presenter->setFocus(Qt::ActiveWindowFocusReason);
                else
                    m_layer->parentWidget()->setFocus(Qt::ActiveWindowFocusReason);
            }
        }
    }
    SheetArrival::givenBack(this);
    if (wasShown)
        hide();
    if (onLayer)
        m_layer->hideWhenEmpty();
}

void SheetDialog::done(int result)
{
    if (m_state == State::closed)
        return;
    m_result = result;
    leave();
    const QPointer<SheetDialog> self(this);
    if (result == Accepted)
        Q_EMIT accepted();
    else if (result == Rejected)
        Q_EMIT rejected();
    if (self)
        Q_EMIT finished(result);
    if (self && testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

bool SheetDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_presenter && m_state == State::shown
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        place();
    return QWidget::eventFilter(watched, event);
}

void SheetDialog::closeEvent(QCloseEvent* event)
{
    if (m_state != State::closed)
        reject();
    event->accept();
}

QWidget* SheetDialog::edgeStop(bool first) const
{
    QWidget* found = nullptr;
    const QWidget* self = this;
    for (QWidget* w = self->nextInFocusChain(); w && w != self; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible()
            && w->isEnabled()) {
            found = w;
            if (first)
                break;
        }
    }
    return found;
}

bool SheetDialog::focusNextPrevChild(bool next)
{
    // Round the sheet's own controls, never out of it.
    QWidget* from = QApplication::focusWidget();
    if (!from || (from != this && !isAncestorOf(from)))
        from = this;
    const auto step = [next](QWidget* w) { return next ? w->nextInFocusChain() : w->previousInFocusChain(); };
    for (QWidget* w = step(from); w && w != from; w = step(w)) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible()
            && w->isEnabled()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void SheetDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    QWidget::keyPressEvent(event);
}

QAccessibleInterface* SheetDialog::accessibleFor(QObject* object)
{
    return object == this ? new SheetAccessible(this) : nullptr;
}

void SheetDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(Palette::hairlineStrong(), 1.0));
    p.setBrush(Palette::bgRaised());
    p.drawRoundedRect(r, sheetRadius, sheetRadius);
}

} // namespace studio
