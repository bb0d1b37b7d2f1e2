#pragma once

#include <QRect>
#include <QWidget>

namespace chromatta::ui {

// A title bar drawn by the window itself, where nobody else draws one that keeps to the design
// (drawsOwnTitleBar): the window's title, a minimize button where the window has one, and a
// close box, in the colours of GNOME's own title bars. A press elsewhere on it moves the window.
class TitleBar : public QWidget
{
public:
    enum Buttons { CloseOnly, MinimizeAndClose };
    static constexpr int Height = 38;

    TitleBar(Buttons buttons, QWidget *window);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    enum class Button { None, Minimize, Close };
    QRect place(Button button) const;
    Button buttonAt(const QPoint &point) const;

    Buttons buttons_;
    Button pressed_ = Button::None;
};

} // namespace chromatta::ui
