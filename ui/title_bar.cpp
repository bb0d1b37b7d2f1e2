// The windows' frames, and the title bar the game draws itself.
#include "title_bar.h"

#include "desktop_look.h"
#include "window_manager.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <tuple>
#include <utility>

namespace chromatta::ui {

namespace {

// GNOME's header bar: 6 px in from either side, buttons of 34 px around circles of 24 px, 6 px
// apart, a 1 px shade line along the bottom.
constexpr int SidePadding = 6;
constexpr int ButtonBox = 34;
constexpr int ButtonSpacing = 6;
constexpr int CircleInset = (ButtonBox - 24) / 2;

struct Colours
{
    QColor background, text, shade;
};

Colours colours(bool dark, bool active)
{
    if (dark)
        return {QColor(0x242424), active ? QColor(0xffffff) : QColor(0x919191), QColor(0x171717)};
    return active ? Colours {QColor(0xebebeb), QColor(0x2e2e2e), QColor(0xdbdbdb)}
                  : Colours {QColor(0xfafafa), QColor(0x949494), QColor(0xe8e8e8)};
}

// The text colour laid over the background at the given opacity, as GNOME tints its buttons.
QColor tint(const Colours &colour, qreal opacity)
{
    const auto mix = [opacity](int over, int under) {
        return int(over * opacity + under * (1 - opacity) + 0.5);
    };
    return QColor(mix(colour.text.red(), colour.background.red()),
                  mix(colour.text.green(), colour.background.green()),
                  mix(colour.text.blue(), colour.background.blue()));
}

// The buttons of a GNOME button layout ("close,minimize:" or "appmenu:minimize,close") that the
// window has, on each side, in the layout's order; names the window has no button for are
// passed over.
std::pair<QList<TitleBar::Button>, QList<TitleBar::Button>> sides(const QString &layout,
                                                                  WindowButtons buttons)
{
    const auto pick = [buttons](QStringView side) {
        QList<TitleBar::Button> picked;
        for (QStringView name : side.split(u',')) {
            name = name.trimmed();
            if (name == u"close" && !picked.contains(TitleBar::Button::Close))
                picked.append(TitleBar::Button::Close);
            if (name == u"minimize" && buttons == WindowButtons::MinimizeAndClose &&
                !picked.contains(TitleBar::Button::Minimize))
                picked.append(TitleBar::Button::Minimize);
        }
        return picked;
    };
    const qsizetype colon = layout.indexOf(u':');
    if (colon < 0)
        return {pick(layout), {}};
    return {pick(QStringView(layout).left(colon)), pick(QStringView(layout).mid(colon + 1))};
}

} // namespace

TitleBar *frameWindow(QWidget &window, WindowButtons buttons)
{
    if (drawsOwnTitleBar()) {
        // (Qt drops the frameless hint when any button hint comes with it.)
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        return new TitleBar(buttons, &window, DesktopLook::desktop());
    }
    // No maximize button; the fixed size rules out resizing.
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    flags |= buttons == WindowButtons::MinimizeAndClose
        ? Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        : Qt::MSWindowsFixedSizeDialogHint;
    window.setWindowFlags(flags);
    return nullptr;
}

TitleBar::TitleBar(WindowButtons buttons, QWidget *window, DesktopLook &look)
    : QWidget(window)
    , buttons_(buttons)
    , look_(look)
{
    setObjectName(QStringLiteral("titleBar"));
    setFixedHeight(Height);
    setMouseTracking(true);
    openWindowMenu_ = [this](const QPoint &at) {
        showWindowMenu(*this->window(), at);
    };
    arrange();
    connect(&look_, &DesktopLook::changed, this, [this] {
        arrange();
        update();
    });
}

void TitleBar::arrange()
{
    // The desktop's interface font, not the one the window sets for its own controls.
    QFont title = look_.interfaceFont();
    title.setWeight(QFont::Bold);
    setFont(title);
    std::tie(left_, right_) = sides(look_.buttonLayout(), buttons_);
    hovered_.reset();
    pressed_.reset();
}

std::optional<QRect> TitleBar::place(Button button) const
{
    const int top = (Height - 1 - ButtonBox) / 2;
    QRect box;
    if (const qsizetype i = left_.indexOf(button); i >= 0)
        box = QRect(SidePadding + int(i) * (ButtonBox + ButtonSpacing), top, ButtonBox, ButtonBox);
    else if (const qsizetype j = right_.indexOf(button); j >= 0)
        box = QRect(width() - SidePadding - int(right_.size() - j) * (ButtonBox + ButtonSpacing) +
                        ButtonSpacing,
                    top, ButtonBox, ButtonBox);
    else
        return std::nullopt;
    return box.adjusted(CircleInset, CircleInset, -CircleInset, -CircleInset);
}

std::optional<TitleBar::Button> TitleBar::buttonAt(const QPoint &point) const
{
    // The whole box around a circle takes the press, as GNOME's do.
    for (Button button : {Button::Minimize, Button::Close}) {
        const std::optional<QRect> circle = place(button);
        if (circle &&
            circle->adjusted(-CircleInset, -CircleInset, CircleInset, CircleInset).contains(point))
            return button;
    }
    return std::nullopt;
}

void TitleBar::paintEvent(QPaintEvent *)
{
    const Colours colour = colours(look_.dark(), window()->isActiveWindow());
    QPainter painter(this);
    painter.fillRect(rect(), colour.background);
    painter.fillRect(0, Height - 1, width(), 1, colour.shade);

    // The title, centred over the whole bar, clear of the buttons on both sides.
    const int clearance =
        SidePadding + int(std::max(left_.size(), right_.size())) * (ButtonBox + ButtonSpacing);
    const QRect room = QRect(0, 0, width(), Height - 1).adjusted(clearance, 0, -clearance, 0);
    painter.setPen(colour.text);
    painter.drawText(
        room, Qt::AlignCenter,
        fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));

