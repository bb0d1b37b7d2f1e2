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

} // namespace chromatta::ui
