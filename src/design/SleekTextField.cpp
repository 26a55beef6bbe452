#include "design/SleekTextField.h"

#include "design/FieldFrame.h"
#include "design/FieldLabel.h"
#include "design/LineWindow.h"
#include "design/Theme.h"
#include "design/Tokens.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace studio {

SleekTextField::SleekTextField(const QString& label, const QString& placeholder, QWidget* parent)
    : QWidget(parent)
    , m_label(new FieldLabel(label, this))
    , m_edit(new QLineEdit(this))
    , m_window(new LineWindow(m_edit))
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
    // Read out by the caption the field shows.
    m_edit->setAccessibleName(label);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_window, &LineWindow::textEdited, this, &SleekTextField::textEdited);
}

QString SleekTextField::text() const
{
    return m_window->text();
}

void SleekTextField::setText(const QString& text)
{
    if (m_window->text() == text)
        return;
    // A field nobody is typing in shows the start of its text; in one the
    // user is in, the caret goes to the end, as a line edit puts it.
    const qsizetype caret = m_edit->hasFocus() ? text.size() : 0;
    m_window->setText(text, caret, caret);
}

} // namespace studio
