// Who draws the windows' title bars: the desktop, Qt, or the windows themselves.
#include "window_manager.h"

#include <QByteArray>
#include <QGuiApplication>

namespace chromatta::ui {

bool drawsOwnTitleBar()
{
    // GNOME's compositor leaves every Wayland window to draw its own frame; Qt's frames there
    // (bradient; Qt 6.8 adds adwaita) show the buttons they were made with or the desktop's
    // button layout, not those the window's flags ask for.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    if (qEnvironmentVariableIsSet("QT_WAYLAND_DECORATION"))
        return false;
    const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").split(':');
    return desktops.contains("GNOME");
}

} // namespace chromatta::ui
