#include "support/ScreenSize.h"

#include <QScreen>
#include <QtGui/qpa/qwindowsysteminterface.h>

namespace studio::test {

void setFreeArea(QScreen* screen, const QRect& free)
{
    QWindowSystemInterface::handleScreenGeometryChange(screen, screen->geometry(), free);
    QWindowSystemInterface::flushWindowSystemEvents();
}

} // namespace studio::test
