#include "design/PlainTextField.h"

#include "design/FieldFrame.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace studio {

PlainTextField::PlainTextField(const QString& placeholder, const QFont& font, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
{
    makePlainEditor(m_edit, font);
    m_edit->setFrame(false);
    m_edit->setTextMargins(0, 0, 0, 0);
    m_edit->setPlaceholderText(placeholder);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_edit, &QLineEdit::textEdited, this, &PlainTextField::textEdited);
}

QString PlainTextField::text() const
{
    return m_edit->text();
}

void PlainTextField::setText(const QString& text)
{
    if (m_edit->text() == text)
        return;
    const bool focused = m_edit->hasFocus();
    const int position = m_edit->cursorPosition();
    const int selectionStart = m_edit->selectionStart();
    const int selectionEnd = m_edit->selectionEnd();
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(text);
    if (!focused) {
        // A field nobody is typing in shows the start of its text, not the
        // end QLineEdit scrolls to.
        m_edit->setCursorPosition(0);
        return;
    }
    // The same offsets in the new text (clamped), not the end of it.
    const int length = int(text.size());
    if (selectionStart >= 0 && selectionEnd > selectionStart) {
        const int anchor = std::clamp(position == selectionStart ? selectionEnd : selectionStart, 0, length);
        m_edit->setSelection(anchor, std::clamp(position, 0, length) - anchor);
    } else {
        m_edit->setCursorPosition(std::clamp(position, 0, length));
    }
}

void PlainTextField::setPlaceholder(const QString& placeholder)
{
    m_edit->setPlaceholderText(placeholder);
}

void PlainTextField::setTextColor(const QColor& color)
{
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Text, color);
    m_edit->setPalette(pal);
}

} // namespace studio
