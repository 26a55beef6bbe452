#include "app/ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// The window's content, as large as the window gives it and never smaller
// than its own minimum: only on a screen that cannot hold that minimum (a
// screen's controls that cannot be narrower, say) does it scroll. Its height
// is never taken from the content's preferred height for a width, as a plain
// scroll area would: the pages in it scroll their own long content. It takes
// no Tab stop and no key: the keyboard moves through the controls, and the
// one it is on is scrolled into view wherever it stands.
class ContentArea : public QScrollArea {
public:
    explicit ContentArea(QWidget* parent)
        : QScrollArea(parent)
    {
        setObjectName(u"windowContent"_s);
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        place();
    }

    bool viewportEvent(QEvent* event) override
    {
        // The content's minimum changed (another screen in it, say).
        if (event->type() == QEvent::LayoutRequest)
            place();
        return QScrollArea::viewportEvent(event);
    }

private:
    void place()
    {
        QWidget* content = widget();
        if (!content)
            return;
        const QSize minimum = content->minimumSizeHint().expandedTo(content->minimumSize());
        const QSize size = viewport()->size().expandedTo(minimum);
        if (content->size() != size)
            content->resize(size);
    }
};

template <typename Reply>
using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Whether the X window manager tells the desktop's free area. One that
// follows the desktop conventions and keeps it to itself (Weston's, for the
// X programs of a Wayland session) keeps its panels and where it puts a
// window to itself as a Wayland compositor does. An X server with no such
// window manager gives a window its whole screen, where it asks.
bool windowManagerTellsFreeArea()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return true;
    const auto onRoot = [connection](std::string_view name) {
        const XReply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::uint16_t(name.size()), name.data()),
                                  nullptr),
            &std::free);
        if (!atom || atom->atom == XCB_ATOM_NONE)
            return false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const XReply<xcb_get_property_reply_t> property(
            xcb_get_property_reply(connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_ANY, 0, 1),
                                   nullptr),
            &std::free);
        return property && property->type != XCB_ATOM_NONE;
    };
    return onRoot("_NET_WORKAREA") || !onRoot("_NET_SUPPORTING_WM_CHECK");
}

// A Wayland client sees the whole output and never the compositor's panels,
// nor where its window stands: the compositor places it. An X11 window
// manager tells both, as a rule. Asked once: the window manager is there
// before the first window.
bool screenTellsFreeArea()
{
    static const bool tells = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform.startsWith(u"wayland"_s))
            return false;
        return platform != u"xcb"_s || windowManagerTellsFreeArea();
    }();
    return tells;
}

// The frame an X window manager put round `window`, from the windows it
// stands in: one that keeps the free area to itself may not tell Qt the
// frame either.
QMargins xFrame(const QWindow& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const auto client = xcb_window_t(window.winId());
    xcb_window_t frame = client;
    xcb_window_t root = XCB_WINDOW_NONE;
    for (;;) {
        const XReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, frame), nullptr), &std::free);
        if (!tree)
            return {};
        root = tree->root;
        if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            break;
        frame = tree->parent;
    }
    if (frame == client)
        return {};
    const XReply<xcb_get_geometry_reply_t> outer(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr), &std::free);
    const XReply<xcb_get_geometry_reply_t> inner(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, client), nullptr), &std::free);
    const XReply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, client, root, 0, 0), nullptr),
        &std::free);
    if (!outer || !inner || !at)
        return {};
    const int left = at->dst_x - outer->x;
    const int top = at->dst_y - outer->y;
    const int right = outer->width + 2 * outer->border_width - left - inner->width;
    const int bottom = outer->height + 2 * outer->border_width - top - inner->height;
    // In the program's units, as Qt's own are.
    const qreal ratio = window.devicePixelRatio();
    return QMargins(qRound(left / ratio), qRound(top / ratio), qRound(right / ratio), qRound(bottom / ratio));
}

// The frame round the window: Qt's, where it knows it.
QMargins frameOf(const QWidget& widget)
{
    const QWindow* window = widget.windowHandle();
    if (!window)
        return {};
    const QMargins told = window->frameMargins();
    if (!told.isNull() || screenTellsFreeArea() || QGuiApplication::platformName() != u"xcb"_s || !widget.isVisible())
        return told;
    return xFrame(*window);
}

// What a panel or two may take of an output whose free area is unknown, on
// each side's length: a tenth of it, and never less than a panel's height.
int panelRoom(int length)
{
    return std::max(length / 10, 48);
}

// The screen's free area: where the platform cannot tell it, the output less
// room for its panels, which keeps the window's minimum inside any maximised
// size the compositor may configure.
QRect freeArea(const QScreen& screen)
{
    if (screenTellsFreeArea())
        return screen.availableGeometry();
    const QRect output = screen.geometry();
    return {output.topLeft(), output.size() - QSize(panelRoom(output.width()), panelRoom(output.height()))};
}

} // namespace

