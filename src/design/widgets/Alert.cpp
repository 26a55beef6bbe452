#include "design/widgets/Alert.h"

#include "design/focus/KeyboardActivation.h"
#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/TextLabel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
// A message line longer than this wraps.
constexpr int messageLineWidth = 420;
// Narrower than this, two buttons and a short title look cramped.
constexpr int narrowest = 300;
constexpr int margin = 24;
} // namespace

Alert::Alert(QWidget* parent, const QString& title, const QString& message, const QString& spokenTitle)
    : SheetDialog(parent, QSize(narrowest, 160))
    , m_title(new TextLabel(title, Theme::font(type::title3, QFont::Bold), Palette::textPrimary(), this))
    , m_message(new TextLabel(message, Theme::font(type::body), Palette::textSecondary(), this))
    , m_buttons(new QWidget(this))
{
    setObjectName(u"alert"_s);
    setWindowTitle(spokenTitle.isEmpty() ? title : spokenTitle);
    // A reader hears the message with the alert's name as it opens.
    setAccessibleDescription(message);
    m_title->setWordWrap(true);
    m_message->setWordWrap(true);
    m_message->setVisible(!message.isEmpty());

    auto* column = new QVBoxLayout;
    column->setContentsMargins(margin, margin - 4, margin, margin - 6);
    column->setSpacing(8);
    column->addWidget(m_title);
    column->addWidget(m_message);
    column->addSpacing(10);
    auto* row = new QHBoxLayout(m_buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addStretch(1);
    column->addWidget(m_buttons);
    contentLayout()->addLayout(column);
    connect(this, &SheetDialog::finished, this, [this] { Q_EMIT answered(isConfirmed()); });
}

Alert* Alert::confirmation(QWidget* parent, const QString& title, const QString& message,
                           const QString& destructiveText)
{
    auto* alert = new Alert(parent, title, message, QString());
    // The label shows as typed: a styled button reads no '&' as a mnemonic.
    alert->m_destructive = new GhostButton(destructiveText, Palette::danger());
    alert->addButton(alert->m_destructive, false);
    alert->m_cancel = new PrimaryButton(u"Cancel"_s);
    alert->addButton(alert->m_cancel, true);
    connect(alert->m_destructive, &QAbstractButton::clicked, alert, [alert] {
        alert->m_confirmed = true;
        alert->accept();
    });
    connect(alert->m_cancel, &QAbstractButton::clicked, alert, &SheetDialog::reject);
    alert->fitSize();
    return alert;
}

Alert* Alert::information(QWidget* parent, const QString& title, const QString& message,
                          const QString& spokenTitle)
{
    auto* alert = new Alert(parent, title, message, spokenTitle);
    alert->m_cancel = new PrimaryButton(u"OK"_s);
    alert->addButton(alert->m_cancel, true);
    connect(alert->m_cancel, &QAbstractButton::clicked, alert, &SheetDialog::accept);
    alert->fitSize();
    return alert;
}

QString Alert::text() const
{
    return m_title->text();
}

QString Alert::informativeText() const
{
    return m_message->text();
}

void Alert::addButton(QAbstractButton* button, bool isDefault)
{
    m_buttons->layout()->addWidget(button);
    if (isDefault) {
        m_default = button;
        button->setFocus(Qt::OtherFocusReason);
    }
}

void Alert::keyPressEvent(QKeyEvent* event)
{
    // Return presses the default button while no button holds the keyboard
    // (a button that holds it is pressed by the program's own Return rule,
    // KeyboardActivation), as a dialog does for its default button.
    if (KeyboardActivation::isReturnPress(*event) && m_default && m_default->isEnabled()) {
        m_default->click();
        return;
    }
    SheetDialog::keyPressEvent(event);
}

int Alert::fittingWidth(const QString& title, const QString& message, const QFont& titleFont,
                        const QFont& messageFont)
{
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
    const QFontMetrics fm(messageFont);
    int longest = 0;
    for (const QString& line : message.split(u'\n'))
        longest = std::max(longest, fm.horizontalAdvance(line));
    return std::max(titleWidth, std::min(longest, messageLineWidth));
}

void Alert::fitSize()
{
    const int text = fittingWidth(m_title->text(), m_message->text(), m_title->font(), m_message->font());
    const int width = std::max({narrowest, text + 2 * margin, m_buttons->sizeHint().width() + 2 * margin});
    QLayout* content = contentLayout();
    content->activate();
    resize(width, content->hasHeightForWidth() ? content->totalHeightForWidth(width) : content->totalSizeHint().height());
}

} // namespace studio
