// The pictures of the window from its resources, and the store of the box pictures.
#pragma once

#include "cell_code.h"

#include <QPixmap>
#include <QString>

#include <QImage>

#include <array>
#include <future>

namespace chromatta::ui {

// One of the game's pictures from the resources, ":/NAME.png", or ":/NAME@2x.png" on a screen of
// more than one device pixel per pixel. QPixmap never picks the 2x file by itself.
QPixmap loadPicture(const QString &name, qreal devicePixelRatio);

// One picture, as loadPicture gives it, decoded on a thread of its own from the moment this is
// made, so that a large one costs the window nothing while the rest of it is built. Where no
// thread can be started, it is decoded when taken.
class PictureAhead
{
public:
    PictureAhead(const QString &name, qreal devicePixelRatio);
    // The picture; waits for the thread to finish it. Once only.
    QPixmap take();

private:
    std::future<QImage> image_;
};

// The box pictures, one for each cell code that holds a box, decoded together the first time
// one is asked for and kept until the store goes with the main window.
class PictureStore
{
public:
    // The picture of a box; a null picture for a cell that holds none.
    const QPixmap &picture(CellCode code, qreal devicePixelRatio);
    bool isLoaded() const { return loaded_ != Unloaded; }

private:
    enum Density { Unloaded, OneX, TwoX };

    // Each colour's plain box, then its highlighted one.
    std::array<QPixmap, 2 * ColourCount> pictures_;
    QPixmap none_;
    Density loaded_ = Unloaded;
};

} // namespace chromatta::ui
