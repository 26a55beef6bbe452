#pragma once

// Where a caret can go in a line of text, as a line edit finds it: the
// character steps of the arrow keys and the word steps of the word keys. A
// line edit lays its whole text out to find them; these look only at the
// characters around the caret (characters step over whole clusters: a letter
// with its marks, the halves of a pair), so they cost the same in a text of a
// megabyte as in a short one.
//
// Word steps follow the line edit's own rule, not the Unicode word breaks: a
// word is a run of characters that are neither spaces nor punctuation from a
// fixed set, a run of that punctuation is a word of its own, and a step forward
// skips the spaces after a word.

#include <QChar>
#include <QString>
#include <QStringView>

namespace studio {

class LineBoundaries {
public:
    // The character a line edit shows in place of `c`: control characters,
    // line and paragraph separators and the object mark show as a space.
    static QChar shown(QChar c);
    static bool isSpace(QChar c) { return shown(c).isSpace(); }
    static bool isWordSeparator(QChar c);

    // The next and the previous caret position by one character (a whole
    // cluster); `position` itself at either end of the text.
    static qsizetype nextCharacter(QStringView text, qsizetype position);
    static qsizetype previousCharacter(QStringView text, qsizetype position);
    // The start of the character (the whole cluster) that `position` falls
    // inside; `position` itself where it falls between two, as the arrow
    // keys leave a caret.
    static qsizetype characterStart(QStringView text, qsizetype position);
    // The next and the previous caret position by one word.
    static qsizetype nextWord(QStringView text, qsizetype position);
    static qsizetype previousWord(QStringView text, qsizetype position);

    // Whole characters: no caret, selection edge or edit may fall between
    // the two halves of a pair, nor may half of one go into a text, or the
    // text keeps half a character (and saves it). `position` moved back to
    // the start of the pair it would split, or on to its end.
    static bool splitsPair(QStringView text, qsizetype position)
    {
        return position > 0 && position < text.size() && text[position - 1].isHighSurrogate()
               && text[position].isLowSurrogate();
    }
    static qsizetype pairStart(QStringView text, qsizetype position)
    {
        return splitsPair(text, position) ? position - 1 : position;
    }
    static qsizetype pairEnd(QStringView text, qsizetype position)
    {
        return splitsPair(text, position) ? position + 1 : position;
    }
    // `text` without the halves of pairs that stand alone in it.
    static QString wholeCharacters(const QString& text);
    // `text` as a one-line field takes it from a paste or a reader: on one
    // line, each line break (a CR LF pair is one) and tab a space.
    static QString oneLine(const QString& text);
};

} // namespace studio
