#include "design/text/PlainTextField.h"

#include "design/widgets/FieldFrame.h"
#include "design/focus/FocusOutline.h"
#include "design/text/LineWindow.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace studio {

PlainTextField::PlainTextField(const QString& placeholder, const QFont& font, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_window(new LineWindow(m_edit))
{
    makePlainEditor(m_edit, font);
    m_edit->setFrame(false);
    m_edit->setTextMargins(0, 0, 0, 0);
    m_edit->setPlaceholderText(placeholder);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    new FocusOutline(this, m_edit);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_window, &LineWindow::textEdited, this, &PlainTextField::textEdited);
}

QString PlainTextField::text() const
{
    return m_window->text();
}

void PlainTextField::setText(const QString& text)
{
    m_window->setText(text);
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
