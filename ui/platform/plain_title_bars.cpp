// Who draws the title bars in a build without Wayland's client library: on Wayland the windows
// do, as nothing can tell what the compositor offers; no window menu to ask for.
#include "window_manager.h"

#include <QGuiApplication>

namespace chromatta::ui {

bool drawsOwnTitleBar()
{
    // Qt's own title bars would offer maximize, which a fixed-size window cannot take.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void showWindowMenu(QWidget &, const QPoint &) { }

} // namespace chromatta::ui
