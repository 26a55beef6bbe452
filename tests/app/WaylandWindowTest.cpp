// The main window as a Wayland client of a real compositor: a Weston without
// a screen, whose desktop shell keeps a panel along the top of the output.
// The test starts itself as the program (the same start-up as main()), which
// shows its window, maximises it and restores it, telling each picture of
// the window it puts on screen. Every picture fits the output below the
// panel, from the first; maximised, the window takes the size the compositor
// configures and the program goes on running. At 1366×768, at an output
// scale of 2, and with QT_SCALE_FACTOR=2 at 1440×900; and as an X program of
// the compositor's X server, whose window manager tells neither its panel
// nor its frames, where the window stands on the output below the panel.

#include "app/MainWindow.h"
#include "app/StudioApp.h"
#include "support/DisplayServers.h"

#include <QApplication>
#include <QProcess>
#include <QRasterWindow>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QString childFlag = u"--run-studio"_s;
// The panel of Weston's desktop shell, in the compositor's units.
constexpr int westonPanel = 32;

void tell(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Where the window's content stands on the X server's screen: "<top>
// <bottom>"; nothing for a Wayland client.
QString placeOnX(const QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return {};
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, xcb_window_t(window.winId()), root, 0, 0), nullptr),
        &std::free);
    return at ? u" %1 %2"_s.arg(at->dst_y).arg(at->dst_y + window.height()) : QString();
}

// Tells "picture <state> <width> <height>" of the window's frame (for an X
// program, of the window itself, and where it stands) each time the window's
// picture goes out: as it is exposed and at each update.
class PictureReporter : public QObject {
public:
    explicit PictureReporter(QWidget* window)
        : m_window(window)
    {
    }

    int pictures = 0;
    // The last picture's.
    bool maximized = false;
    QSize frame;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool exposed = event->type() == QEvent::Expose && m_window->windowHandle()
            && m_window->windowHandle()->isExposed();
        if (exposed || event->type() == QEvent::UpdateRequest) {
            ++pictures;
            maximized = m_window->isMaximized();
            // Qt learns an X frame late, and not always anew: there the
            // window's own size tells its state.
            frame = QGuiApplication::platformName() == u"xcb"_s ? m_window->size() : m_window->frameGeometry().size();
            tell(u"picture %1 %2 %3"_s.arg(maximized ? u"maximized"_s : u"normal"_s)
                     .arg(frame.width())
                     .arg(frame.height())
                 + placeOnX(*m_window));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
};

// Weston's shell puts its panel up a moment after the compositor starts: a
// window maximised before that would stand over the whole output. A bare
// window is maximised until it stands below the panel.
bool waitForPanel()
{
    const QRect output = QGuiApplication::primaryScreen()->geometry();
    std::unique_ptr<QRasterWindow> probe;
    return QTest::qWaitFor(
        [&] {
            if (probe && probe->isExposed() && (probe->windowStates() & Qt::WindowMaximized)) {
                if (probe->frameGeometry().height() < output.height())
                    return true;
                probe.reset();
            }
            if (!probe) {
                probe = std::make_unique<QRasterWindow>();
                probe->showMaximized();
            }
            return false;
        },
        30000);
}

int runStudio(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    if (!waitForPanel())
        return 5;
    tell(u"panel"_s);
    StudioApp::configure(qapp);
    StudioApp studio;
    MainWindow& window = studio.window();
    PictureReporter pictures(&window);
    window.installEventFilter(&pictures);
    studio.show();
    window.windowHandle()->installEventFilter(&pictures);
    tell(u"screen %1 %2"_s.arg(window.screen()->geometry().width()).arg(window.screen()->geometry().height()));

    // Each step waits for a picture in the size the compositor configured
    // for it: the window's state changes at once when the program asks, its
    // size only with the compositor's answer (and a request made before
    // that answer lands would race Qt's own handling of it).
    const int outputWidth = window.screen()->geometry().width();
    const auto waitFor = [](auto condition) { return QTest::qWaitFor(condition, 30000); };
    // An X window manager that keeps the free area to itself may not tell
    // the frame either: its window is narrower than the output maximised.
    const bool onX = QGuiApplication::platformName() == u"xcb"_s;
    if (!waitFor([&] { return pictures.pictures > 0 && (onX || !window.windowHandle()->frameMargins().isNull()); }))
        return 2;
    const int normalWidth = pictures.frame.width();
    tell(u"maximizing"_s);
    window.showMaximized();
    if (!waitFor([&] { return pictures.maximized && pictures.frame.width() >= (onX ? normalWidth + 1 : outputWidth); }))
        return 3;
    tell(u"maximized"_s);
    // Restoring asks the compositor again: its answer means it took the
    // maximised picture sent before.
    const int maximizedWidth = pictures.frame.width();
    window.showNormal();
    if (!waitFor([&] { return !pictures.maximized && pictures.frame.width() < maximizedWidth; }))
        return 4;
    tell(u"restored"_s);
    return 0;
}

} // namespace

class WaylandWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!test::HeadlessWeston::installed())
            QSKIP("Weston is not installed (scripts/setup installs it)");
    }

    void everyPictureFitsBelowThePanel_data()
    {
        QTest::addColumn<QSize>("mode");
        QTest::addColumn<int>("outputScale");
        QTest::addColumn<int>("qtScale");
        QTest::addColumn<bool>("xProgram");
        QTest::newRow("1366×768") << QSize(1366, 768) << 1 << 1 << false;
        QTest::newRow("1366×768 at output scale 2") << QSize(683, 384) << 2 << 1 << false;
        QTest::newRow("1440×900 with QT_SCALE_FACTOR=2") << QSize(1440, 900) << 1 << 2 << false;
        QTest::newRow("1366×768, an X program") << QSize(1366, 768) << 1 << 1 << true;
    }

    void everyPictureFitsBelowThePanel()
    {
        QFETCH(QSize, mode);
        QFETCH(int, outputScale);
        QFETCH(int, qtScale);
        QFETCH(bool, xProgram);
        test::HeadlessWeston weston(mode, outputScale, xProgram);
        const QString failed = weston.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        QProcess child;
        QProcessEnvironment environment = weston.clientEnvironment(QProcessEnvironment::systemEnvironment());
        environment.insert(u"QT_SCALE_FACTOR"_s, QString::number(qtScale));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(), {childFlag});
        QVERIFY(child.waitForStarted());
        const bool finished = child.waitForFinished(90000);
        if (!finished)
            child.kill();
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(finished, qPrintable(u"the program hung after:\n"_s + lines.join(u'\n') + weston.output()));
        const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
        const QString told = lines.join(u"\n"_s) + u"\n"_s + errors + weston.output();
        // Qt 6.4's Wayland client now and then aborts in libwayland as a
        // program ends, in a race between its own threads (mended in later
        // Qt): with every step done, such an end is Qt's, not the window's.
        const bool endedInQtsRace = lines.contains(u"restored"_s) && errors.contains(u"wl_proxy_unref: Assertion"_s);
        QVERIFY2((child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0) || endedInQtsRace,
                 qPrintable(told));
        QVERIFY2(lines.contains(u"maximized"_s) && lines.contains(u"restored"_s), qPrintable(told));

        const auto screenLine = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith(u"screen "_s); });
        QVERIFY2(screenLine != lines.end(), qPrintable(told));
        const QStringList screen = screenLine->split(u' ');
        // Qt rounds each part of a scaled frame in its own units.
        const int rounding = qtScale - 1;
        const QSize free(screen[1].toInt() + rounding, screen[2].toInt() - westonPanel / qtScale + rounding);
        bool started = true;
        for (const QString& line : lines) {
            started = started && line != u"maximizing"_s;
            const QStringList words = line.split(u' ');
            if (words.first() != u"picture"_s)
                continue;
            // An X window's frame as Qt learns it takes in the shadows
            // Weston draws round it, off the output when maximised: there
            // its content must stand below the panel, on the output, as
            // it starts. (Weston's window manager moves and sizes a window
            // in two steps, which a picture may come between.)
            if (xProgram) {
                if (!started)
                    continue;
                QVERIFY2(words.size() == 6 && words[4].toInt() >= westonPanel && words[5].toInt() <= mode.height(),
                         qPrintable(line + u" off the output below the panel\n"_s + told));
                continue;
            }
            const QSize frame(words[2].toInt(), words[3].toInt());
            QVERIFY2(frame.width() <= free.width() && frame.height() <= free.height(),
                     qPrintable(line + u" beyond the free area "_s + QDebug::toString(free) + u"\n"_s + told));
        }
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == childFlag)
            return runStudio(argc, argv);
    }
    QCoreApplication app(argc, argv);
    WaylandWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WaylandWindowTest.moc"
