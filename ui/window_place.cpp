// Where the two windows go on the screen so that their frames stay within reach.
#include "window_place.h"

#include "window_manager.h"

#include <QWidget>

#include <algorithm>

namespace chromatta::ui {

namespace {

// The start of the outer window along one side of the room: the wanted one where it fits, else
// as close as fits, and the room's start when nothing fits.
int reachableStart(int wanted, int length, int roomStart, int roomLength)
{
    return std::max(roomStart, std::min(wanted, roomStart + roomLength - length));
}

} // namespace

QPoint reachablePlace(const QRect &room, const QMargins &frame, const QSize &client,
                      const QPoint &wanted)
{
    const QSize outer = client.grownBy(frame);
    const QPoint outerTopLeft(
        reachableStart(wanted.x() - frame.left(), outer.width(), room.x(), room.width()),
        reachableStart(wanted.y() - frame.top(), outer.height(), room.y(), room.height()));
    return outerTopLeft + QPoint(frame.left(), frame.top());
}

QMargins frameToCome(QWidget &window)
{
    window.winId(); // creates the native window
    const QRect client = window.geometry();
    const QRect outer = window.frameGeometry();
    if (const auto asked = frameExtentsBeforeMapping(window))
        return *asked;
    return QMargins(client.left() - outer.left(), client.top() - outer.top(),
                    outer.right() - client.right(), outer.bottom() - client.bottom());
}

} // namespace chromatta::ui
