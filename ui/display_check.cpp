#include "display_check.h"

#include <QDir>
#include <QLibraryInfo>

#include <xcb/xcb.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace chromatta::ui {

namespace {

// The value of a Qt option such as -platform, also written --platform, or nothing.
std::optional<std::string> optionValue(int argc, char **argv, std::string_view option)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--"))
            argument.remove_prefix(1);
        if (argument == option)
            return std::string(argv[i + 1]);
    }
    return std::nullopt;
}

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// A Wayland session Qt can use: its platform plugin is installed and the compositor's socket is
// there. Without the plugin Qt falls back to X11 (XWayland), and aborts when that fails too.
bool waylandUsable()
{
    const std::string display = environment("WAYLAND_DISPLAY");
    if (display.empty())
        return false;
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    if (platforms.entryList({QStringLiteral("*wayland*")}, QDir::Files).isEmpty())
        return false;
    const std::filesystem::path socket = display.starts_with('/')
        ? std::filesystem::path(display)
        : std::filesystem::path(environment("XDG_RUNTIME_DIR")) / display;
    std::error_code error;
    return std::filesystem::is_socket(socket, error);
}

} // namespace

std::optional<std::string> displayProblem(int argc, char **argv)
{
    const auto platformArgument = optionValue(argc, argv, "-platform");
    const std::string platform =
        platformArgument ? *platformArgument : environment("QT_QPA_PLATFORM");
    const bool x11Only = platform == "xcb" || platform.starts_with("xcb:");
    if (!platform.empty() && !x11Only)
        return std::nullopt; // offscreen, wayland, vnc...: that platform reports for itself
    if (platform.empty() && waylandUsable())
        return std::nullopt;

    const auto displayArgument = optionValue(argc, argv, "-display");
    const std::string display = displayArgument ? *displayArgument : environment("DISPLAY");
    if (display.empty())
        return "cannot open a display (DISPLAY is not set)";

    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reached)
        return "cannot open a display (cannot connect to the X display \"" + display + "\")";
    return std::nullopt;
}

} // namespace chromatta::ui
