#include "views/phases/script/ScriptElementAccessible.h"

#include "design/text/PlainTextEditor.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace studio {

ScriptPage* ScriptElementAccessible::page() const
{
    return static_cast<ScriptPage*>(items()->object());
}

QAccessibleInterface* ScriptElementAccessible::editor() const
{
    const bool live =
        twin() == 0 && isValid() && page()->editorID() == id() && page()->editor()->isVisible();
    return live ? QAccessible::queryAccessibleInterface(page()->textEdit()) : nullptr;
}

QAccessibleInterface* ScriptElementAccessible::neighbour(int step) const
{
    const int at = index();
    return at < 0 ? nullptr : items()->item(at + step);
}

QString ScriptElementAccessible::wholeText() const
{
    const int at = index();
    return at < 0 ? QString() : page()->rows().row(at).text();
}

const QTextDocument* ScriptElementAccessible::layout(QPoint* origin) const
{
    const int at = index();
    if (at < 0)
        return nullptr;
    const ScriptElementRow& row = page()->rows().row(at);
    if (origin)
        *origin = page()->mapToGlobal(page()->textRect(row.id()).topLeft());
    return row.layout();
}

QRect ScriptElementAccessible::characterBox(qsizetype offset) const
{
    QPoint origin;
    const QTextDocument* document = layout(&origin);
    if (!document)
        return QRect();
    const QTextBlock block = document->findBlock(int(offset));
    const QTextLayout* lines = block.isValid() ? block.layout() : nullptr;
    const QTextLine line = lines && lines->lineCount() > 0 ? lines->lineForTextPosition(int(offset - block.position()))
                                                           : QTextLine();
    if (!line.isValid())
        return QRect();
    const QFontMetrics metrics(document->defaultFont());
    const QPointF at = lines->position() + QPointF(line.cursorToX(int(offset - block.position())), line.y());
    return QRect(origin + at.toPoint(),
                 QSize(std::max(1, metrics.horizontalAdvance(document->characterAt(int(offset)))),
                       qRound(line.height())));
}

qsizetype ScriptElementAccessible::offsetAtScreenPoint(const QPoint& point) const
{
    QPoint origin;
    const QTextDocument* document = layout(&origin);
    if (!document)
        return -1;
    const QPoint inText = point - origin;
    if (inText.y() < 0 || inText.y() > document->size().height())
        return -1;
    return document->documentLayout()->hitTest(inText, Qt::ExactHit);
}

TextRange ScriptElementAccessible::shownLine(qsizetype offset) const
{
    const QTextDocument* document = layout();
    if (!document)
        return {};
    const QTextBlock block = document->findBlock(int(offset));
    const QTextLayout* lines = block.isValid() ? block.layout() : nullptr;
    const QTextLine line = lines && lines->lineCount() > 0 ? lines->lineForTextPosition(int(offset - block.position()))
                                                           : QTextLine();
    if (!line.isValid())
        return {};
    const qsizetype start = block.position() + line.textStart();
    // The last line of a paragraph with its break.
    const qsizetype end = line.lineNumber() == lines->lineCount() - 1 ? block.position() + block.length()
                                                                       : start + line.textLength();
    return {start, std::min<qsizetype>(end, document->characterCount() - 1)};
}

void ScriptElementAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (QAccessibleInterface* live = editor(); live && t == QAccessible::Value)
        live->setText(t, text);
}

void* ScriptElementAccessible::interface_cast(QAccessible::InterfaceType type)
{
    // Being written, the element is its editor's text: what the user sees
    // change as they type, where they see the caret.
    if (type == QAccessible::TextInterface || type == QAccessible::EditableTextInterface) {
        if (QAccessibleInterface* live = editor())
            return live->interface_cast(type);
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    }
    return PaintedItemAccessible::interface_cast(type);
}

} // namespace studio