    painter.setRenderHint(QPainter::Antialiasing);
    for (Button button : {Button::Minimize, Button::Close})
        if (const std::optional<QRect> circle = place(button))
            paintButton(painter, button, *circle);
}

void TitleBar::paintButton(QPainter &painter, Button button, const QRect &circle)
{
    const Colours colour = colours(look_.dark(), window()->isActiveWindow());
    const qreal opacity = pressed_ == button ? 0.3 : hovered_ == button ? 0.15 : 0.1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint(colour, opacity));
    painter.drawEllipse(circle);
    // GNOME's 16 px symbolic icons: a cross of 8 px, or a bar along the bottom, 2 px strokes.
    painter.setPen(QPen(colour.text, 2, Qt::SolidLine, Qt::RoundCap));
    const QRectF icon = QRectF(circle).adjusted(8, 8, -8, -8);
    if (button == Button::Close) {
        painter.drawLine(icon.topLeft(), icon.bottomRight());
        painter.drawLine(icon.bottomLeft(), icon.topRight());
    } else {
        painter.drawLine(icon.bottomLeft() - QPointF(0, 1), icon.bottomRight() - QPointF(0, 1));
    }
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    const std::optional<Button> button = buttonAt(event->position().toPoint());
    if (event->button() == Qt::RightButton && !button) {
        openWindowMenu_(mapTo(window(), event->position().toPoint()));
    } else if (event->button() == Qt::LeftButton && button) {
        pressed_ = button;
        update();
    } else if (event->button() == Qt::LeftButton) {
        // The desktop moves the window with the pointer until the button is let go; where it
        // cannot, the window follows the pointer itself.
        QWindow *handle = window()->windowHandle();
        if (handle == nullptr || !handle->startSystemMove())
            dragOffset_ = event->globalPosition().toPoint() - window()->pos();
    }
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (dragOffset_) {
        window()->move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    const std::optional<Button> under = buttonAt(event->position().toPoint());
    if (under != hovered_) {
        hovered_ = under;
        update();
    }
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragOffset_.reset();
    const std::optional<Button> pressed = std::exchange(pressed_, std::nullopt);
    if (!pressed)
        return;
    update();
    if (buttonAt(event->position().toPoint()) != pressed)
        return;
    if (*pressed == Button::Close)
        window()->close();
    else
        window()->showMinimized();
}

void TitleBar::leaveEvent(QEvent *)
{
    if (hovered_) {
        hovered_.reset();
        update();
    }
}

bool TitleBar::event(QEvent *event)
{
    // The window hands its activation on to its children.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        update();
    return QWidget::event(event);
}

} // namespace chromatta::ui
