#include "design/focus/FocusOnAdded.h"

#include "design/focus/FocusAfterRemoval.h"
#include "design/focus/FocusInView.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace studio {

namespace {

bool isTextField(const QWidget* w)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return false;
}

// A stop Tab reaches inside `record` (a widget that hands its focus to
// another is passed over: the control it hands it to is the stop).
bool isStopOf(const QWidget* w, const QWidget* record)
{
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() && w->isVisibleTo(record);
}

// Readies the field's text for what is typed next. A multi-line editor
// given its text anew has its caret at the start, and a one-line field
// nobody was in shows the start of its text.
void ready(QWidget* field, FocusOnAdded::Typing typing)
{
    const bool replaces = typing == FocusOnAdded::Typing::replaces;
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        if (replaces)
            line->selectAll();
        else
            line->end(false);
    } else if (auto* text = qobject_cast<QTextEdit*>(field)) {
        if (replaces)
            text->selectAll();
        else
            text->moveCursor(QTextCursor::End);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        if (replaces)
            plain->selectAll();
        else
            plain->moveCursor(QTextCursor::End);
    }
}

} // namespace

QWidget* FocusOnAdded::entryOf(QWidget* record)
{
    if (!record || !record->isEnabled() || !record->isVisible())
        return nullptr;
    if (isTextField(record) && isStopOf(record, record))
        return record;
    // The record's stops in the order Tab takes them: the window's chain
    // walked from its start (a list chains its rows' stops where they read,
    // not where they were made).
    QWidget* firstControl = nullptr;
    const QWidget* window = record->window();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!record->isAncestorOf(w) || !isStopOf(w, record) || FocusAfterRemoval::isRemover(w))
            continue;
        if (isTextField(w))
            return w;
        if (!firstControl)
            firstControl = w;
    }
    if ((record->focusPolicy() & Qt::TabFocus) && !FocusAfterRemoval::isRemover(record))
        return record->focusProxy() ? record->focusProxy() : record;
    return firstControl;
}

bool FocusOnAdded::give(QWidget* record, Typing typing)
{
    QWidget* entry = entryOf(record);
    if (!entry)
        return false;
    entry->setFocus(Qt::OtherFocusReason);
    ready(entry, typing);
    // FocusInView follows the focus coming in; the control may have held it
    // already, or its window may be inactive (the focus comes in later).
    FocusInView::reveal(entry);
    return entry->window()->focusWidget() == entry;
}

} // namespace studio
