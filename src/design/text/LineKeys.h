#pragma once

// The keys a line edit takes, matched in its order and with its meanings,
// applied to a LineBuffer instead of the line edit's own text: the platform's
// bindings for undo, redo, select all, copy, cut, paste, the word and line
// keys and the erasing keys, then Backspace and typed text. For fields that
// show their text (a password field keeps its keys to itself).

#include <QClipboard>

class QKeyEvent;

namespace studio {

class LineBuffer;

class LineKeys {
public:
    enum class Outcome {
        Passed, // a line edit leaves the key to its parents (Return, Tab, Escape, shortcuts)
        Typed,  // the key's text went in
        Taken,  // anything else a line edit does with a key
    };
    static Outcome apply(LineBuffer& buffer, const QKeyEvent* event, bool readOnly);
    // Whether apply() acts on the key rather than passing it (which the key
    // alone decides), before it does.
    static bool takes(const QKeyEvent* event, bool readOnly);

    // Puts the selected text on the clipboard (or the selection clipboard),
    // if there is any.
    static void copy(const LineBuffer& buffer, QClipboard::Mode mode = QClipboard::Clipboard);
};

} // namespace studio
