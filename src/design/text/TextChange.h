#pragma once

// What a refresh did to a text being typed in, and where the caret goes with
// it. A refresh that rewrites the text under the caret (an assist's reply, a
// change made elsewhere) is seen as one replaced stretch: what the old and
// the new text share at their start and at their end stays, the rest was
// replaced. A position in what stayed keeps its place in the text around it;
// a position inside the replaced stretch goes to the end of its replacement,
// so the next key lands after the new text, never inside it. Where nothing
// was taken out, the stretch is the point the new text went in at, and a
// position there goes on past it too (as a text document's cursors go on past
// text put in where they stand): a caret in a field that was empty ends after
// the text that came.

#include <QStringView>

namespace studio {

class TextChange {
public:
    TextChange(QStringView before, QStringView after);

    // `position` in the old text (clamped to it), mapped into the new one: a
    // position between whole characters of the old text lands between whole
    // characters of the new one.
    qsizetype map(qsizetype position) const;

    // The replaced stretch: [start, start + removed) of the old text became
    // [start, start + added) of the new one.
    qsizetype start() const { return m_start; }
    qsizetype removed() const { return m_removed; }
    qsizetype added() const { return m_added; }

private:
    qsizetype m_start = 0;
    qsizetype m_removed = 0;
    qsizetype m_added = 0;
    qsizetype m_kept = 0; // what the two share at their end
};

} // namespace studio
