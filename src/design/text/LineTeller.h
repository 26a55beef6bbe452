#pragma once

// What a one-line field showing a window of a longer text (LineWindow) tells
// assistive technology: its edits where they are in the whole text, with the
// text put in and taken out (as much of it as a window holds: a refresh
// giving a megabyte anew costs no more to tell than a window), then the
// selection with the caret, or the caret alone, as a line edit tells them.
// What the line edit tells of its window itself is held back while fields
// have windows (TextEvents): only what a teller tells reaches a reader.

#include "design/text/LineBuffer.h"

#include <QString>

#include <optional>

class QLineEdit;

namespace studio {

class LineTeller {
public:
    // `most`: the characters of a change told at most.
    LineTeller(QLineEdit* edit, qsizetype most);

    // After `buffer` changed by `change` (`removed`: the text that went, or
    // as many characters).
    void tell(const LineBuffer& buffer, const std::optional<LineBuffer::Change>& change, const QString& removed);

    // Whether a field is telling assistive technology of its text now.
    static bool isTelling() { return s_telling; }

private:
    static bool s_telling;

    QLineEdit* m_edit;
    qsizetype m_most;
    // What was last told of the caret and the selection.
    qsizetype m_toldCaret = -1;
    qsizetype m_toldSelectionStart = -1;
    qsizetype m_toldSelectionEnd = -1;
};

} // namespace studio