ScreenFit::ScreenFit(QMainWindow* window, QWidget* content, QSize minimumContent, QSize comfortable)
    : QObject(window)
    , m_window(window)
    , m_area(new ContentArea(window))
    , m_minimumContent(minimumContent)
{
    // The content has given the keyboard to one of its views already (for
    // when the window first shows); moving it into the area would take that
    // back.
    const QPointer<QWidget> keyboard = content->focusWidget();
    m_area->setWidget(content);
    window->setCentralWidget(m_area);
    if (keyboard && !keyboard->hasFocus())
        keyboard->setFocus(Qt::OtherFocusReason);
    fit();
    // A comfortable first size, never above what the screen offers, and
    // never below the minimum the screen allows.
    QSize size = comfortable;
    if (const QScreen* screen = window->screen())
        size = size.boundedTo(freeArea(*screen).size() * 0.92);
    window->resize(size.expandedTo(window->minimumSizeHint()));
    window->installEventFilter(this);
}

QSize ScreenFit::room() const
{
    const QScreen* screen = m_window->screen();
    if (!screen)
        return m_minimumContent;
    const QRect free = freeArea(*screen);
    // Nothing until the window manager has framed the window.
    const QMargins frame = frameOf(*m_window);
    const QWidget* menu = m_window->menuWidget();
    const int menuHeight = menu && !menu->isHidden() ? menu->sizeHint().height() : 0;
    return {free.width() - frame.left() - frame.right(), free.height() - frame.top() - frame.bottom() - menuHeight};
}

void ScreenFit::fitMinimum()
{
    const QSize minimum = m_minimumContent.boundedTo(room()).expandedTo(QSize(0, 0));
    if (m_area->minimumSize() != minimum)
        m_area->setMinimumSize(minimum);
}

void ScreenFit::fit()
{
    fitMinimum();
    if (!m_window->isVisible() || (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QScreen* screen = m_window->screen();
    if (!screen)
        return;
    // The window's own minimum follows the content's now, not at the next
    // layout pass, so the window may be made as small as the area needs.
    if (QLayout* layout = m_window->layout())
        layout->activate();
    const QRect free = freeArea(*screen);
    const QRect frame = m_window->geometry() + frameOf(*m_window);
    const bool placedHere = screenTellsFreeArea();
    if (placedHere ? free.contains(frame) : free.width() >= frame.width() && free.height() >= frame.height())
        return;
    const QSize chrome = frame.size() - m_window->size();
    const QSize size = m_window->size().boundedTo(free.size() - chrome).expandedTo(m_window->minimumSize());
    m_window->resize(size);
    // Where the compositor places the window, it keeps it on the screen.
    if (!placedHere)
        return;
    const QSize outer = size + chrome;
    const int x = std::clamp(frame.x(), free.left(), std::max(free.left(), free.right() + 1 - outer.width()));
    const int y = std::clamp(frame.y(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height()));
    m_window->move(x, y);
}

void ScreenFit::watchScreen()
{
    if (!m_watchingWindow && m_window->windowHandle()) {
        m_watchingWindow = true;
        connect(m_window->windowHandle(), &QWindow::screenChanged, this, [this] {
            watchScreen();
            fit();
        });
    }
    QScreen* screen = m_window->screen();
    if (screen == m_screen)
        return;
    if (m_screen)
        disconnect(m_screen, nullptr, this, nullptr);
    m_screen = screen;
    if (screen)
        connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::fit);
}

void ScreenFit::refitIfFramedAnew()
{
    if (!m_window->isVisible() || !m_window->windowHandle() || frameOf(*m_window) == m_frame)
        return;
    // Framed the first time, the window may stand where the window manager
    // put it, out of the free area. A frame changed later (back from
    // maximised or full screen) comes with the window manager's own place
    // and size for the window, which reach it in steps, its place before its
    // size or after: a window half way there sticks out of nothing. Only the
    // room for the content follows.
    m_frame = frameOf(*m_window);
    if (m_framed) {
        fitMinimum();
        return;
    }
    m_framed = !m_frame.isNull();
    fit();
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            watchScreen();
            m_frame = frameOf(*m_window);
            m_framed = !m_frame.isNull();
            fit();
            // A frame the program draws itself (on Wayland) is made as the
            // window shows, after this event: it is fitted before the
            // window's first picture goes out, which waits for the
            // compositor's answer.
            QMetaObject::invokeMethod(this, &ScreenFit::refitIfFramedAnew, Qt::QueuedConnection);
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            // The window manager framed the window (or framed it anew): the
            // room left for the content is known now.
            refitIfFramedAnew();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
