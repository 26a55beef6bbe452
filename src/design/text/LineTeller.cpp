#include "design/text/LineTeller.h"

#include <QAccessible>
#include <QLineEdit>

#include <algorithm>

namespace studio {

bool LineTeller::s_telling = false;

LineTeller::LineTeller(QLineEdit* edit, qsizetype most)
    : m_edit(edit)
    , m_most(most)
{
}

void LineTeller::tell(const LineBuffer& buffer, const std::optional<LineBuffer::Change>& change, const QString& removed)
{
    const qsizetype caret = buffer.cursor();
    const qsizetype selectionStart = buffer.selectionStart();
    const qsizetype selectionEnd = buffer.selectionEnd();
    const bool selectionMoved = selectionStart != m_toldSelectionStart || selectionEnd != m_toldSelectionEnd;
    const bool caretMoved = caret != m_toldCaret;
    m_toldCaret = caret;
    m_toldSelectionStart = selectionStart;
    m_toldSelectionEnd = selectionEnd;
    if (!QAccessible::isActive())
        return;
    struct Telling {
        Telling() { s_telling = true; }
        ~Telling() { s_telling = false; }
    } telling;
    if (change && (change->removed > 0 || change->inserted > 0)) {
        // What a reader is told of a change as long as the window at most (a
        // new text of a megabyte given whole would cost its length at every
        // refresh): where it is, and how it begins.
        const QString inserted = buffer.text().mid(change->from, std::min(change->inserted, m_most));
        const QString removedStart = removed.left(m_most);
        const int from = int(change->from);
        if (change->removed == 0) {
            QAccessibleTextInsertEvent event(m_edit, from, inserted);
            event.setCursorPosition(int(caret));
            QAccessible::updateAccessibility(&event);
        } else if (change->inserted == 0) {
            QAccessibleTextRemoveEvent event(m_edit, from, removedStart);
            event.setCursorPosition(int(caret));
            QAccessible::updateAccessibility(&event);
        } else {
            QAccessibleTextUpdateEvent event(m_edit, from, removedStart, inserted);
            event.setCursorPosition(int(caret));
            QAccessible::updateAccessibility(&event);
        }
    }
    // As a line edit tells it: the selection with the caret, or the caret
    // alone.
    if (selectionMoved) {
        QAccessibleTextSelectionEvent event(m_edit, int(selectionStart), int(selectionEnd));
        event.setCursorPosition(int(caret));
        QAccessible::updateAccessibility(&event);
    }
    if (caretMoved && selectionStart < 0) {
        QAccessibleTextCursorEvent event(m_edit, int(caret));
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace studio
