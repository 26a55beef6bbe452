#include "views/settings/SettingsTextField.h"

#include "design/FieldFrame.h"
#include "design/FocusRing.h"
#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Theme.h"
#include "design/Tokens.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
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
    layout->setContentsMargins(10, 7, 10, 7);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);
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

bool SettingsTextField::eventFilter(QObject* watched, QEvent* event)
{
    // The well shows the ring while the field has the focus.
    if (watched == m_edit && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}

void SettingsTextField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    shapes::fillRounded(p, r, 9, Palette::black(level::shade));
    shapes::strokeRoundedInside(p, r, 9, Palette::hairline(), 1.0);
    if (m_edit->hasFocus())
        FocusRing::paintRounded(p, r, 9);
}

} // namespace studio
