#include "design/text/SleekTextField.h"

#include "design/widgets/FieldFrame.h"
#include "design/widgets/FieldLabel.h"
#include "design/text/LineWindow.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

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
    m_window->setText(text);
}

} // namespace studio
