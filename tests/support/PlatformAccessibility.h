#pragma once

// Switches the platform's accessibility on or off, as a screen reader's
// bridge does when it attaches or leaves: only then does the program send
// what it tells a reader. Offscreen Qt has no reader to attach, so the tests
// and the benchmarks switch it through Qt's private side; a platform without
// accessibility would leave them measuring or checking nothing, so it stops
// the program in every build.
//
// Header only, so the benchmarks use it too; whoever includes it links
// Qt6::GuiPrivate.

#include <QAccessible>
#include <QtGlobal>

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace studio::test {

// Once the application exists.
inline void setPlatformAccessibility(bool on)
{
    if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration()) {
        if (QPlatformAccessibility* accessibility = platform->accessibility())
            accessibility->setActive(on);
    }
    if (QAccessible::isActive() != on)
        qFatal("The platform's accessibility could not be switched %s", on ? "on" : "off");
}

} // namespace studio::test
