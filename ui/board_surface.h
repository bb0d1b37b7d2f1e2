#pragma once

#include "toolkit.h"

#include <QFrame>
#include <QImage>

#include <vector>

namespace chromatta::ui {

class PictureStore;

// The board surface dest: black, framed by a thin line, drawn in twips of its inner area.
// Clearing and painting go to a back buffer; present() puts the finished frame on screen, so
// the player never sees a half-drawn board. A frame equal to the one already shown is not
// drawn again: ten identical frames a second then cost next to nothing.
class BoardSurface : public QFrame
{
    Q_OBJECT

public:
    static constexpr double TwipsPerPixel = 15.0;

    BoardSurface(PictureStore &store, QWidget *parent);

    void clear();
    void paintPicture(Holder holder, double x, double y, double width, double height);
    // Puts the back buffer on screen; returns whether that changed what the screen shows.
    bool present();

signals:
    // Any mouse button pressed on the surface, in the terms of dest_MouseDown: the button and
    // modifier codes of the game, the position in twips from the inner top-left corner.
    void pressed(int button, int modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // The second press of a double click arrives as a double click; it is still a press.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The frame on screen (shown_) in pixels at the given density.
    QImage renderFrame(qreal ratio);

    struct Paint
    {
        Holder holder;
        double x, y, width, height;
        bool operator==(const Paint &) const = default;
    };

    // The back buffer is kept as the list of paints since the last clear; it is rendered into
    // pixels only when it differs from the frame on screen.
    std::vector<Paint> back_;
    std::vector<Paint> shown_;
    QImage front_;
    PictureStore &store_;
};

} // namespace chromatta::ui
