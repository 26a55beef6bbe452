#include "support/ListeningTest.h"

#include "design/DesignSystem.h"

#include <QApplication>
#include <QTest>

namespace studio::test {

void ListeningTest::initTestCase()
{
    listen();
    DesignSystem::install(*qApp);
}

void ListeningTest::init()
{
    heard().clear();
}

void ListeningTest::cleanup()
{
    QVERIFY(heardOf(QAccessible::ObjectReorder).isEmpty());
}

} // namespace studio::test

// Here rather than with the other classes of the support library, which tests
// that build no widgets use too.
#include "moc_ListeningTest.cpp"
