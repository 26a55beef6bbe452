#pragma once

// The rules every editor and every painted text of the program follows for
// long texts, so that a paste of a megabyte costs what Qt's own plain text
// editor pays for it, and a row painted from a text wraps it exactly as the
// editor that takes the row over does:
//
// - A stretch with no line break opportunity longer than any line (an endless
//   word) makes the text wrap anywhere. Qt lays such a word out in time
//   growing with the square of its length, and it breaks anywhere either way;
//   anything else wraps at word boundaries (and inside a word only when the
//   word is longer than the line).
// - A long text is laid out once and late: only at the width the layouts
//   around it settle on (or the one it is painted at), never at each width
//   they pass through. Until then its height is estimated from its length.

#include <QString>
#include <QStringView>
#include <QTextOption>

namespace studio {

class LongText {
public:
    // Whether a text of this many characters waits for its width to settle
    // before it is laid out: up to it, a layout takes a few milliseconds.
    static bool isLong(qsizetype characters) { return characters > longCharacters; }

    // How a text wraps (see above).
    static QTextOption::WrapMode wrapMode(QStringView text);
    // Whether some stretch of text longer than `limit` offers no line break.
    static bool hasUnbreakableRun(QStringView text, qsizetype limit = unbreakableLength);

    // The lines a text takes at `width`, estimated from the average advance
    // of one character: each paragraph fills its lines, with a little slack
    // since words don't fill a line to its last point.
    static qsizetype estimatedLines(QStringView text, qreal advance, qreal width);

    static constexpr qsizetype longCharacters = 10'000;
    // Longer than any line of any editor holds (thousands of points wide),
    // short enough that Qt lays a word of this length out in well under a
    // millisecond.
    static constexpr qsizetype unbreakableLength = 2000;
};

} // namespace studio
