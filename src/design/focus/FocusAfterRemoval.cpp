#include "design/focus/FocusAfterRemoval.h"

#include "design/focus/FocusHandOver.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace studio {

namespace {

constexpr char removerProperty[] = "studioRemovesItem";

bool isField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w)
        || qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// A stop Tab reaches inside `item` (the widgets that hand their focus to
// another are passed over: the control they hand it to is the stop).
bool isStopOf(const QWidget* w, const QWidget* item)
{
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() && w->isVisibleTo(item);
}

} // namespace

void FocusAfterRemoval::markRemover(QWidget* control)
{
    control->setProperty(removerProperty, true);
}

bool FocusAfterRemoval::isRemover(const QWidget* control)
{
    return control && control->property(removerProperty).toBool();
}

QWidget* FocusAfterRemoval::safeStop(QWidget* item)
{
    if (!item || !item->isEnabled())
        return nullptr;
    if ((item->focusPolicy() & Qt::TabFocus) && !isRemover(item))
        return item->focusProxy() ? item->focusProxy() : item;
    // The item's stops in the order Tab takes them: the window's chain
    // walked from its start (a list chains its items' stops where they read,
    // not where they were made).
    QWidget* firstControl = nullptr;
    const QWidget* window = item->window();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!item->isAncestorOf(w) || !isStopOf(w, item) || isRemover(w))
            continue;
        if (isField(w))
            return w;
        if (!firstControl)
            firstControl = w;
    }
    return firstControl;
}

bool FocusAfterRemoval::beforeRemoval(const QList<QWidget*>& items, const QList<bool>& leaves, const QWidget* actor,
                                      qsizetype actedOn)
{
    const qsizetype n = std::min(items.size(), leaves.size());
    qsizetype held = -1;
    const QWidget* from = nullptr;
    for (qsizetype i = 0; i < n && held < 0; ++i) {
        if (leaves[i] && items[i] && keyboardWithin(items[i])) {
            held = i;
            from = items[i];
        }
    }
    if (held < 0 && actor && actedOn >= 0 && actedOn < n && leaves[actedOn] && items[actedOn]
        && keyboardWithin(actor)) {
        held = actedOn;
        from = actor;
    }
    if (held < 0)
        return false;
    QWidget* next = nullptr;
    for (qsizetype i = held + 1; i < n && !next; ++i)
        next = leaves[i] ? nullptr : items[i];
    for (qsizetype i = held - 1; i >= 0 && !next; --i)
        next = leaves[i] ? nullptr : items[i];
    moveTo(from, next, items[held]);
    return true;
}

void FocusAfterRemoval::moveTo(const QWidget* from, QWidget* item, QWidget* place)
{
    if (QWidget* stop = safeStop(item))
        handOverFocus(from, stop);
    else
        restFocusAt(from, place);
}

} // namespace studio
