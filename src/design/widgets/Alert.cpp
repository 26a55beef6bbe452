#include "design/widgets/Alert.h"

#include "design/widgets/GhostButton.h"
#include "design/focus/KeyboardActivation.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
// A message line longer than this wraps.
constexpr int messageLineWidth = 420;
// What a title bar spends besides the title: its buttons and margins. The
// window manager's title font is its own, usually larger and bolder than the
// program's; the title is measured in the program's font at this scale.
constexpr int titleBarChrome = 150;
constexpr qreal titleFontScale = 1.2;
} // namespace

Alert::Alert(QWidget* parent, const QString& title, const QString& message, const QString& windowTitle)
    : QMessageBox(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(windowTitle.isEmpty() ? title : windowTitle);
    setTextFormat(Qt::PlainText);
    setText(title);
    setInformativeText(message);
    // The informative label reads markup unless told otherwise.
    if (auto* info = findChild<QLabel*>(u"qt_msgbox_informativelabel"_s))
        info->setTextFormat(Qt::PlainText);
    connect(this, &QDialog::finished, this, [this] { Q_EMIT answered(isConfirmed()); });
}

Alert* Alert::confirmation(QWidget* parent, const QString& title, const QString& message,
                           const QString& destructiveText)
{
    auto* alert = new Alert(parent, title, message, QString());
    // The label shows as typed: a styled button reads no '&' as a mnemonic.
    alert->m_destructive = new GhostButton(destructiveText, Palette::danger());
    alert->addStyledButton(alert->m_destructive, QMessageBox::DestructiveRole, false);
    alert->m_cancel = new PrimaryButton(u"Cancel"_s);
    alert->addStyledButton(alert->m_cancel, QMessageBox::RejectRole, true);
    alert->setEscapeButton(alert->m_cancel);
    alert->fitWidth();
    return alert;
}

Alert* Alert::information(QWidget* parent, const QString& title, const QString& message,
                          const QString& windowTitle)
{
    auto* alert = new Alert(parent, title, message, windowTitle);
    alert->m_cancel = new PrimaryButton(u"OK"_s);
    alert->addStyledButton(alert->m_cancel, QMessageBox::AcceptRole, true);
    alert->setEscapeButton(alert->m_cancel);
    alert->fitWidth();
    return alert;
}

void Alert::addStyledButton(QAbstractButton* button, ButtonRole role, bool isDefault)
{
    addButton(button, role);
    if (isDefault) {
        m_default = button;
        button->setFocus(Qt::OtherFocusReason);
    }
}

void Alert::keyPressEvent(QKeyEvent* event)
{
    // Return presses the default button while no button holds the keyboard
    // (a button that holds it is pressed by the program's own Return rule,
    // KeyboardActivation), as a dialog does for its push buttons; the
    // design's buttons are not push buttons, so the dialog would not.
    if (KeyboardActivation::isReturnPress(*event) && m_default && m_default->isEnabled()) {
        m_default->click();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

bool Alert::isConfirmed() const
{
    return m_destructive && clickedButton() == m_destructive;
}

QString Alert::shownWindowTitle(const QString& title)
{
    const QString name = QGuiApplication::applicationDisplayName();
    if (name.isEmpty() || title.endsWith(name))
        return title;
    return title.isEmpty() ? name : title + u" \u2014 "_s + name;
}

int Alert::fittingWidth(const QString& windowTitle, const QString& message, const QFont& font)
{
    QFont titleFont = font;
    titleFont.setBold(true);
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(titleFont.pointSizeF() * titleFontScale);
    else
        titleFont.setPixelSize(int(titleFont.pixelSize() * titleFontScale));
    const int title = QFontMetrics(titleFont).horizontalAdvance(shownWindowTitle(windowTitle)) + titleBarChrome;
    const QFontMetrics fm(font);
    int longest = 0;
    for (const QString& line : message.split(u'\n'))
        longest = std::max(longest, fm.horizontalAdvance(line));
    return std::max(title, std::min(longest, messageLineWidth));
}

void Alert::fitWidth()
{
    // QMessageBox sizes itself when shown, from its labels' minimum widths;
    // a minimum on the message label carries the width wanted through that.
    auto* info = findChild<QLabel*>(u"qt_msgbox_informativelabel"_s);
    if (!info)
        info = findChild<QLabel*>(u"qt_msgbox_label"_s);
    if (!info)
        return;
    int width = fittingWidth(windowTitle(), informativeText(), info->font());
    if (layout()) {
        const QMargins margins = layout()->contentsMargins();
        width -= margins.left() + margins.right();
    }
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width() * 3 / 4);
    info->setMinimumWidth(std::max(0, width));
}

} // namespace studio
