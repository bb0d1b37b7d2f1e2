// The board surface: the board as the game last drew it, shown whole, and presses on it as cells.
#pragma once

#include "board.h"

#include <QFrame>
#include <QImage>

#include <optional>

namespace chromatta::ui {

class PictureStore;

// The board surface: black, framed by a thin line, the board drawn on it through the one grid
// (BoardGrid), one picture per cell. show() renders a frame off screen and puts it on screen
// whole, so the player never sees a half-drawn board. The window shows a frame only when a
// handler changed anything (see MainWindow::showRecord).
class BoardSurface : public QFrame
{
    Q_OBJECT

public:
    BoardSurface(PictureStore &store, QWidget *parent);

    // Shows this board; nothing shows the black surface alone.
    void show(const std::optional<Board> &board);

signals:
    // Any mouse button pressed on the surface: the cell under the pointer, or nothing beside
    // the grid (BoardGrid::cellAtPixel).
    void pressed(std::optional<chromatta::Cell> cell);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // The second press of a double click arrives as a double click; it is still a press.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The board shown, in pixels at the given density.
    QImage renderFrame(qreal ratio);

    // The board on screen, kept to be rendered anew at another density.
    std::optional<Board> shown_;
    QImage front_;
    PictureStore &store_;
};

} // namespace chromatta::ui
