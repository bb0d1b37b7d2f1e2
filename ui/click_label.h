// A label that can be clicked, like "LEVEL UP" and the about window's links.
#pragma once

#include <QLabel>

namespace chromatta::ui {

// A label that reports a click: the left button pressed on it and released over it, the way a
// button clicks. Pressing and sliding off takes the click back.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool armed_ = false;
};

} // namespace chromatta::ui
