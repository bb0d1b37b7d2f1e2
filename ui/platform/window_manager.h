// What the desktop's window manager or compositor is told or asked about a top-level window: the
// one place that knows a windowing system (X11 and Wayland; each part does nothing elsewhere).
#pragma once

#include <QMargins>

#include <optional>

class QPoint;
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

// Whether the windows draw a title bar of their own: on Wayland wherever the compositor offers
// no server-side decorations (GNOME's mutter, weston), as Qt's own title bars there offer
// maximize whatever the window's flags say. The compositor is asked once, the answer kept.
bool drawsOwnTitleBar();

// Asks the compositor to open its window menu for `window` at `at` (the window's own pixels),
// as a right click on a title bar does. Only on Wayland, for a window that is shown and was
// just pressed; elsewhere the desktop's own frames offer the menu, and nothing happens.
void showWindowMenu(QWidget &window, const QPoint &at);

} // namespace chromatta::ui
