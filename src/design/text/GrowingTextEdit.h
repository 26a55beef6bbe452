#pragma once

// The text area of the editors that grow with their text (the page scrolls,
// never the editor): frameless, no scroll bars, plain text only, Tab moves
// the focus on.
//
// It wraps at its own width and lays its document out only when that width
// changes: a text costs one layout per width it is given (plus one per change
// of the text), never one per geometry pass of the layouts around it. It
// follows the long-text rules (LongText): a long text waits for those layouts
// to settle and is laid out only at the width they settle on (until its first
// layout, contentHeight() is an estimate, so it already claims its room, and
// the page its scroll bar, before that), and an endless word wraps anywhere.
//
// setTextKeepingCaret() is the one way a refresh shows a text: silent, a
// no-op when the text is unchanged, and otherwise the caret and selection of
// an editor the user is in or has been in (whether or not it or its window
// has the keyboard now: a sheet over the window may hold it) stay with the
// text around them, and one inside what the new text replaced goes to the end
// of its replacement (TextChange), so the next key never lands inside text
// the user did not write; the undo history starts anew. textEdited() reports changes of the text by the
// user only, never a refresh or a change of the look (font, margins).
//
// No edit leaves half a character in the text: what is pasted or comes from
// an input method goes in without halves of pairs standing alone, and an
// input method's replacement and selection take whole characters (and a
// replacement stops at the text's ends).
//
// The editor never scrolls itself, so the page it sits on follows its caret:
// as the user types or moves the caret by keys, every scrolling page around
// it brings the caret into view once the layouts have placed the grown
// editor.

#include <QString>
#include <QTextEdit>

namespace studio {

class GrowingTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit GrowingTextEdit(QWidget* parent = nullptr);

    // The text as the document holds it (what toPlainText() returns).
    const QString& plainText() const { return m_text; }
    void setTextKeepingCaret(const QString& text);

    // The height of the whole text, document margins included, at the width
    // it is laid out at (estimated for a long text not laid out yet).
    qreal contentHeight() const;

Q_SIGNALS:
    void textEdited(const QString& text);
    // contentHeight() may have changed.
    void contentHeightChanged();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool isLong() const;
    void noteChange();
    void wrapAt(int width);
    void wrapAnywhere(bool anywhere);
    qreal estimatedHeight(int width) const;
    void followCaret();
    bool splitsPair(int position) const;

    QString m_text;
    // The width the document is laid out at; 0 while it has none.
    int m_wrapWidth = 0;
    bool m_wrapPending = false;
    bool m_followPending = false;
    bool m_setting = false;
    bool m_entered = false; // the keyboard has been here
};

} // namespace studio
