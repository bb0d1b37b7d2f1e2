// A label that can be clicked: a press on it and a release over it.
#include "click_label.h"

#include <QMouseEvent>

namespace chromatta::ui {

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        armed_ = true;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = armed_ && rect().contains(event->position().toPoint());
    armed_ = false;
    if (click)
        emit clicked();
}

} // namespace chromatta::ui
