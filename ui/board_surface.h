// The board surface: the frame the rules draw, shown whole, and presses on it as cells.
#pragma once

#include "board_geometry.h"
#include "toolkit.h"

#include <QFrame>
#include <QImage>

#include <optional>
#include <vector>

namespace chromatta::ui {

class PictureStore;

// The board surface: black, framed by a thin line, drawn in twips of its inner area.
// Clearing and painting go to a back buffer; present() puts the finished frame on screen, so
// the player never sees a half-drawn board. The window presents only what may have changed:
// a tick that changed nothing is not presented (see MainWindow::tick).
class BoardSurface : public QFrame
{
    Q_OBJECT

public:
    BoardSurface(PictureStore &store, QWidget *parent);

    void clear();
    void paintPicture(const Paint &paint);
    // Puts the back buffer on screen.
    void present();

signals:
    // Any mouse button pressed on the surface: the cell under the pointer, or nothing beside
    // the grid (BoardGrid::cellUnder).
    void pressed(std::optional<chromatta::Cell> cell);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // The second press of a double click arrives as a double click; it is still a press.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The frame on screen (shown_) in pixels at the given density.
    QImage renderFrame(qreal ratio);

    // The back buffer is kept as the list of paints since the last clear; the frame on screen
    // keeps its own, to be rendered anew at another density.
    std::vector<Paint> back_;
    std::vector<Paint> shown_;
    QImage front_;
    PictureStore &store_;
};

} // namespace chromatta::ui
