// Who draws the title bars on Wayland, from what the compositor offers, and the compositor's
// window menu, both over Qt's own Wayland connection.
#include "window_manager.h"

#include "xdg-shell-client-protocol.h"

#include <QGuiApplication>
#include <QPoint>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstdint>
#include <cstring>

namespace chromatta::ui {

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Whether the compositor offers to draw the frames of xdg windows itself. Qt asks for that
// through this global wherever it is offered, and then draws no title bar of its own.
bool offersServerSideFrames(wl_display *display)
{
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, std::uint32_t, const char *interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool *>(data) = true;
        },
        [](void *, wl_registry *, std::uint32_t) {},
    };
    // On a queue of its own, so that Qt's handlers never see these events; the list of globals
    // comes within one round trip to the compositor.
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *ownDisplay = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(ownDisplay), queue);
    wl_registry *registry = wl_display_get_registry(ownDisplay);
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = wl_display_roundtrip_queue(display, queue) >= 0;
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(ownDisplay);
    wl_event_queue_destroy(queue);
    return answered && offered;
}

} // namespace

bool drawsOwnTitleBar()
{
    static const bool own = [] {
        if (!onWayland())
            return false;
        QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
        auto *display = native != nullptr
            ? static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"))
            : nullptr;
        // Without the connection nobody can tell: Qt's title bars would offer maximize.
        return display == nullptr || !offersServerSideFrames(display);
    }();
    return own;
}

void showWindowMenu(QWidget &window, const QPoint &at)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    QWindow *handle = window.windowHandle();
    if (!onWayland() || native == nullptr || handle == nullptr)
        return;
    auto *toplevel =
        static_cast<xdg_toplevel *>(native->nativeResourceForWindow("xdg_toplevel", handle));
    auto *seat = static_cast<wl_seat *>(native->nativeResourceForIntegration("wl_seat"));
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    if (toplevel == nullptr || seat == nullptr || display == nullptr)
        return;
    // The compositor opens the menu only for the press that asked for it, named by its serial.
    const auto serial = static_cast<std::uint32_t>(
        reinterpret_cast<quintptr>(native->nativeResourceForIntegration("serial")));
    xdg_toplevel_show_window_menu(toplevel, seat, serial, at.x(), at.y());
    wl_display_flush(display);
}

} // namespace chromatta::ui
