#include "design/access/TextAccessible.h"

#include "design/access/AccessibleText.h"
#include "design/text/LineWindow.h"
#include "design/access/TextEditAccessible.h"
#include "design/text/LineBoundaries.h"
#include "design/style/QtPrivateState.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QTextEdit>
#include <QValidator>

#include <QtWidgets/private/qlineedit_p.h>

#include <type_traits>

namespace studio {

namespace {

// A line edit as assistive technology reads it: the whole text of the field
// (where a window shows a stretch of a longer text, the whole of it, not the
// stretch), its caret and selection, editable unless read-only, described by
// the hint it shows while empty unless that is only its name again. A password
// reads as it is shown, its mask characters, and gives nothing of what it
// holds. Edits from a reader are the
// user's edits, made as a program makes them in a line edit (the caret or the
// selection set, then the text put in, on one line as a paste goes in), so
// they are reported, saved and undone as typing is.
class LineEditAccessible : public QAccessibleWidget,
                           public AccessibleText,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            if (edit()->echoMode() == QLineEdit::Normal)
                return wholeText();
            if (edit()->echoMode() != QLineEdit::NoEcho)
                return readable();
        }
        if (t == QAccessible::Description)
            return inputDescription(QAccessibleWidget::text(t), edit()->placeholderText(),
                                    QAccessibleWidget::text(QAccessible::Name));
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        if (const QValidator* validator = edit()->validator()) {
            QString checked = text;
            int at = 0;
            if (validator->validate(checked, at) != QValidator::Acceptable)
                return;
        }
        replaceText(0, int(wholeText().size()), text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (edit()->isReadOnly())
            s.readOnly = true;
        else
            s.editable = true;
        if (edit()->echoMode() != QLineEdit::Normal)
            s.passwordEdit = true;
        s.selectableText = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(int startOffset, int endOffset) const override { return AccessibleText::text(startOffset, endOffset); }

    void deleteText(int startOffset, int endOffset) override
    {
        if (!canEdit(startOffset, endOffset) || startOffset == endOffset)
            return;
        const TextRange range = wholeRange(wholeText(), startOffset, endOffset);
        onField([&](auto& field) {
            field.setSelection(int(range.start), int(range.end - range.start));
            field.del();
        });
    }

    void insertText(int offset, const QString& text) override
    {
        replaceText(offset, offset, text);
    }

    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (!canEdit(startOffset, endOffset))
            return;
        const TextRange range = wholeRange(wholeText(), startOffset, endOffset);
        // As a paste goes into the line: no line break or tab, which the user
        // could neither type there nor see.
        const QString whole = LineBoundaries::oneLine(LineBoundaries::wholeCharacters(text));
        onField([&](auto& field) {
            if (range.start == range.end)
                field.setCursorPosition(int(range.start));
            else
                field.setSelection(int(range.start), int(range.end - range.start));
            field.insert(whole);
        });
    }

protected:
    QString wholeText() const override
    {
        return onField([](const auto& field) -> QString { return field.text(); });
    }

    QChar mask() const override
    {
        // The character the line edit shows, and its events tell, for each.
        if (edit()->echoMode() == QLineEdit::Normal)
            return QChar();
        return QChar(edit()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit()));
    }

    qsizetype caret() const override
    {
        return onField([](const auto& field) -> qsizetype { return field.cursorPosition(); });
    }

    TextRange selected() const override
    {
        // Both answer -1 for the ends of no selection.
        return onField([](const auto& field) -> TextRange { return {field.selectionStart(), field.selectionEnd()}; });
    }

    void select(qsizetype anchor, qsizetype position) override
    {
        // As a line edit selects: from the anchor, the caret at the other end.
        onField([&](auto& field) {
            if (anchor == position)
                field.setCursorPosition(int(position));
            else
                field.setSelection(int(anchor), int(position - anchor));
        });
    }

    QRect characterBox(qsizetype offset) const override
    {
        qsizetype shown = offset;
        if (const LineWindow* window = LineWindow::of(edit()))
            shown = window->shownPosition(offset);
        if (shown < 0 || shown >= edit()->text().size())
            return QRect();
        // Where the line edit draws the caret before the character, from
        // where it draws its own caret now: its line is laid out already.
        // Without Qt's private side, from the width of the text between the
        // two, as the font measures it.
        const QRect caretBox = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        qreal x = caretBox.center().x();
        if (QtPrivateState::runningQtIsBuildQt()) {
            auto* d = static_cast<QLineEditPrivate*>(QObjectPrivate::get(edit()));
            x += d->control->cursorToX(int(shown)) - d->control->cursorToX(d->control->cursor());
        } else {
            const qsizetype caret = edit()->cursorPosition();
            const QString line = edit()->displayText();
            x += shown >= caret ? metrics.horizontalAdvance(line.mid(caret, shown - caret))
                                : -metrics.horizontalAdvance(line.mid(shown, caret - shown));
        }
        const int width = std::max(1, metrics.horizontalAdvance(edit()->text().at(shown)));
        const QRect box(QPoint(qRound(x), caretBox.top()), QSize(width, caretBox.height()));
        return QRect(edit()->mapToGlobal(box.topLeft()), box.size());
    }

    qsizetype offsetAtScreenPoint(const QPoint& point) const override
    {
        const QPoint local = edit()->mapFromGlobal(point);
        if (!edit()->rect().contains(local))
            return -1;
        if (const LineWindow* window = LineWindow::of(edit()))
            return window->positionAt(local);
        return edit()->cursorPositionAt(local);
    }

    void reveal(qsizetype start, qsizetype end) override
    {
        // The line edit scrolls to its caret: to the end, then the start.
        select(end, end);
        select(start, start);
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }

    // `act` done to what holds the field's whole text: its window where it
    // has one (which answers as a line edit does), else the line edit.
    template <typename Act>
    std::invoke_result_t<Act, QLineEdit&> onField(Act&& act) const
    {
        if (LineWindow* window = LineWindow::of(edit()))
            return act(*window);
        return act(*edit());
    }

    bool canEdit(int startOffset, int endOffset) const
    {
        return !edit()->isReadOnly() && isRange(startOffset, endOffset, wholeText().size());
    }
};

} // namespace

QAccessibleInterface* makeTextAccessible(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return new LineEditAccessible(line);
    if (auto* edit = qobject_cast<QTextEdit*>(widget))
        return new TextEditAccessible(edit, edit);
    return nullptr;
}

} // namespace studio
