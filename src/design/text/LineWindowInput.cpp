// What the pointer and an input method do in the one-line field: presses,
// drags, double and triple clicks and the context menu, each landing between
// whole characters of the whole text, and the input method's compositions,
// which end wherever the line edit's own would.

#include "design/text/LineWindow.h"

#include "design/text/LineBoundaries.h"
#include "design/text/LineMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QScopedValueRollback>
#include <QStyleHints>

#include <algorithm>

namespace studio {

void LineWindow::endComposition(bool commit)
{
    if (!m_composing)
        return;
    // As a line edit ends it before its caret moves: the input method is
    // asked to commit what it composes (a platform's sends it as text, taken
    // in as any) or, for a new text, to drop it. Not from inside its own
    // event (a refresh the edit brought about): an engine that commits one
    // word as it begins the next would lose the next.
    if (m_edit->hasFocus() && !m_inInputMethod) {
        if (commit)
            QGuiApplication::inputMethod()->commit();
        else
            QGuiApplication::inputMethod()->reset();
    }
    if (!m_composing)
        return;
    m_preedit.clear();
    m_composing = false;
    clearShownComposition();
}

void LineWindow::clearShownComposition()
{
    // Setting a selection or a caret on a line edit that shows a composition
    // asks the input method to commit, and a new text asks it to reset; an
    // input method's event with no text takes the composition away without
    // asking anything. The line edit's selection goes first (the event would
    // take it out as text that is replaced) and comes back after.
    m_showing = true;
    {
        const QSignalBlocker blocker(m_edit);
        const int caret = m_edit->cursorPosition();
        int anchor = caret;
        if (m_edit->hasSelectedText()) {
            anchor = caret == m_edit->selectionStart() ? m_edit->selectionEnd() : m_edit->selectionStart();
            m_edit->deselect();
        }
        QInputMethodEvent none;
        QCoreApplication::sendEvent(m_edit, &none);
        if (anchor != caret)
            m_edit->setSelection(anchor, caret - anchor);
    }
    m_showing = false;
}

bool LineWindow::onComposition(const QPoint& point) const
{
    if (!m_composing)
        return false;
    // Where the line edit shows it, from the caret on.
    const qsizetype at = m_edit->cursorPositionAt(point) - m_edit->cursorPosition();
    return at >= 0 && at <= m_preedit.size();
}

bool LineWindow::mousePress(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    m_pressAt = at;
    // A press on the composition the line edit hands to the input method;
    // anywhere else it ends the composition first.
    if (event->button() == Qt::RightButton || onComposition(at))
        return false;
    endComposition(true);
    if (m_sinceDoubleClick.isValid()) {
        // A press soon after a double click, where it was: a triple click.
        // Soon by the clock, as a line edit has it, and by the events' own
        // times, which a replayed or synthesized press carries.
        const qint64 interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        const quint64 time = event->timestamp();
        const bool soon = m_sinceDoubleClick.elapsed() < interval
                          && (time < m_doubleClickTime || time - m_doubleClickTime < quint64(interval));
        if (soon && (at - m_doubleClickAt).manhattanLength() < QApplication::startDragDistance()) {
            m_buffer.selectAll();
            showBufferChange(false);
            return true;
        }
    }
    if (m_edit->dragEnabled())
        return false;
    m_buffer.moveCursor(positionAt(at), event->modifiers() & Qt::ShiftModifier);
    showBufferChange(false, true);
    return true;
}

bool LineWindow::mouseMove(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton) || m_edit->dragEnabled() || onComposition(at))
        return false;
    endComposition(true);
    // Dragged well below or above the line, the selection reaches to the end
    // or the start, as in a line edit.
    const int threshold = QGuiApplication::styleHints()->mouseQuickSelectionThreshold();
    const bool rtl = m_edit->layoutDirection() == Qt::RightToLeft;
    if (threshold > 0 && at.y() > m_pressAt.y() + threshold)
        rtl ? m_buffer.home(true) : m_buffer.end(true);
    else if (threshold > 0 && at.y() + threshold < m_pressAt.y())
        rtl ? m_buffer.end(true) : m_buffer.home(true);
    else
        m_buffer.moveCursor(positionAt(at), true);
    showBufferChange(false, true);
    return true;
}

bool LineWindow::doubleClick(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    endComposition(true);
    const QPoint at = event->position().toPoint();
    m_buffer.selectWordAt(positionAt(at));
    showBufferChange(false, true);
    m_doubleClickAt = at;
    m_doubleClickTime = event->timestamp();
    m_sinceDoubleClick.start();
    return true;
}

