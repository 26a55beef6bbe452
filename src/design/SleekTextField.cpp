#include "design/SleekTextField.h"

#include "design/FieldFrame.h"
#include "design/FieldLabel.h"
#include "design/Theme.h"
#include "design/Tokens.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace studio {

SleekTextField::SleekTextField(const QString& label, const QString& placeholder, QWidget* parent)
    : QWidget(parent)
    , m_label(new FieldLabel(label, this))
    , m_edit(new QLineEdit(this))
{
    makePlainEditor(m_edit, Theme::font(type::headline));
    m_edit->setFrame(false);
    m_edit->setPlaceholderText(placeholder);
    m_edit->setTextMargins(0, 0, 0, 0);
    auto* frame = new FieldFrame(m_edit, QMargins(10, 8, 10, 8), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_label);
    layout->addWidget(frame);
    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_edit, &QLineEdit::textEdited, this, &SleekTextField::textEdited);
}

QString SleekTextField::text() const
{
    return m_edit->text();
}

void SleekTextField::setText(const QString& text)
{
    if (m_edit->text() == text)
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(text);
    // A field nobody is typing in shows the start of its text, not the end
    // QLineEdit scrolls to.
    if (!m_edit->hasFocus())
        m_edit->setCursorPosition(0);
}

} // namespace studio
