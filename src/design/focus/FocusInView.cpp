#include "design/focus/FocusInView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace studio {

namespace {

// The air kept round a control brought into view.
constexpr int margin = 12;

bool comesFromKeyboardOrProgram(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        // A click focuses what the pointer is on; a window or a menu giving
        // the focus back leaves the page where the user left it.
        return false;
    }
}

// Calls `act` with every scrolling page around `control`, innermost first.
template<typename Act>
void forEachPage(QWidget* control, Act act)
{
    QList<QScrollArea*> pages;
    for (QWidget* w = control->parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        auto* page = qobject_cast<QScrollArea*>(w);
        if (page && page->widget() && page->widget()->isAncestorOf(control))
            pages.append(page);
    }
    if (pages.isEmpty())
        return;
    // The layouts first: a control just grown, moved or shown has its place
    // and the pages their scroll ranges only once they have run. A layout
    // that grows asks the one around it in a request of its own, and Qt
    // delivers only the requests posted before each call: one pass for each
    // level between the control and the outermost page (an editor grown by a
    // paste in a card, in a column, in a strip, in a page), as deep as the
    // screens' layouts go. A pass with nothing to deliver costs nothing.
    constexpr int deepestNesting = 16;
    for (int pass = 0; pass < deepestNesting; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (QScrollArea* page : std::as_const(pages))
        act(page);
}

// Where the control's caret is, in its own coordinates: a text input's, or
// the item a control walked by keys has reached (a clip in a lane); invalid
// for a control that tells of none (QWidget's own answer is its middle).
QRect caretOf(QWidget* control)
{
    const QRect caret = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QRect middle = control->QWidget::inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return caret.isValid() && caret != middle ? caret : QRect();
}

// Scrolls `page` as little as it takes to show `part` of `control` (in the
// control's coordinates), with some air round it where the page has room.
void show(QScrollArea* page, QWidget* control, const QRect& part)
{
    const QRect r(control->mapTo(page->widget(), part.topLeft()), part.size());
    const QSize room = page->viewport()->size();
    const int xAir = std::clamp((room.width() - r.width()) / 2, 0, margin);
    const int yAir = std::clamp((room.height() - r.height()) / 2, 0, margin);
    page->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + xAir, r.height() / 2 + yAir);

}

} // namespace

void FocusInView::install(QApplication& app)
{
    static QPointer<FocusInView> installed;
    if (installed)
        return;
    installed = new FocusInView(&app);
    app.installEventFilter(installed);
}

void FocusInView::reveal(QWidget* control)
{
    forEachPage(control, [control](QScrollArea* page) {
        const QSize room = page->viewport()->size();
        const QRect whole = control->rect();
        if (whole.width() <= room.width() && whole.height() <= room.height()) {
            show(page, control, whole);
        } else {
            // A control larger than the page (a long editor, a page of its
            // own) stays where it is while some of it shows; else its start
            // comes into view.
            const QRect shown(page->widget()->mapFrom(page->viewport(), QPoint(0, 0)), room);
            const QRect placed(control->mapTo(page->widget(), QPoint(0, 0)), control->size());
            if (!shown.intersects(placed))
                show(page, control, QRect(QPoint(0, 0), whole.size().boundedTo(room)));
        }
        if (const QRect caret = caretOf(control); caret.isValid())
            show(page, control, caret);
    });
}

void FocusInView::revealCaret(QWidget* editor)
{
    forEachPage(editor, [editor](QScrollArea* page) {
        if (const QRect caret = caretOf(editor); caret.isValid())
            show(page, editor, caret);
    });
}

void FocusInView::followMoved(QWidget* moved, const QPoint& shift)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || m_following || (moved != focus && !moved->isAncestorOf(focus)))
        return;
    // A page scrolling moves its content: that is the user's (or the
    // program's) scrolling, not the control moving on the page.
    const bool scrolled = [moved] {
        QWidget* viewport = moved->parentWidget();
        auto* page = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
        return page && page->widget() == moved;
    }();
    if (scrolled)
        return;
    bool left = false;
    for (QWidget* w = focus->parentWidget(); w && !left; w = w->isWindow() ? nullptr : w->parentWidget()) {
        auto* page = qobject_cast<QScrollArea*>(w);
        QWidget* content = page ? page->widget() : nullptr;
        if (!content || (moved != content && !content->isAncestorOf(moved)) || moved == content)
            continue;
        const QRect shown(-content->pos(), page->viewport()->size());
        const QRect now(focus->mapTo(content, QPoint(0, 0)), focus->size());
        left = shown.contains(now.translated(-shift)) && !shown.contains(now);
    }
    if (!left)
        return;
    // Once the layouts that move it have run.
    m_following = true;
    QMetaObject::invokeMethod(
        this,
        [this, control = QPointer<QWidget>(focus)] {
            m_following = false;
            if (control && control->hasFocus())
                reveal(control);
        },
        Qt::QueuedConnection);
}

bool FocusInView::eventFilter(QObject* watched, QEvent* event)
{
    // Controls added before the focused one (a beat above "Add beat", shots
    // before the tile that made them) push it down: a control that was in
    // view stays in view, its ring whole.
    if (event->type() == QEvent::Move && watched->isWidgetType()) {
        auto* move = static_cast<QMoveEvent*>(event);
        followMoved(static_cast<QWidget*>(watched), move->pos() - move->oldPos());
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn && watched->isWidgetType()
        && comesFromKeyboardOrProgram(static_cast<QFocusEvent*>(event)->reason())) {
        QPointer<QWidget> control = static_cast<QWidget*>(watched);
        reveal(control);
        // A control just built or shown may be placed by layouts that have
        // not run yet: look again once they have.
        QMetaObject::invokeMethod(
            this,
            [control] {
                if (control && control->hasFocus())
                    reveal(control);
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
