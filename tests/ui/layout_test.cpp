// The window as the player sees it: fixed size and place, controls where the layout puts them,
// and stand-in fonts that fit the texts.
#include "fonts.h"
#include "window_place.h"
#include "window_test_support.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace chromatta::ui::test {
namespace {

using Layout = WindowTest;

TEST_F(Layout, FixedClientAreaBelowTheMenuAtItsPlaceWithTheControlsAtTheirs)
{
    show();
    QWidget *client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(633, 486));
    EXPECT_EQ(window->height(), client->y() + 486);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the player cannot resize it";
    EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(89, 49));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint && flags & Qt::WindowCloseButtonHint);

    const auto geometry = [&](const char *name) {
        return window->findChild<QWidget *>(QLatin1String(name))->geometry();
    };
    EXPECT_EQ(geometry("board"), QRect(8, 112, 617, 350));
    EXPECT_EQ(geometry("statusStrip"), QRect(0, 456, 633, 33));
    EXPECT_EQ(geometry("levelUp"), QRect(472, 8, 157, 38));
    EXPECT_EQ(geometry("violetSwatch"), QRect(144, 64, 29, 30));
    EXPECT_EQ(geometry("reshuffleCost"), QRect(472, 10, 141, 16)) << "inside the strip";
}

TEST_F(Layout, StandInFontsAreInstalledAndFitTheTexts)
{
    if (const QString family = missingStandInFont(); !family.isEmpty())
        GTEST_SKIP() << family.toStdString() << " is not installed";
    const auto label = [&](const char *name) {
        return window->findChild<QLabel *>(QLatin1String(name));
    };
    const auto family = [&](const char *name) {
        return QFontInfo(label(name)->font()).family();
    };
    EXPECT_EQ(family("points"), "DejaVu Sans");
    EXPECT_EQ(family("levelUp"), "DejaVu Sans");
    EXPECT_EQ(family("nextLevelThreshold"), "DejaVu Sans");
    EXPECT_EQ(family("redCount"), "Liberation Sans");
    EXPECT_EQ(family("level"), "Liberation Sans");
    EXPECT_GE(QFontInfo(label("levelUp")->font()).weight(), int(QFont::Bold));
    EXPECT_EQ(QFontInfo(label("reshuffleCostHeading")->font()).pixelSize(), 13)
        << "9.75 pt at 96 dpi";

    // A stand-in wider than the designed face would cut these off.
    label("points")->setText(QStringLiteral("-9999999999"));
    for (const char *name :
         {"points", "levelUp", "levelHeading", "selectionValueHeading", "reshuffleCostHeading"}) {
        const QLabel *shown = label(name);
        EXPECT_LE(QFontMetrics(shown->font()).horizontalAdvance(shown->text()), shown->width())
            << name;
    }
}

// Both windows' places on a screen too small for them: the whole frame on the free area where it
// fits, the title bar on it where it does not.
TEST(WindowPlace, MovesTheFrameJustEnoughToBeReachable)
{
    const QMargins frame(1, 20, 1, 1); // left, top (the title bar), right, bottom
    const QRect belowPanel(0, 30, 800, 570);
    const QSize client(100, 100);
    EXPECT_EQ(reachablePlace(belowPanel, frame, client, QPoint(50, 50)), QPoint(50, 50));
    EXPECT_EQ(reachablePlace(belowPanel, frame, client, QPoint(0, 49)), QPoint(1, 50))
        << "frame over the edges";
    EXPECT_EQ(reachablePlace(belowPanel, frame, client, QPoint(750, 560)), QPoint(699, 499))
        << "frame past the right and bottom";

    // The game window on 640 x 480: narrow enough, too tall.
    EXPECT_EQ(reachablePlace(QRect(0, 0, 640, 480), frame, QSize(633, 505), QPoint(89, 30)),
              QPoint(6, 20));
    // Too wide and too tall, wherever it asked to go: the frame's top-left at the room's.
    for (const QPoint wanted : {QPoint(-500, 900), QPoint(900, -500)})
        EXPECT_EQ(reachablePlace(QRect(10, 30, 300, 200), frame, QSize(400, 300), wanted),
                  QPoint(11, 50));
}

} // namespace
} // namespace chromatta::ui::test
