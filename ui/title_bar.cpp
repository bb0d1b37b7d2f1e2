// The windows' own title bar.
#include "title_bar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace chromatta::ui {

namespace {

constexpr int ButtonSize = 24;
constexpr int ButtonSpacing = 12;

struct Colours
{
    QColor background, title, button, pressedButton, icon, border;
};

Colours colours(bool active)
{
    if (active)
        return {QColor(0xebebeb), QColor(0x2e2e2e), QColor(0xd9d9d9),
                QColor(0xc2c2c2), QColor(0x2e2e2e), QColor(0xd0d0d0)};
    return {QColor(0xfafafa), QColor(0x949494), QColor(0xf0f0f0),
            QColor(0xc2c2c2), QColor(0x949494), QColor(0xdbdbdb)};
}

} // namespace

TitleBar::TitleBar(Buttons buttons, QWidget *window)
    : QWidget(window)
    , buttons_(buttons)
{
    setObjectName(QStringLiteral("titleBar"));
    setFixedHeight(Height);
}

QRect TitleBar::place(Button button) const
{
    // From the right: the close box, then the minimize button.
    const int fromRight = button == Button::Close ? 1 : 2;
    return QRect(width() - fromRight * (ButtonSize + ButtonSpacing) + ButtonSpacing / 2,
                 (Height - ButtonSize) / 2, ButtonSize, ButtonSize);
}

TitleBar::Button TitleBar::buttonAt(const QPoint &point) const
{
    if (place(Button::Close).contains(point))
        return Button::Close;
    if (buttons_ == MinimizeAndClose && place(Button::Minimize).contains(point))
        return Button::Minimize;
    return Button::None;
}

void TitleBar::paintEvent(QPaintEvent *)
{
    const Colours colour = colours(window()->isActiveWindow());
    QPainter painter(this);
    painter.fillRect(rect(), colour.background);
    painter.setPen(colour.border);
    painter.drawLine(0, Height - 1, width(), Height - 1);

    // The title, centred over the whole bar, clear of the buttons.
    const int buttonsWidth = (buttons_ == MinimizeAndClose ? 2 : 1) * (ButtonSize + ButtonSpacing);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(colour.title);
    const QRect titleRoom = rect().adjusted(buttonsWidth, 0, -buttonsWidth, 0);
    painter.drawText(titleRoom, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight,
                                                      titleRoom.width()));

    painter.setRenderHint(QPainter::Antialiasing);
    const auto drawButton = [&](Button button) {
        const QRect circle = place(button);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pressed_ == button ? colour.pressedButton : colour.button);
        painter.drawEllipse(circle);
        painter.setPen(QPen(colour.icon, 1.5, Qt::SolidLine, Qt::RoundCap));
        const QRectF icon = QRectF(circle).adjusted(8, 8, -8, -8);
        if (button == Button::Close) {
            painter.drawLine(icon.topLeft(), icon.bottomRight());
            painter.drawLine(icon.bottomLeft(), icon.topRight());
        } else {
            painter.drawLine(icon.bottomLeft(), icon.bottomRight());
        }
    };
    if (buttons_ == MinimizeAndClose)
        drawButton(Button::Minimize);
    drawButton(Button::Close);
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = buttonAt(event->position().toPoint());
    if (pressed_ != Button::None) {
        update();
        return;
    }
    // The desktop moves the window with the pointer until the button is let go.
    if (QWindow *handle = window()->windowHandle())
        handle->startSystemMove();
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || pressed_ == Button::None)
        return;
    const Button released = buttonAt(event->position().toPoint());
    const Button pressed = pressed_;
    pressed_ = Button::None;
    update();
    if (released != pressed)
        return;
    if (pressed == Button::Close)
        window()->close();
    else
        window()->showMinimized();
}

bool TitleBar::event(QEvent *event)
{
    // The window hands its activation on to its children.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        update();
    return QWidget::event(event);
}

} // namespace chromatta::ui
