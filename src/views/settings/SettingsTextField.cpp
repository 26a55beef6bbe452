#include "views/settings/SettingsTextField.h"

#include "design/widgets/FieldFrame.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace studio {

SettingsTextField::SettingsTextField(const QString& placeholder, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
{
    makePlainEditor(m_edit, Theme::font(type::body));
    m_edit->setFrame(false);
    m_edit->setPlaceholderText(placeholder);
    m_edit->setTextMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new FieldFrame(m_edit, QMargins(10, 7, 10, 7), this, 9));
    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_edit, &QLineEdit::textEdited, this, &SettingsTextField::textEdited);
}

QString SettingsTextField::text() const
{
    return m_edit->text();
}

void SettingsTextField::setText(const QString& text)
{
    if (m_edit->text() == text)
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(text);
}

void SettingsTextField::setSecret(bool secret)
{
    m_edit->setEchoMode(secret ? QLineEdit::Password : QLineEdit::Normal);
}

} // namespace studio
