#include "display_check.h"

#include <QDir>
#include <QLibraryInfo>
#include <qlogging.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

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

// Qt draws in true colour: on a screen of fewer bits, or of a colour map (an 8-bit PseudoColor
// screen), every paint fails and the window stays black. The screen is the one the display name
// chose, described by its root window's visual.
std::optional<std::string> screenProblem(xcb_connection_t *connection, int screenNumber)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return std::nullopt; // Qt says what is wrong with a screen that is not there
    const xcb_screen_t *screen = screens.data;

    std::uint8_t visualClass = XCB_VISUAL_CLASS_TRUE_COLOR;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem > 0;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen->root_visual)
                visualClass = visuals.data->_class;
        }
    }
    const bool trueColour =
        visualClass == XCB_VISUAL_CLASS_TRUE_COLOR || visualClass == XCB_VISUAL_CLASS_DIRECT_COLOR;
    if (screen->root_depth >= 15 && trueColour)
        return std::nullopt;
    constexpr const char *ClassNames[] = {"StaticGray",  "GrayScale", "StaticColor",
                                          "PseudoColor", "TrueColor", "DirectColor"};
    const std::string className =
        visualClass < std::size(ClassNames) ? ClassNames[visualClass] : "unknown";
    return "cannot draw on this display (its screen is " + std::to_string(screen->root_depth) +
        "-bit " + className + "; a 15-bit or deeper colour screen is needed)";
}

} // namespace

DisplayCheck::DisplayCheck(int argc, char **argv)
{
    const auto platformArgument = optionValue(argc, argv, "-platform");
    const std::string platform =
        platformArgument ? *platformArgument : environment("QT_QPA_PLATFORM");
    const bool x11Only = platform == "xcb" || platform.starts_with("xcb:");
    if (!platform.empty() && !x11Only)
        return; // offscreen, wayland, vnc...: that platform reports for itself
    if (platform.empty() && waylandUsable())
        return;

    const auto displayArgument = optionValue(argc, argv, "-display");
    const std::string display = displayArgument ? *displayArgument : environment("DISPLAY");
    if (display.empty()) {
        problem_ = "cannot open a display (DISPLAY is not set)";
        return;
    }

    int screenNumber = 0;
    connection_ = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        release();
        problem_ = "cannot open a display (cannot connect to the X display \"" + display + "\")";
        return;
    }
    problem_ = screenProblem(connection_, screenNumber);
}

DisplayCheck::~DisplayCheck()
{
    release();
}

void DisplayCheck::release()
{
    if (connection_)
        xcb_disconnect(connection_);
    connection_ = nullptr;
}

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

bool holding = false;
QtMessageHandler usualHandler = nullptr;
std::vector<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        reportDisplayProblem("cannot open a display (Qt's platform plugin could not start)");
        std::_Exit(1); // inside QApplication's constructor: nothing of ours to clean up
    }
    heldMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

} // namespace

PlatformStartGuard::PlatformStartGuard()
{
    usualHandler = qInstallMessageHandler(holdMessage);
    holding = true;
}

PlatformStartGuard::~PlatformStartGuard()
{
    finish();
}

void PlatformStartGuard::finish()
{
    if (!holding)
        return;
    holding = false;
    qInstallMessageHandler(usualHandler);
    for (const HeldMessage &held : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
}

void reportDisplayProblem(const std::string &problem)
{
    std::fprintf(stderr,
                 "chromatta-zududo: %s; run it inside a desktop session, or with "
                 "QT_QPA_PLATFORM=offscreen to run it without one\n",
                 problem.c_str());
    std::fflush(stderr);
}

} // namespace chromatta::ui
