#include "design/text/LineBuffer.h"

#include "design/text/LineBoundaries.h"

#include <algorithm>

namespace studio {

namespace {

QString reversed(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    std::reverse_copy(text.begin(), text.end(), out.begin());
    return out;
}

} // namespace

QString LineBuffer::selectedText() const
{
    return hasSelectedText() ? m_text.mid(m_selStart, m_selEnd - m_selStart) : QString();
}

qsizetype LineBuffer::anchor() const
{
    if (!hasSelectedText())
        return m_cursor;
    if (m_cursor == m_selStart)
        return m_selEnd;
    if (m_cursor == m_selEnd)
        return m_selStart;
    return m_cursor;
}

Qt::LayoutDirection LineBuffer::layoutDirection() const
{
    if (m_direction == Qt::LayoutDirectionAuto && !m_text.isEmpty())
        return m_text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    return m_direction;
}

void LineBuffer::reset(const QString& text, qsizetype anchor, qsizetype position)
{
    flush();
    if (!m_changed) {
        m_changed = true;
        m_sizeBefore = m_text.size();
    }
    m_keptStart = m_keptEnd = 0;
    m_text = text;
    m_history.clear();
    m_undoState = 0;
    m_separator = false;
    anchor = std::clamp<qsizetype>(anchor, 0, text.size());
    position = std::clamp<qsizetype>(position, 0, text.size());
    m_cursor = position;
    m_selStart = std::min(anchor, position);
    m_selEnd = std::max(anchor, position);
}

void LineBuffer::insert(const QString& text)
{
    removeSelectedText();
    internalInsert(LineBoundaries::wholeCharacters(text));
}

void LineBuffer::backspace()
{
    if (hasSelectedText()) {
        removeSelectedText();
    } else if (m_cursor > 0) {
        --m_cursor;
        // Both halves of a pair go at once.
        if (m_cursor > 0 && m_text.at(m_cursor).isLowSurrogate() && m_text.at(m_cursor - 1).isHighSurrogate()) {
            internalDelete(true);
            --m_cursor;
        }
        internalDelete(true);
    }
}

void LineBuffer::del()
{
    if (hasSelectedText()) {
        removeSelectedText();
        return;
    }
    // The whole character after the caret, with its marks.
    qsizetype count = LineBoundaries::nextCharacter(m_text, m_cursor) - m_cursor;
    while (count-- > 0)
        internalDelete(false);
}

void LineBuffer::removeSelection()
{
    if (!hasSelectedText())
        return;
    removeSelectedText();
    separate();
}

void LineBuffer::paste(const QString& clip)
{
    if (clip.isEmpty() && !hasSelectedText())
        return;
    separate();
    insert(LineBoundaries::oneLine(clip));
    separate();
}

void LineBuffer::moveCursor(qsizetype position, bool mark)
{
    if (position != m_cursor)
        separate();
    if (mark) {
        qsizetype anchor = m_cursor;
        if (m_selEnd > m_selStart && m_cursor == m_selStart)
            anchor = m_selEnd;
        else if (m_selEnd > m_selStart && m_cursor == m_selEnd)
            anchor = m_selStart;
        m_selStart = std::min(anchor, position);
        m_selEnd = std::max(anchor, position);
    } else {
        deselectInternally();
    }
    m_cursor = position;
}

void LineBuffer::cursorForward(bool mark, int steps)
{
    qsizetype c = m_cursor;
    for (; steps > 0; --steps)
        c = LineBoundaries::nextCharacter(m_text, c);
    for (; steps < 0; ++steps)
        c = LineBoundaries::previousCharacter(m_text, c);
    moveCursor(c, mark);
}

void LineBuffer::cursorWordForward(bool mark)
{
    moveCursor(LineBoundaries::nextWord(m_text, m_cursor), mark);
}

void LineBuffer::cursorWordBackward(bool mark)
{
    moveCursor(LineBoundaries::previousWord(m_text, m_cursor), mark);
}

void LineBuffer::selectAll()
{
    m_selStart = m_selEnd = m_cursor = 0;
    moveCursor(m_text.size(), true);
}

void LineBuffer::setSelection(qsizetype start, qsizetype length)
{
    if (start < 0 || start > m_text.size())
        return;
    if (length > 0) {
        m_selStart = start;
        m_selEnd = std::min(start + length, m_text.size());
        m_cursor = m_selEnd;
    } else if (length < 0) {
        m_selStart = std::max<qsizetype>(start + length, 0);
        m_selEnd = start;
        m_cursor = m_selStart;
    } else {
        if (m_selStart != m_selEnd)
            deselectInternally();
        m_cursor = start;
    }
}

void LineBuffer::selectWordAt(qsizetype position)
{
    const qsizetype next = std::min(position + 1, m_text.size());
    const qsizetype start = LineBoundaries::previousWord(m_text, next);
    moveCursor(start, false);
    // A word takes the spaces after it, but a word is selected without them
    // (unless the click was on them).
    qsizetype end = LineBoundaries::nextWord(m_text, start);
    while (end > position && m_text.at(end - 1).isSpace())
        --end;
    moveCursor(end, true);
}

void LineBuffer::undo()
{
    if (!isUndoAvailable())
        return;
    deselectInternally();
    while (m_undoState > 0) {
        const Command& command = m_history[--m_undoState];
        undoCommand(command);
        if (command.kind == Separator)
            continue;
        if (m_undoState > 0) {
            const Kind next = m_history[m_undoState - 1].kind;
            if (next != command.kind && next < RemoveSelection && (command.kind < RemoveSelection || next == Separator))
                break;
        }
    }
    flush();
    keepOnCharacters();
}

void LineBuffer::redo()
{
    if (!isRedoAvailable())
        return;
    deselectInternally();
    const qsizetype size = qsizetype(m_history.size());
    while (m_undoState < size) {
        const Command& command = m_history[m_undoState++];
        redoCommand(command);
        if (m_undoState < size) {
            const Kind next = m_history[m_undoState].kind;
            if (next != command.kind && command.kind < RemoveSelection && next != Separator
                && (next < RemoveSelection || command.kind == Separator))
                break;
        }
    }
    flush();
    // A deleted selection is recorded with a selection reaching before the
    // text, which a redo would restore: no selection instead. And a step of
    // typing at the end remembers the caret one past the character typed,
    // which a redo that stops before the character would put past the end.
    if (m_selStart < 0 || m_selEnd < 0)
        deselectInternally();
    if (m_cursor > m_text.size()) {
        m_cursor = m_text.size();
        deselectInternally();
    }
    keepOnCharacters();
}

void LineBuffer::keepOnCharacters()
{
    // A caret moved back is a caret moved: the next key begins a step.
    if (keepWhole())
        separate();
}

bool LineBuffer::keepWhole()
{
    if (m_selEnd > m_selStart) {
        const bool atStart = m_cursor == m_selStart;
        const bool atEnd = m_cursor == m_selEnd;
        m_selStart = LineBoundaries::pairStart(m_text, m_selStart);
        m_selEnd = LineBoundaries::pairEnd(m_text, m_selEnd);
        if (atStart)
            m_cursor = m_selStart;
        else if (atEnd)
            m_cursor = m_selEnd;
    }
    const qsizetype caret = m_cursor;
    m_cursor = LineBoundaries::pairStart(m_text, m_cursor);
    return m_cursor != caret;
}

void LineBuffer::inputMethod(const QString& commit, qsizetype replacementStart, qsizetype replacementLength)
{
    // As a line edit takes it: the selection goes first, the caret moves by
    // the replacement's start, the replaced text goes, and the caret ends
    // after the text put in (or where the replacement leaves it). The
    // replacement stops at the text's ends and takes whole characters.
    const QString text = LineBoundaries::wholeCharacters(commit);
    if (!text.isEmpty() || replacementLength > 0)
        removeSelectedText();
    const qsizetype size = m_text.size();
    const qsizetype caret = m_cursor;
    const qsizetype first = caret + replacementStart;
    const qsizetype from = std::clamp<qsizetype>(first, 0, size);
    const qsizetype to = std::clamp<qsizetype>(first + std::max<qsizetype>(replacementLength, 0), from, size);
    const qsizetype start = LineBoundaries::pairStart(m_text, from);
    const qsizetype end = replacementLength > 0 ? LineBoundaries::pairEnd(m_text, to) : start;
    m_cursor = start;
    if (end > start) {
        m_selStart = start;
        m_selEnd = end;
        removeSelectedText();
        deselectInternally();
    }
    if (!text.isEmpty())
        internalInsert(text);
    else if (caret > start)
        m_cursor = caret >= end ? caret - (end - start) : start;
    else
        m_cursor = caret;
}

void LineBuffer::replace(qsizetype from, qsizetype to, const QString& with)
{
    from = std::clamp<qsizetype>(from, 0, m_text.size());
    to = std::clamp<qsizetype>(to, from, m_text.size());
    if (hasSelectedText() && m_selStart == from && m_selEnd == to) {
        removeSelectedText();
    } else if (from != to) {
        separate();
        m_selStart = from;
        m_selEnd = to;
        m_cursor = to;
        removeSelectedText();
    } else if (from != m_cursor || hasSelectedText()) {
        moveCursor(from, false);
    }
    internalInsert(with);
}

void LineBuffer::setCursorAndSelection(qsizetype cursor, qsizetype selectionStart, qsizetype selectionEnd)
{
    const qsizetype size = m_text.size();
    const qsizetype was = m_cursor;
    m_cursor = std::clamp<qsizetype>(cursor, 0, size);
    if (selectionStart >= 0 && selectionEnd > selectionStart && selectionEnd <= size) {
        m_selStart = selectionStart;
        m_selEnd = selectionEnd;
    } else {
        deselectInternally();
    }
    keepWhole();
    if (m_cursor != was)
        separate();
}

std::optional<LineBuffer::Change> LineBuffer::takeChange()
{
    flush();
    if (!m_changed)
        return std::nullopt;
    m_changed = false;
    const qsizetype size = m_text.size();
    const qsizetype start = std::min({m_keptStart, size, m_sizeBefore});
    const qsizetype end = std::min({m_keptEnd, size - start, m_sizeBefore - start});
    return Change{start, m_sizeBefore - start - end, size - start - end};
}

void LineBuffer::addCommand(Kind kind, qsizetype pos, QStringView chars, int stride, qsizetype selStart,
                            qsizetype selEnd)
{
    m_history.erase(m_history.begin() + m_undoState, m_history.end());
    if (m_separator && m_undoState > 0 && m_history[m_undoState - 1].kind != Separator)
        m_history.push_back(Command{Separator, m_cursor, 1, QString(), m_selStart, m_selEnd});
    m_separator = false;

    // A command that goes on where the last run of its kind left off joins
    // it: a line edit would undo and redo them together anyway.
    const bool ofCharacters = kind != Separator && kind != SetSelection;
    if (ofCharacters && !m_history.empty()) {
        Command& last = m_history.back();
        if (last.kind == kind && last.selStart == selStart && last.selEnd == selEnd) {
            if (last.chars.size() == 1 && std::abs(pos - last.pos) <= 1)
                last.stride = int(pos - last.pos);
            if (pos == last.posAt(last.count())) {
                if (chars.size() == 1 || stride == last.stride) {
                    last.chars.append(chars);
                    m_undoState = qsizetype(m_history.size());
                    return;
                }
                last.chars.append(chars.front());
                pos += stride;
                chars = chars.mid(1);
            }
        }
    }
    m_history.push_back(Command{kind, pos, stride, chars.toString(), selStart, selEnd});
    m_undoState = qsizetype(m_history.size());
}

void LineBuffer::internalInsert(const QString& text)
{
    if (hasSelectedText())
        addCommand(SetSelection, m_cursor, {}, 1, m_selStart, m_selEnd);
    if (text.isEmpty())
        return;
    splice(m_cursor, 0, text);
    // A line edit has moved its caret past the first character when it
    // records it, so a step that begins here remembers the caret there.
    const qsizetype at = m_cursor;
    m_cursor = at + 1;
    addCommand(Insert, at, text, 1, -1, -1);
    m_cursor = at + text.size();
}

void LineBuffer::internalDelete(bool wasBackspace)
{
    if (m_cursor >= m_text.size())
        return;
    if (hasSelectedText())
        addCommand(SetSelection, m_cursor, {}, 1, m_selStart, m_selEnd);
    addCommand(wasBackspace ? Remove : Delete, m_cursor, QStringView(m_text).mid(m_cursor, 1), 1, -1, -1);
    splice(m_cursor, 1, {});
}

void LineBuffer::removeSelectedText()
{
    if (m_selStart >= m_selEnd || m_selEnd > m_text.size())
        return;
    separate();
    addCommand(SetSelection, m_cursor, {}, 1, m_selStart, m_selEnd);
    const QStringView text(m_text);
    if (m_selStart <= m_cursor && m_cursor < m_selEnd) {
        // The caret inside the selection: the characters up to it first,
        // so that an undo puts the caret back where it was.
        addCommand(DeleteSelection, m_cursor, reversed(text.mid(m_selStart, m_cursor - m_selStart + 1)), -1, -1, 1);
        if (m_selEnd - 1 > m_cursor) {
            addCommand(DeleteSelection, m_selEnd - 1 - m_cursor + m_selStart - 1,
                       reversed(text.mid(m_cursor + 1, m_selEnd - m_cursor - 1)), -1, -1, -1);
        }
    } else {
        addCommand(RemoveSelection, m_selEnd - 1, reversed(text.mid(m_selStart, m_selEnd - m_selStart)), -1, -1, -1);
    }
    splice(m_selStart, m_selEnd - m_selStart, {});
    if (m_cursor > m_selStart)
        m_cursor -= std::min(m_cursor, m_selEnd) - m_selStart;
    deselectInternally();
}

void LineBuffer::undoCommand(const Command& command)
{
    const qsizetype count = command.count();
    switch (command.kind) {
    case Insert:
        for (qsizetype i = count - 1; i >= 0; --i)
            queueRemoval(command.posAt(i));
        m_cursor = command.pos;
        break;
    case SetSelection:
        m_selStart = command.selStart;
        m_selEnd = command.selEnd;
        m_cursor = command.pos;
        break;
    case Remove:
    case RemoveSelection:
        for (qsizetype i = count - 1; i >= 0; --i)
            queueInsertion(command.posAt(i), command.chars.at(i));
        m_cursor = command.pos + 1;
        break;
    case Delete:
    case DeleteSelection:
        for (qsizetype i = count - 1; i >= 0; --i)
            queueInsertion(command.posAt(i), command.chars.at(i));
        m_cursor = command.pos;
        break;
    case Separator:
        break;
    }
}

void LineBuffer::redoCommand(const Command& command)
{
    const qsizetype count = command.count();
    switch (command.kind) {
    case Insert:
        for (qsizetype i = 0; i < count; ++i)
            queueInsertion(command.posAt(i), command.chars.at(i));
        m_cursor = command.posAt(count - 1) + 1;
        break;
    case Remove:
    case Delete:
    case RemoveSelection:
    case DeleteSelection:
        for (qsizetype i = 0; i < count; ++i)
            queueRemoval(command.posAt(i));
        m_selStart = command.selStart;
        m_selEnd = command.selEnd;
        m_cursor = command.posAt(count - 1);
        break;
    case SetSelection:
    case Separator:
        m_selStart = command.selStart;
        m_selEnd = command.selEnd;
        m_cursor = command.pos;
        break;
    }
}

void LineBuffer::splice(qsizetype at, qsizetype removed, QStringView inserted)
{
    const qsizetype size = m_text.size();
    if (!m_changed) {
        m_changed = true;
        m_sizeBefore = size;
        m_keptStart = m_keptEnd = size;
    }
    m_keptStart = std::min(m_keptStart, at);
    m_keptEnd = std::min(m_keptEnd, size - (at + removed));
    m_text.replace(at, removed, inserted.data(), inserted.size());
}

void LineBuffer::queueInsertion(qsizetype at, QChar c)
{
    if (m_removeAt >= 0)
        flush();
    if (m_queueAt >= 0) {
        if (at == m_queueAt) {
            m_front.append(c);
            return;
        }
        if (at == m_queueAt + m_front.size() + m_back.size()) {
            m_back.append(c);
            return;
        }
        flush();
    }
    m_queueAt = at;
    m_back.append(c);
}

void LineBuffer::queueRemoval(qsizetype at)
{
    if (m_queueAt >= 0)
        flush();
    if (m_removeAt >= 0) {
        if (at == m_removeAt - 1) {
            --m_removeAt;
            ++m_removeCount;
            return;
        }
        if (at == m_removeAt) {
            ++m_removeCount;
            return;
        }
        flush();
    }
    m_removeAt = at;
    m_removeCount = 1;
}

void LineBuffer::flush()
{
    if (m_queueAt >= 0) {
        std::reverse(m_front.begin(), m_front.end());
        m_front.append(m_back);
        splice(m_queueAt, 0, m_front);
        m_queueAt = -1;
        m_front.clear();
        m_back.clear();
    }
    if (m_removeAt >= 0) {
        splice(m_removeAt, m_removeCount, {});
        m_removeAt = -1;
        m_removeCount = 0;
    }
}

} // namespace studio
