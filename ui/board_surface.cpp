// The board surface: the back buffer, the frame on screen, presses turned into cells.
#include "board_surface.h"

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

void BoardSurface::clear()
{
    back_.clear();
}

void BoardSurface::paintPicture(const Paint &paint)
{
    back_.push_back(paint);
}

void BoardSurface::present()
{
    shown_ = back_;
    front_ = renderFrame(devicePixelRatioF());
    update(contentsRect());
}

QImage BoardSurface::renderFrame(qreal ratio)
{
    QImage frame(contentsRect().size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    constexpr double perPixel = BoardGrid::TwipsPerPixel;
    for (const Paint &paint : shown_) {
        const QPixmap &picture = store_.picture(paint.holder, ratio);
        painter.drawPixmap(QRectF(paint.x / perPixel, paint.y / perPixel, paint.width / perPixel,
                                  paint.height / perPixel),
                           picture, QRectF(picture.rect()));
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
    emit pressed(BoardGrid::cellUnder(inner.x() * BoardGrid::TwipsPerPixel,
                                      inner.y() * BoardGrid::TwipsPerPixel));
}

void BoardSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

} // namespace chromatta::ui
