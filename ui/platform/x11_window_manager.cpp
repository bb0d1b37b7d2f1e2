// The window manager on X11: frame extents asked before mapping, and taskbar hints, over Qt's xcb
// connection.
#include "window_manager.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>

namespace chromatta::ui {

namespace {

// Qt's own connection, on X11 only. The offscreen platform answers for X11 too, without a
// connection to a display.
xcb_connection_t *x11Connection()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr)
        return nullptr;
    return x11->connection();
}

xcb_atom_t atom(xcb_connection_t *connection, std::string_view name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

PropertyReply property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                       xcb_atom_t type, std::uint32_t longs)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, name, type, 0, longs);
    return PropertyReply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
}

xcb_window_t rootOf(xcb_connection_t *connection)
{
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return screens.rem > 0 ? screens.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

// Whether the running window manager lists `feature` in _NET_SUPPORTED.
bool windowManagerSupports(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t feature)
{
    const PropertyReply supported =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (supported == nullptr || supported->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

} // namespace

std::optional<QMargins> frameExtentsBeforeMapping(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr)
        return std::nullopt;
    const xcb_window_t root = rootOf(connection);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (root == XCB_WINDOW_NONE || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !windowManagerSupports(connection, root, request))
        return std::nullopt;

    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The window manager answers by setting the property on the window, as soon as it has read
    // the request; Qt's event thread takes the notice of it, so the property is read back until
    // it is there, often: the game window waits for it at start-up, and the answer comes within
    // a millisecond or two. A window manager that lists the request but never answers costs
    // 100 ms a window.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    do {
        const PropertyReply answer = property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (answer != nullptr && answer->format == 32 &&
            xcb_get_property_value_length(answer.get()) == 16) {
            const auto *sides =
                static_cast<const std::uint32_t *>(xcb_get_property_value(answer.get()));
            // left, right, top, bottom, in the screen's pixels; the window's own are larger when
            // Qt scales, and a part of one counts whole, so that the frame is never short. A
            // broken answer is not allowed to fling the window away.
            const qreal ratio = window.devicePixelRatioF();
            const auto side = [sides, ratio](int i) {
                return int(std::ceil(std::min<std::uint32_t>(sides[i], 500) / ratio));
            };
            return QMargins(side(0), side(2), side(1), side(3));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    } while (std::chrono::steady_clock::now() < giveUp);
    return std::nullopt;
}

void keepOffTheTaskbar(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr)
        return;
    const xcb_atom_t skip = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(connection);
}

void offerCloseOnly(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr)
        return;
    // In place of the normal type Qt gave it. Qt::Tool would say the same, but Qt makes a tool
    // window transient for the whole program, and window managers keep such a window above the
    // others of the program.
    const xcb_atom_t utility = atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()),
                        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &utility);
    xcb_flush(connection);
}

} // namespace chromatta::ui
