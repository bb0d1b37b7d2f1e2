// What the desktop's window manager is told or asked about a top-level window: the one place
// that knows a windowing system (X11 today; a plain stand-in where none is built).
#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace chromatta::ui {

// On X11 these talk to the window manager before the window is mapped. On any other platform,
// in a build without X11, or without a window manager that takes part, they do nothing.

// The frame the window manager will put around `window` (which must have its native window
// already), in the window's own pixels, asked for and waited for briefly. Nothing when no window
// manager answers; a window manager that draws no frame answers zero margins.
std::optional<QMargins> frameExtentsBeforeMapping(QWidget &window);

// Asks the taskbar to leave `window` out.
void keepOffTheTaskbar(QWidget &window);

// Asks for a close box only, no minimize button (the window's flags and its fixed size already
// rule out maximize and resize). On X11 the window becomes a utility window: KWin offers
// minimize for every normal window and dialog whatever its Motif hints say, but not for a utility
// window; Mutter and Openbox take it away from both. Call it before the window is first shown.
void offerCloseOnly(QWidget &window);

// Whether the windows draw a title bar of their own: on Wayland under GNOME, whose compositor
// frames no window and where Qt's own title bar offers maximize (and minimize) whatever the
// window's flags say. Not when the player chose a Qt title bar with QT_WAYLAND_DECORATION.
bool drawsOwnTitleBar();

} // namespace chromatta::ui
