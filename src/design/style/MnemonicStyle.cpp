#include "design/style/MnemonicStyle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace studio {

MnemonicStyle::MnemonicStyle(QStyle* base)
    : QProxyStyle(base)
{
}

void MnemonicStyle::setAltHeld(bool held)
{
    if (held == m_altHeld)
        return;
    m_altHeld = held;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (qobject_cast<QMenu*>(window))
            window->update();
        for (QMenuBar* bar : window->findChildren<QMenuBar*>())
            bar->update();
    }
}

int MnemonicStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    if (hint == SH_UnderlineShortcut)
        return m_altHeld ? 1 : 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

bool MnemonicStyle::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt)
            setAltHeld(event->type() == QEvent::KeyPress);
        else if (!key->modifiers().testFlag(Qt::AltModifier))
            setAltHeld(false); // a release we never saw (it went to another program)
        break;
    }
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowDeactivate:
        setAltHeld(false);
        break;
    default:
        break;
    }
    return QProxyStyle::eventFilter(watched, event);
}

} // namespace studio