void LineWindow::contextMenu(QContextMenuEvent* event)
{
    QMenu* menu = m_edit->createStandardContextMenu();
    takeOver(menu);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void LineWindow::takeOver(QMenu* menu)
{
    LineMenu::takeOver(menu, m_edit, m_buffer, this, [this] { endComposition(true); }, [this] { showBufferChange(true); });
}

qsizetype LineWindow::positionAt(const QPoint& point) const
{
    // A line edit can find a point past the end of its text (behind a
    // cluster joined into one picture), where the next key would write past
    // the text: the end instead. And it can find one between the halves of a
    // pair, where typing would leave half a character: before the pair.
    const qsizetype at = m_start + std::clamp<qsizetype>(m_edit->cursorPositionAt(point), 0, m_shown.size());
    return LineBoundaries::pairStart(m_buffer.text(), at);
}

bool LineWindow::inputMethod(const QInputMethodEvent* input)
{
    // A read-only line edit turns input methods away.
    if (m_edit->isReadOnly())
        return false;
    // The text an input method puts in and the text it replaces around the
    // caret are taken here, in the whole text, where they may reach beyond
    // the window (the line edit would take them in the window, and pad its
    // text past the end); the line edit shows only the composition, and a
    // selection the input method sets.
    const QString& commit = input->commitString();
    const QString& preedit = input->preeditString();
    // Text that comes in (committed, replacing, or a new composition)
    // replaces the selection, all of it; an event that brings none (an input
    // method's cancel, a selection) changes no text.
    const bool typing =
        !commit.isEmpty() || input->replacementLength() > 0 || (!preedit.isEmpty() && preedit != m_preedit);
    const qsizetype windowStart = m_start;
    // Nothing here asks anything of the input method: the line edit shows
    // the old composition no longer before its caret, its selection or its
    // text move (a line edit would ask the input method to commit it), and
    // is shown the composition this event brings last.
    const QScopedValueRollback handling(m_inInputMethod, true);
    if (m_composing)
        clearShownComposition();
    if (typing && m_buffer.hasSelectedText())
        m_buffer.insert(QString());
    if (!commit.isEmpty() || input->replacementLength() > 0)
        m_buffer.inputMethod(commit, input->replacementStart(), input->replacementLength());
    showBufferChange(true);

    // A selection it sets is in the line edit's text as it knew it, from
    // where the window began then; the line edit takes it where the window
    // begins now, on whole characters.
    QList<QInputMethodEvent::Attribute> attributes;
    bool selects = false;
    for (QInputMethodEvent::Attribute attribute : input->attributes()) {
        if (attribute.type == QInputMethodEvent::Selection) {
            const QString& text = m_buffer.text();
            const qsizetype from = std::clamp<qsizetype>(windowStart + attribute.start, 0, text.size());
            const qsizetype to = std::clamp<qsizetype>(from + attribute.length, 0, text.size());
            qsizetype anchor = LineBoundaries::pairStart(text, from);
            qsizetype caret = anchor;
            if (to > from) {
                caret = LineBoundaries::pairEnd(text, to);
            } else if (to < from) {
                anchor = LineBoundaries::pairEnd(text, from);
                caret = LineBoundaries::pairStart(text, to);
            }
            attribute.start = int(anchor - m_start);
            attribute.length = int(caret - anchor);
            selects = true;
        }
        attributes << attribute;
    }
    m_preedit = preedit;
    m_composing = !m_preedit.isEmpty();
    if (!m_composing && !selects)
        return true;
    m_showing = true;
    // A line edit takes out the text it holds selected as a composition
    // begins there; the selection the field keeps comes with the
    // composition instead.
    if (m_composing && !selects && m_edit->hasSelectedText()) {
        const int caret = m_edit->cursorPosition();
        const int anchor = caret == m_edit->selectionStart() ? m_edit->selectionEnd() : m_edit->selectionStart();
        m_edit->deselect();
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Selection, anchor, caret - anchor);
    }
    QInputMethodEvent shown(m_preedit, attributes);
    QCoreApplication::sendEvent(m_edit, &shown);
    m_showing = false;
    if (selects) {
        // The window stays where the line edit selected: moved, it would
        // give the line edit a new text under its composition.
        const int caret = m_edit->cursorPosition();
        const bool selected = m_edit->hasSelectedText();
        m_buffer.setCursorAndSelection(m_start + caret, selected ? m_start + m_edit->selectionStart() : -1,
                                       selected ? m_start + m_edit->selectionEnd() : -1);
        showBufferChange(false, true);
    }
    return true;
}

} // namespace studio
