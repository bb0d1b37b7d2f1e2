// The title bar the game draws where the desktop draws none: what a player does with it, under a
// button layout and a colour scheme handed in as the desktop's settings portal would.
#include "desktop_look.h"
#include "title_bar.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace chromatta::ui {
namespace {

// A fixed window with nothing but the bar on top, as both game windows have it.
struct BarWindow
{
    explicit BarWindow(WindowButtons buttons)
    {
        window.setFixedSize(400, 200);
        bar = new TitleBar(buttons, &window, look);
        bar->setGeometry(0, 0, 400, TitleBar::Height);
        window.move(100, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPoint centre(TitleBar::Button button) const { return bar->place(button).value().center(); }

    QColor colourAt(const QPoint &point) const
    {
        const QPixmap shot = bar->grab();
        return shot.toImage().pixelColor(point * shot.devicePixelRatio());
    }

    DesktopLook look;
    QWidget window;
    TitleBar *bar = nullptr;
};

TEST(TitleBar, ButtonsStandWhereTheLayoutPutsThemAndDoWhatTheySay)
{
    BarWindow game(WindowButtons::MinimizeAndClose);
    // GNOME's default layout: a close box on the right, 11 px from the edge, no minimize.
    ASSERT_TRUE(game.bar->place(TitleBar::Button::Close));
    EXPECT_EQ(game.bar->place(TitleBar::Button::Close)->right() + 1, 400 - 11);
    EXPECT_FALSE(game.bar->place(TitleBar::Button::Minimize));

    // Moved to the left while the window is open, in the layout's order; maximize has no place.
    game.look.setButtonLayout(QStringLiteral("close,maximize,minimize:appmenu"));
    ASSERT_TRUE(game.bar->place(TitleBar::Button::Minimize));
    EXPECT_EQ(game.bar->place(TitleBar::Button::Close)->left(), 11);
    EXPECT_GT(game.bar->place(TitleBar::Button::Minimize)->left(),
              game.bar->place(TitleBar::Button::Close)->right());

    // A press let go elsewhere does nothing; a click minimizes, or closes.
    QTest::mousePress(game.bar, Qt::LeftButton, {}, game.centre(TitleBar::Button::Close));
    QTest::mouseRelease(game.bar, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_TRUE(game.window.isVisible());
    QTest::mouseClick(game.bar, Qt::LeftButton, {}, game.centre(TitleBar::Button::Minimize));
    EXPECT_TRUE(game.window.isMinimized());
    QTest::mouseClick(game.bar, Qt::LeftButton, {}, game.centre(TitleBar::Button::Close));
    EXPECT_FALSE(game.window.isVisible());

    // A close-only window keeps to its rule whatever the layout asks.
    BarWindow about(WindowButtons::CloseOnly);
    about.look.setButtonLayout(QStringLiteral(":minimize,maximize,close"));
    EXPECT_FALSE(about.bar->place(TitleBar::Button::Minimize));
    EXPECT_TRUE(about.bar->place(TitleBar::Button::Close));
}

TEST(TitleBar, DragMovesTheWindowAndARightClickAsksForTheWindowMenu)
{
    BarWindow game(WindowButtons::MinimizeAndClose);
    std::vector<QPoint> menus;
    game.bar->setWindowMenu([&menus](const QPoint &at) { menus.push_back(at); });

    // The offscreen platform cannot move a window itself: the bar moves it with the pointer.
    const QPoint start = game.window.pos();
    QTest::mousePress(game.bar, Qt::LeftButton, {}, QPoint(150, 20));
    QTest::mouseMove(game.bar, QPoint(190, 45));
    QTest::mouseRelease(game.bar, Qt::LeftButton, {}, QPoint(190, 45));
    EXPECT_EQ(game.window.pos(), start + QPoint(40, 25));

    QTest::mouseClick(game.bar, Qt::RightButton, {}, QPoint(150, 20));
    EXPECT_EQ(menus, std::vector<QPoint> {QPoint(150, 20)});
    // Not on a button, and a right click on one does not work it either.
    QTest::mouseClick(game.bar, Qt::RightButton, {}, game.centre(TitleBar::Button::Close));
    EXPECT_EQ(menus.size(), 1u);
    EXPECT_TRUE(game.window.isVisible());
}

TEST(TitleBar, FollowsTheDesktopsLookAndShowsHoverAndPress)
{
    BarWindow game(WindowButtons::MinimizeAndClose);
    // The interface font as GNOME names it, family of several words and size, in bold.
    game.look.setInterfaceFont(QStringLiteral("DejaVu Sans Mono 13"));
    EXPECT_EQ(game.bar->font().families().value(0), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(game.bar->font().pointSizeF(), 13.0);
    EXPECT_TRUE(game.bar->font().bold());

    const QPoint plain(200, 4);
    EXPECT_GT(game.colourAt(plain).lightness(), 200);
    game.look.setDark(true);
    EXPECT_EQ(game.colourAt(plain), QColor(0x242424));
    game.look.setDark(false);
    EXPECT_GT(game.colourAt(plain).lightness(), 200);

    // The circle's edge, clear of the cross: darker under the pointer, darker still pressed.
    const QPoint close = game.centre(TitleBar::Button::Close);
    const QPoint ring = close + QPoint(0, 9);
    const int untouched = game.colourAt(ring).lightness();
    // A move to where the pointer already is may be dropped, and the window system's enter and
    // leave come in their own time: the pointer is moved about the button until it shows.
    int hovered = untouched;
    for (int tries = 0; tries < 100 && hovered == untouched; ++tries) {
        QTest::mouseMove(game.bar, close + QPoint(tries % 2, 0));
        QTest::qWait(10);
        hovered = game.colourAt(ring).lightness();
    }
    QTest::mousePress(game.bar, Qt::LeftButton, {}, close);
    const int pressed = game.colourAt(ring).lightness();
    QTest::mouseMove(game.bar, QPoint(200, 20));
    QTest::mouseRelease(game.bar, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_LT(hovered, untouched);
    EXPECT_LT(pressed, hovered);
    EXPECT_EQ(game.colourAt(ring).lightness(), untouched);
}

} // namespace
} // namespace chromatta::ui
