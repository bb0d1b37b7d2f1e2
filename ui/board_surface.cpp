// The board surface: the board rendered and put on screen, presses turned into cells.
#include "board_surface.h"

#include "board_geometry.h"
#include "picture_store.h"

#include <QMouseEvent>
#include <QPainter>

namespace chromatta::ui {

BoardSurface::BoardSurface(PictureStore &store, QWidget *parent)
    : QFrame(parent)
    , store_(store)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    // A black line would vanish against the black below the blue band.
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(128, 128, 128));
    setPalette(colours);
    // paintEvent covers every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardSurface::show(const std::optional<Board> &board)
{
    shown_ = board;
    front_ = renderFrame(devicePixelRatioF());
    update(contentsRect());
}

QImage BoardSurface::renderFrame(qreal ratio)
{
    QImage frame(contentsRect().size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    frame.fill(Qt::black);
    if (!shown_)
        return frame;
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Every picture is stretched to a cell, whatever its own size.
    for (int column = 0; column < Board::Columns; ++column) {
        for (int row = 0; row < Board::Rows; ++row) {
            const QPixmap &picture = store_.picture(shown_->at(row, column), ratio);
            if (picture.isNull())
                continue; // an empty cell shows the black surface
            painter.drawPixmap(QRectF(BoardGrid::cellLeft(column), BoardGrid::cellTop(row),
                                      BoardGrid::CellWidth, BoardGrid::CellHeight),
                               picture, QRectF(picture.rect()));
        }
    }
    return frame;
}

void BoardSurface::paintEvent(QPaintEvent *)
{
    // Moved to a screen of another density: the window is repainted, and the frame shown is
    // drawn anew at the new density.
    const qreal ratio = devicePixelRatioF();
    if (!front_.isNull() && front_.devicePixelRatio() != ratio)
        front_ = renderFrame(ratio);

    QPainter painter(this);
    if (front_.isNull())
        painter.fillRect(contentsRect(), Qt::black);
    else
        painter.drawImage(contentsRect().topLeft(), front_);
    drawFrame(&painter);
}

void BoardSurface::mousePressEvent(QMouseEvent *event)
{
    // Every button presses alike.
    const QPointF inner = event->position() - QPointF(contentsRect().topLeft());
    emit pressed(BoardGrid::cellAtPixel(inner.x(), inner.y()));
}

void BoardSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

} // namespace chromatta::ui
