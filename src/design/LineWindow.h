#pragma once

// Keeps the whole text of a one-line field while its line edit holds only a
// window of it around the caret. A line edit shapes its entire text again at
// every keystroke, which for a text of a megabyte takes most of a second; a
// window of some thousands of characters — far more than any field can show —
// keeps typing, showing and setting the text as quick as for a short one.
// Texts up to twice the window are given to the line edit whole.
//
// Edits made in the line edit are spliced into the whole text and reported
// whole by textEdited(). The window follows the caret: it moves before the
// caret or the selection comes near one of its edges, reaches to the start or
// the end of the text before the keys that go there act, and takes in the
// whole text when everything the line edit holds is selected (select all
// selects everything, and copies it). The line edit's undo history begins
// again each time the window moves.

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;

namespace studio {

class LineWindow : public QObject {
    Q_OBJECT
public:
    explicit LineWindow(QLineEdit* edit);

    // Characters the line edit holds at most, apart from a selection wider
    // than that; and how near the caret an edge of the window may come.
    static constexpr qsizetype windowLength = 16384;
    static constexpr qsizetype edgeMargin = 4096;

    const QString& text() const { return m_text; }
    // Replaces the whole text without reporting it, with the caret at
    // `position` and the selection reaching from `anchor` (offsets in the
    // whole text, clamped).
    void setText(const QString& text, qsizetype anchor, qsizetype position);
    // The caret and the selection's other end, in the whole text.
    qsizetype cursorPosition() const;
    qsizetype anchor() const;
    // Where the window begins in the whole text.
    qsizetype windowStart() const { return m_start; }

Q_SIGNALS:
    void textEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void absorb(const QString& shown);
    void scheduleFit();
    void fit();
    // Gives the line edit the text from `from` to `to` (widened to whole
    // characters), with the caret and anchor given in the whole text.
    void show(qsizetype from, qsizetype to, qsizetype anchor, qsizetype position);
    void reachEdgeFor(const QKeyEvent* key);

    QLineEdit* m_edit;
    QString m_text;
    QString m_shown;      // what the line edit holds: m_text from m_start
    qsizetype m_start = 0;
    bool m_fitPending = false;
};

} // namespace studio
