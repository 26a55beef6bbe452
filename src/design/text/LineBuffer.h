#pragma once

// The whole text of a one-line field with its caret, its selection and its
// undo history, edited exactly as a line edit edits its text: the same
// operations with the same results, the same grouping of undo steps (typing
// is one step until the caret moves, a paste is a step of its own, a
// replaced selection comes back selected). A field that shows only a stretch
// of a long text (see LineWindow) edits the whole text here, so nothing
// depends on where the stretch begins or ends.
//
// A few things differ on purpose, where a line edit leaves a caret or a
// selection the next key would corrupt the text from: a line edit can come
// out of a redo with a selection reaching before the start of its text, or
// with the caret past its end, which the next key then reads or writes past;
// here a redo leaves no selection then, and the caret at the end. A line edit
// can come out of an undo or a redo with the caret or a selection's edge
// between the halves of a pair (a step of typing remembers the caret one
// character on, whatever stood there before), where typing then leaves half a
// character; here the caret goes back before the pair and a selection takes
// the pair whole, as they do wherever a caret or a selection is set from
// outside (a selection an input method sets). And an input method's
// replacement stops at the text's ends: one reaching past the end, or
// beginning after it, stops at the end (a line edit leaves a selection past
// its end, or pads its text with spaces), one reaching before the start
// stops at the start (a line edit takes as many characters from the start);
// it takes whole characters. A paste goes in on one line (a line edit keeps
// the line breaks and tabs of a paste, which a one-line field never shows as
// such): each line break or tab is a space.

#include <QString>

#include <optional>
#include <vector>

namespace studio {

class LineBuffer {
public:
    LineBuffer() = default;

    const QString& text() const { return m_text; }
    qsizetype size() const { return m_text.size(); }
    qsizetype cursor() const { return m_cursor; }
    bool hasSelectedText() const { return !m_text.isEmpty() && m_selEnd > m_selStart; }
    bool allSelected() const { return !m_text.isEmpty() && m_selStart == 0 && m_selEnd == m_text.size(); }
    // -1 without a selection, as a line edit reports it.
    qsizetype selectionStart() const { return hasSelectedText() ? m_selStart : -1; }
    qsizetype selectionEnd() const { return hasSelectedText() ? m_selEnd : -1; }
    QString selectedText() const;
    // The end of the selection the caret is not at (the caret without one).
    qsizetype anchor() const;

    bool isUndoAvailable() const { return m_undoState > 0; }
    bool isRedoAvailable() const { return m_undoState < qsizetype(m_history.size()); }

    // The direction the text is laid out in: the one set, or that of the
    // text's first strong letter (Qt::LayoutDirectionAuto for an empty text).
    Qt::LayoutDirection layoutDirection() const;
    void setLayoutDirection(Qt::LayoutDirection direction) { m_direction = direction; }

    // A new text with no history, the selection from `anchor` to `position`
    // (clamped); not an edit.
    void reset(const QString& text, qsizetype anchor, qsizetype position);

    // The edits and moves of a line edit, by the names it gives them.
    void insert(const QString& text);
    void backspace();
    void del();
    void removeSelection();
    void paste(const QString& clip);
    void undo();
    void redo();
    void moveCursor(qsizetype position, bool mark);
    void cursorForward(bool mark, int steps);
    void cursorWordForward(bool mark);
    void cursorWordBackward(bool mark);
    void home(bool mark) { moveCursor(0, mark); }
    void end(bool mark) { moveCursor(m_text.size(), mark); }
    void selectAll();
    void setSelection(qsizetype start, qsizetype length);
    void selectWordAt(qsizetype position);
    // Makes the next edit an undo step of its own.
    void separate() { m_separator = true; }

    // An edit made elsewhere (an input method, a drop): text[from, to)
    // became `with`, as the line edit records an insertion over a selection.
    void replace(qsizetype from, qsizetype to, const QString& with);
    // An input method's text without a composition: `commit` in place of
    // `replacementLength` characters from `replacementStart` characters after
    // the caret (or, without any, in place of the selection).
    void inputMethod(const QString& commit, qsizetype replacementStart, qsizetype replacementLength);
    // A caret and selection set elsewhere (a click, a drag); a caret that
    // moves ends the undo step being typed.
    void setCursorAndSelection(qsizetype cursor, qsizetype selectionStart, qsizetype selectionEnd);

    // What the edits since the last call changed: text()[from, from +
    // inserted) holds what was `removed` characters long before; nothing if
    // the text is as it was.
    struct Change {
        qsizetype from = 0;
        qsizetype removed = 0;
        qsizetype inserted = 0;
    };
    std::optional<Change> takeChange();

private:
    // The kinds of undo steps a line edit records, in its order: the undo
    // and redo groups are decided by comparing them.
    enum Kind : quint8 { Separator, Insert, Remove, Delete, RemoveSelection, DeleteSelection, SetSelection };
    // A run of one kind of per-character commands whose positions step by
    // `stride` (-1, 0 or 1): pos, pos + stride, ... Undo and redo never stop
    // inside a run (they stop only where the kind changes), so a run keeps
    // what a line edit keeps one command per character for. Separators and
    // selections are runs of one without characters.
    struct Command {
        Kind kind;
        qsizetype pos;
        int stride = 1;
        QString chars;
        qsizetype selStart = -1;
        qsizetype selEnd = -1;
        qsizetype count() const { return chars.isEmpty() ? 1 : chars.size(); }
        qsizetype posAt(qsizetype i) const { return pos + i * stride; }
    };

    void addCommand(Kind kind, qsizetype pos, QStringView chars, int stride, qsizetype selStart, qsizetype selEnd);
    void internalInsert(const QString& text);
    void internalDelete(bool wasBackspace);
    void removeSelectedText();
    void deselectInternally() { m_selStart = m_selEnd = 0; }
    // After an undo or a redo: the caret and the selection on whole characters.
    void keepOnCharacters();
    // The caret before a pair it would split, a selection round it; whether
    // the caret moved.
    bool keepWhole();
    void undoCommand(const Command& command);
    void redoCommand(const Command& command);

    // Text changes go through these: they keep the change to report, and
    // gather the one-character steps of undo and redo into whole splices.
    void splice(qsizetype at, qsizetype removed, QStringView inserted);
    void queueInsertion(qsizetype at, QChar c);
    void queueRemoval(qsizetype at);
    void flush();

    QString m_text;
    qsizetype m_cursor = 0;
    qsizetype m_selStart = 0;
    qsizetype m_selEnd = 0;
    Qt::LayoutDirection m_direction = Qt::LayoutDirectionAuto;

    std::vector<Command> m_history;
    qsizetype m_undoState = 0;
    bool m_separator = false;

    // Characters waiting to go in at m_queueAt: m_front (reversed) then m_back.
    qsizetype m_queueAt = -1;
    QString m_front;
    QString m_back;
    // Characters waiting to go out: text[m_removeAt, m_removeAt + m_removeCount).
    qsizetype m_removeAt = -1;
    qsizetype m_removeCount = 0;

    // The unchanged start and end of the text since the last takeChange().
    bool m_changed = false;
    qsizetype m_sizeBefore = 0;
    qsizetype m_keptStart = 0;
    qsizetype m_keptEnd = 0;
};

} // namespace studio
