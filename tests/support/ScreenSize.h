#pragma once

// Runs a test program on offscreen screens of given sizes instead of Qt's
// default small one, for the tests of the main window at the size they
// picture or sweep: the window never stands larger than its screen.
//
//   STUDIO_TEST_MAIN_ON_SCREEN(MainWindowScreensTest, 1920, 1080)

#include <QApplication>
#include <QByteArray>
#include <QRect>
#include <QTemporaryFile>
#include <QTest>

class QScreen;

namespace studio::test {

// One screen a line: {"name": …, "x": …, "y": …, "width": …, "height": …}.
// The platform reads the description while the application starts.
template <class Test>
int runOnScreens(int argc, char** argv, const QByteArray& screens)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write("{\"screens\": [" + screens + "]}");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

inline QByteArray screen(const char* name, int x, int y, int width, int height)
{
    return QByteArray("{\"name\": \"") + name + "\", \"x\": " + QByteArray::number(x) + ", \"y\": "
           + QByteArray::number(y) + ", \"width\": " + QByteArray::number(width) + ", \"height\": "
           + QByteArray::number(height) + ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}";
}

// Tells the application the screen's free area is now `free` (a panel came,
// or went when `free` is the whole screen), as the platform would.
void setFreeArea(QScreen* screen, const QRect& free);

} // namespace studio::test

#define STUDIO_TEST_MAIN_ON_SCREEN(TestClass, width, height)                                       \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        return studio::test::runOnScreens<TestClass>(argc, argv,                                   \
                                                     studio::test::screen("main", 0, 0, width, height)); \
    }
