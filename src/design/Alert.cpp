#include "design/Alert.h"

#include "design/Theme.h"

#include <QGuiApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
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
    alert->m_destructive = alert->addButton(Theme::escapeMnemonic(destructiveText), QMessageBox::DestructiveRole);
    QPushButton* cancel = alert->addButton(u"Cancel"_s, QMessageBox::RejectRole);
    alert->m_cancel = cancel;
    alert->setDefaultButton(cancel);
    alert->setEscapeButton(cancel);
    alert->fitWidth();
    return alert;
}

Alert* Alert::information(QWidget* parent, const QString& title, const QString& message,
                          const QString& windowTitle)
{
    auto* alert = new Alert(parent, title, message, windowTitle);
    QPushButton* ok = alert->addButton(QMessageBox::Ok);
    alert->m_cancel = ok;
    alert->setDefaultButton(ok);
    alert->setEscapeButton(ok);
    alert->fitWidth();
    return alert;
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
