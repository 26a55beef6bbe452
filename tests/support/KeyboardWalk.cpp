#include "support/KeyboardWalk.h"

#include "support/FocusPictures.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio::test {

namespace {

constexpr char arrowGroup[] = "studioArrowGroup";

// Moves the focus on from an editor that keeps Tab, as Ctrl+Tab would.
void passOver(QWidget* editor)
{
    for (QWidget* next = editor->nextInFocusChain(); next && next != editor; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()
            && next->window() == editor->window()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// The part of the control that must show: all of it, or where its caret is
// when it is larger than a page it scrolls in (a long editor), or else its
// start.
QRect partToShow(QWidget* control)
{
    QRect part = control->rect();
    for (QWidget* w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        auto* page = qobject_cast<QScrollArea*>(w);
        if (!page)
            continue;
        const QSize room = page->viewport()->size();
        if (part.width() <= room.width() && part.height() <= room.height())
            continue;
        // Where its caret is, or the item it has reached, when it tells.
        const QRect caret = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QRect middle = control->QWidget::inputMethodQuery(Qt::ImCursorRectangle).toRect();
        if (caret.isValid() && caret != middle)
            part = caret.intersected(control->rect());
        else
            part = QRect(part.topLeft(), part.size().boundedTo(room));
    }
    return part;
}

bool shown(QWidget* control)
{
    QRect r = partToShow(control);
    if (r.isEmpty())
        return false;
    // A pixel of slack for rounding at fractional scales.
    for (QWidget* w = control; w; w = w->parentWidget()) {
        if (w->isWindow())
            return w->rect().adjusted(-1, -1, 1, 1).contains(r);
        r.translate(w->pos());
        if (!w->parentWidget()->rect().adjusted(-1, -1, 1, 1).contains(r))
            return false;
    }
    return true;
}

QWidget* finalProxy(QWidget* w)
{
    while (w && w->focusProxy())
        w = w->focusProxy();
    return w;
}

// The program's widgets that act on clicks without being buttons: chips,
// rows and pages that paint what the pointer picks.
bool takesClicksItself(const QWidget* w)
{
    static const QStringList classes = {
        u"studio::TabStripChip"_s, u"studio::ShotRow"_s,   u"studio::TimelineLanes"_s,
        u"studio::ScriptPage"_s,   u"studio::SceneRow"_s,  u"studio::ShotGrid"_s,
    };
    return classes.contains(QString::fromLatin1(w->metaObject()->className()));
}

// Whether `w` is `window` or inside it (a window, or a sheet in one).
bool within(const QWidget* window, const QWidget* w)
{
    return w && (w == window || window->isAncestorOf(w));
}

bool isClickable(QWidget* w)
{
    if (qobject_cast<QScrollArea*>(w) || qobject_cast<QScrollBar*>(w))
        return false;
    if (qobject_cast<QAbstractButton*>(w) || takesClicksItself(w))
        return true;
    // Takes the focus from a click: a field, a slider, a card or a row.
    return (w->focusPolicy() & Qt::ClickFocus) != 0;
}

} // namespace

QString describe(const QWidget* w)
{
    QString name = w->accessibleName();
    if (name.isEmpty())
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            name = button->text();
    QString where;
    if (const QWidget* parent = w->parentWidget())
        where = QString::fromLatin1(parent->metaObject()->className());
    return QStringLiteral("%1%2 \"%3\" in %4")
        .arg(QString::fromLatin1(w->metaObject()->className()),
             w->objectName().isEmpty() ? QString() : QLatin1Char('#') + w->objectName(), name, where);
}

KeyboardWalk walkWithTab(QWidget* window)
{
    KeyboardWalk walk;
    if (QWidget* focus = QApplication::focusWidget(); within(window, focus))
        focus->clearFocus();
    QTest::keyClick(window, Qt::Key_Tab);
    for (int i = 0; i < 2000; ++i) {
        // The page catches up with the focus once the layouts have run.
        QCoreApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        if (!within(window, focus) || (!walk.stops.isEmpty() && focus == walk.stops.first()))
            break;
        walk.stops.append(focus);
        if (!shown(focus))
            walk.outOfView.append(describe(focus));
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == focus)
            passOver(focus); // an editor that takes Tab as text
    }
    return walk;
}

QStringList unreachedControls(QWidget* window, const KeyboardWalk& walk)
{
    QList<QWidget*> reached;
    QList<QWidget*> groups;
    for (const QPointer<QWidget>& stop : walk.stops) {
        if (!stop)
            continue;
        reached.append(stop);
        if (stop->property(arrowGroup).toBool())
            groups.append(stop);
    }
    QStringList unreached;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!within(window, w) || !w->isVisible() || !w->isEnabled() || w->size().isEmpty()
            || w->testAttribute(Qt::WA_TransparentForMouseEvents) || !isClickable(w))
            continue;
        if (reached.contains(w) || reached.contains(finalProxy(w)))
            continue;
        // A row or page whose clicks land on controls of its own is reached
        // through them.
        if (takesClicksItself(w)
            && std::any_of(reached.begin(), reached.end(), [w](QWidget* stop) { return w->isAncestorOf(stop); }))
            continue;
        if (std::any_of(groups.begin(), groups.end(), [w](QWidget* g) { return g->isAncestorOf(w); }))
            continue;
        unreached.append(describe(w));
    }
    return unreached;
}

QStringList unnamedStops(const KeyboardWalk& walk)
{
    QStringList unnamed;
    for (const QPointer<QWidget>& stop : walk.stops) {
        if (!stop)
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(stop);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(describe(stop));
    }
    return unnamed;
}

QStringList stopsShowingNoRing(const KeyboardWalk& walk)
{
    QStringList silent;
    for (const QPointer<QWidget>& stop : walk.stops) {
        if (!stop)
            continue;
        const FocusPictures pictures = focusPictures(stop);
        if (!showsRing(pictures.unfocused, pictures.focused))
            silent.append(describe(stop));
    }
    return silent;
}

} // namespace studio::test
