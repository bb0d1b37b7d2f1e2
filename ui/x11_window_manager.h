#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace chromatta::ui {

// What an X11 window manager can tell or be told about a top-level window before it is mapped.
// On any other platform, or without a window manager that takes part, these do nothing.

// The frame the window manager will put around `window` (which must have its native window
// already), in the window's own pixels: asked for with _NET_REQUEST_FRAME_EXTENTS and waited for
// briefly. Nothing when no
// window manager answers; a window manager that draws no frame answers zero margins.
std::optional<QMargins> frameExtentsBeforeMapping(QWidget &window);

// Asks the taskbar to leave `window` out (_NET_WM_STATE_SKIP_TASKBAR, kept by Qt when it maps the
// window).
void keepOffTheTaskbar(QWidget &window);

} // namespace chromatta::ui
