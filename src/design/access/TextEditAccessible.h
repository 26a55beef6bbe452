#pragma once

// A text edit as assistive technology reads it (the program's editors are
// QTextEdits holding plain text): its whole text, caret and selection, the
// lines as they are shown, editable unless read-only, multi-line, described
// by the hint it shows while empty unless that is only its name again; its
// edits from a reader are the user's, as if typed. It reads the text the editor
// keeps (GrowingTextEdit) rather than copying the document at every
// question, and never lays out what is not laid out yet: a character of a
// long text still waiting for its layout has no place on the screen.
//
// A widget that stands for its text edit (the Script page's live editor)
// reads as the same text through one of these made for it.

#include "design/access/AccessibleText.h"

#include <QAccessibleWidget>
#include <QPointer>

class QTextEdit;

namespace studio {

class TextEditAccessible : public QAccessibleWidget, public AccessibleText, public QAccessibleEditableTextInterface {
public:
    // `widget` reads as the text of `edit` (itself, or a widget holding it).
    TextEditAccessible(QWidget* widget, QTextEdit* edit, QAccessible::Role role = QAccessible::EditableText);

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // QAccessibleTextInterface (the rest as AccessibleText answers it)
    QString text(int startOffset, int endOffset) const override { return AccessibleText::text(startOffset, endOffset); }

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

protected:
    QString wholeText() const override;
    qsizetype caret() const override;
    TextRange selected() const override;
    void select(qsizetype anchor, qsizetype position) override;
    QRect characterBox(qsizetype offset) const override;
    qsizetype offsetAtScreenPoint(const QPoint& point) const override;
    void reveal(qsizetype start, qsizetype end) override;
    TextRange shownLine(qsizetype offset) const override;
    bool hasShownLines() const override { return true; }

private:
    bool editable() const;
    QList<QWidget*> children() const;

    QPointer<QTextEdit> m_edit;
};

} // namespace studio
