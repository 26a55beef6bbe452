#pragma once

// The pieces of a text assistive technology asks for by offset: the
// character, word, sentence, line or paragraph at an offset, before it or
// after it. Every text the program shows to a reader is answered here, so
// every one ends its answer at once for any offset and any boundary (Qt's own
// answers loop forever at a text's end for some of them), and costs what is
// near the offset, never the text's length (texts of a megabyte exist).
//
// Characters are the steps the caret takes (LineBoundaries); words and
// sentences follow the Unicode rules (QTextBoundaryFinder), looked for in a
// stretch around the offset; lines are the lines shown where the text is laid
// out in lines, else the paragraphs between line breaks, each with its break.
// A word, sentence or paragraph longer than any real one (thousands of
// characters without a break) is read in stretches that begin at fixed places
// of the text, so every question about one offset gets the same answer and
// neighbouring pieces meet.

#include <QAccessible>
#include <QStringView>

#include <functional>

namespace studio {

// A stretch of text, [start, end); start and end are -1 for none.
struct TextRange {
    qsizetype start = -1;
    qsizetype end = -1;
    bool isValid() const { return start >= 0 && end >= start; }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

class TextBoundaries {
public:
    // Where the text is laid out in lines: the shown line holding `offset`
    // (0 <= offset < size), or an invalid range where it is not laid out.
    using ShownLine = std::function<TextRange(qsizetype offset)>;

    // The piece holding `offset`, the one before it and the one after it;
    // invalid for an offset outside [0, size] and where there is none. At the
    // text's end the piece is the last one (or an empty line after a final
    // line break; no character).
    static TextRange at(QStringView text, qsizetype offset, QAccessible::TextBoundaryType type,
                        const ShownLine& lines = {});
    static TextRange before(QStringView text, qsizetype offset, QAccessible::TextBoundaryType type,
                            const ShownLine& lines = {});
    static TextRange after(QStringView text, qsizetype offset, QAccessible::TextBoundaryType type,
                           const ShownLine& lines = {});
};

} // namespace studio
