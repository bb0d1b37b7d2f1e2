// The windows' frames: who draws them, and the title bar the game draws where the desktop does not.
#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

namespace chromatta::ui {

class DesktopLook;

// The buttons a window has besides its title: never maximize, the windows have a fixed size.
enum class WindowButtons { CloseOnly, MinimizeAndClose };

class TitleBar;

// Gives `window` (a top-level, before it is first shown) its frame: the desktop's, with the
// given buttons and no maximize, or, where the desktop draws no title bars (drawsOwnTitleBar),
// none at all. Returns the title bar the window then puts above its client area itself, or
// nothing when the desktop frames it.
TitleBar *frameWindow(QWidget &window, WindowButtons buttons);

// A title bar as GNOME's own applications have it: the window's title in the desktop's
// interface font, the window buttons where the desktop's button layout puts them, dark or
// light as the desktop asks, both followed live. A press elsewhere on it moves the window, a
// right click opens the compositor's window menu; a double click does nothing, as the windows
// cannot be maximized.
class TitleBar : public QWidget
{
public:
    // GNOME's bar at one device pixel per pixel; Qt doubles it at two.
    static constexpr int Height = 47;

    TitleBar(WindowButtons buttons, QWidget *window, DesktopLook &look);

    enum class Button { Minimize, Close };
    // Where the button is, or nothing when the layout or the window leaves it out.
    std::optional<QRect> place(Button button) const;

    // What a right click asks for at a point of the window: the compositor's window menu.
    void setWindowMenu(std::function<void(const QPoint &)> open) { openWindowMenu_ = open; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void arrange();
    void paintButton(QPainter &painter, Button button, const QRect &circle);
    std::optional<Button> buttonAt(const QPoint &point) const;

    WindowButtons buttons_;
    DesktopLook &look_;
    QList<Button> left_, right_;
    std::optional<Button> hovered_, pressed_;
    // The pointer's offset from the window's corner while the window is moved by hand, where
    // the platform cannot move it (startSystemMove).
    std::optional<QPoint> dragOffset_;
    std::function<void(const QPoint &)> openWindowMenu_;
};

} // namespace chromatta::ui
