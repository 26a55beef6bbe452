#include "design/access/TextEditAccessible.h"

#include "design/text/GrowingTextEdit.h"
#include "design/text/LineBoundaries.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace studio {

namespace {

// The line shown holding `offset` of the document, in `block`; none where
// the block is not laid out: a question never lays out a long text.
QTextLine laidOutLine(const QTextDocument* document, qsizetype offset, QTextBlock& block)
{
    block = document->findBlock(int(offset));
    const QTextLayout* layout = block.isValid() ? block.layout() : nullptr;
    if (!layout || layout->lineCount() == 0)
        return QTextLine();
    return layout->lineForTextPosition(int(offset - block.position()));
}

} // namespace

TextEditAccessible::TextEditAccessible(QWidget* widget, QTextEdit* edit, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
    , m_edit(edit)
{
}

QString TextEditAccessible::wholeText() const
{
    if (!m_edit)
        return QString();
    // The editor's own copy, unless it is behind the document (a reader
    // asking in the middle of an edit).
    const qsizetype size = m_edit->document()->characterCount() - 1;
    if (auto* growing = qobject_cast<GrowingTextEdit*>(m_edit.data()); growing && growing->plainText().size() == size)
        return growing->plainText();
    return m_edit->toPlainText();
}

QString TextEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return wholeText();
    if (t == QAccessible::Description)
        return inputDescription(QAccessibleWidget::text(t), m_edit ? m_edit->placeholderText() : QString(),
                                QAccessibleWidget::text(QAccessible::Name));
    return QAccessibleWidget::text(t);
}

void TextEditAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    replaceText(0, int(wholeText().size()), text);
}

QAccessible::State TextEditAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.selectableText = true;
    s.multiLine = true;
    if (editable())
        s.editable = true;
    else
        s.readOnly = true;
    return s;
}

void* TextEditAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

bool TextEditAccessible::editable() const
{
    return m_edit && !m_edit->isReadOnly();
}

QList<QWidget*> TextEditAccessible::children() const
{
    // A text edit's: what its page holds besides its text (nothing, in the
    // program's editors), never its scroll bars. A widget standing for it
    // has its own children.
    QList<QWidget*> found;
    if (!m_edit)
        return found;
    for (QObject* child : m_edit->viewport()->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            found << w;
    }
    return found;
}

int TextEditAccessible::childCount() const
{
    if (widget() != m_edit)
        return QAccessibleWidget::childCount();
    return int(children().size());
}

QAccessibleInterface* TextEditAccessible::child(int index) const
{
    if (widget() != m_edit)
        return QAccessibleWidget::child(index);
    const QList<QWidget*> all = children();
    return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all.at(index)) : nullptr;
}

int TextEditAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (widget() != m_edit)
        return QAccessibleWidget::indexOfChild(child);
    if (!child)
        return -1;
    return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
}

QAccessibleInterface* TextEditAccessible::childAt(int x, int y) const
{
    if (widget() != m_edit)
        return QAccessibleWidget::childAt(x, y);
    for (QWidget* w : children()) {
        if (w->isVisible() && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(x, y))
            return QAccessible::queryAccessibleInterface(w);
    }
    return nullptr;
}

qsizetype TextEditAccessible::caret() const
{
    return m_edit ? m_edit->textCursor().position() : 0;
}

TextRange TextEditAccessible::selected() const
{
    if (!m_edit)
        return {};
    const QTextCursor c = m_edit->textCursor();
    return c.hasSelection() ? TextRange{c.selectionStart(), c.selectionEnd()} : TextRange{};
}

void TextEditAccessible::select(qsizetype anchor, qsizetype position)
{
    if (!m_edit)
        return;
    QTextCursor c = m_edit->textCursor();
    c.setPosition(int(anchor));
    c.setPosition(int(position), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
}

QRect TextEditAccessible::characterBox(qsizetype offset) const
{
    if (!m_edit)
        return QRect();
    QTextBlock block;
    const QTextLine line = laidOutLine(m_edit->document(), offset, block);
    if (!line.isValid())
        return QRect();
    const QFontMetrics metrics(m_edit->document()->defaultFont());
    const QString character = m_edit->document()->characterAt(int(offset));
    const QPointF at = block.layout()->position() + QPointF(line.cursorToX(int(offset - block.position())), line.y());
    const QPoint scrolled(m_edit->horizontalScrollBar()->value(), m_edit->verticalScrollBar()->value());
    const QPoint topLeft = m_edit->viewport()->mapToGlobal(at.toPoint() - scrolled);
    return QRect(topLeft, QSize(std::max(1, metrics.horizontalAdvance(character)), qRound(line.height())));
}

qsizetype TextEditAccessible::offsetAtScreenPoint(const QPoint& point) const
{
    if (!m_edit)
        return -1;
    QTextDocument* document = m_edit->document();
    // A document with no width yet (a long text waiting for its layout) is
    // not laid out for the question.
    if (document->pageSize().width() <= 0 && m_edit->lineWrapMode() != QTextEdit::NoWrap)
        return -1;
    const QPoint scrolled(m_edit->horizontalScrollBar()->value(), m_edit->verticalScrollBar()->value());
    const QPoint inDocument = m_edit->viewport()->mapFromGlobal(point) + scrolled;
    if (inDocument.y() < 0 || inDocument.y() > document->size().height())
        return -1;
    return document->documentLayout()->hitTest(inDocument, Qt::ExactHit);
}

void TextEditAccessible::reveal(qsizetype start, qsizetype)
{
    if (!m_edit)
        return;
    QTextCursor c(m_edit->document());
    c.setPosition(int(start));
    const QPoint center = m_edit->cursorRect(c).center();
    // The editors grow rather than scroll: the pages around them scroll.
    for (QWidget* w = m_edit->parentWidget(); w; w = w->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(w);
        if (area && area->widget() && area->widget()->isAncestorOf(m_edit)) {
            const QPoint inPage = m_edit->viewport()->mapTo(area->widget(), center);
            area->ensureVisible(inPage.x(), inPage.y());
        }
    }
}

TextRange TextEditAccessible::shownLine(qsizetype offset) const
{
    if (!m_edit)
        return {};
    QTextBlock block;
    const QTextLine line = laidOutLine(m_edit->document(), offset, block);
    if (!line.isValid())
        return {};
    const qsizetype start = block.position() + line.textStart();
    // The last line of a paragraph with its break.
    const qsizetype end = line.lineNumber() == block.layout()->lineCount() - 1 ? block.position() + block.length()
                                                                                : start + line.textLength();
    return {start, std::min<qsizetype>(end, m_edit->document()->characterCount() - 1)};
}

void TextEditAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextEditAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void TextEditAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    const QString whole = wholeText();
    if (!editable() || !isRange(startOffset, endOffset, whole.size()))
        return;
    const TextRange range = wholeRange(whole, startOffset, endOffset);
    // Through the editor's cursor, as typing goes: an edit of the user's,
    // one undo step.
    QTextCursor c = m_edit->textCursor();
    c.setPosition(int(range.start));
    c.setPosition(int(range.end), QTextCursor::KeepAnchor);
    c.insertText(LineBoundaries::wholeCharacters(text));
    m_edit->setTextCursor(c);
}

} // namespace studio
