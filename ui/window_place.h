// Where a window goes so that its whole frame, title bar first, stays on the screen.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace chromatta::ui {

// Where a window's client area goes, given the free area of its screen, the frame the window
// manager puts around it and the place the window asks for. At that place when the whole frame
// lies inside `room` there; otherwise moved just enough that it does; and when the frame is larger
// than `room`, its top-left corner at room's, so that the title bar can still be reached.
QPoint reachablePlace(const QRect &room, const QMargins &frame, const QSize &client,
                      const QPoint &wanted);

// The frame `window` (top-level, not shown yet) will have, in its own pixels. Creates the native
// window: a platform that knows its frame before the window is mapped tells it then; on X11 only
// the window manager knows it, and is asked. No frame when nobody can tell.
QMargins frameToCome(QWidget &window);

} // namespace chromatta::ui
