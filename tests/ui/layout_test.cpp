// The window as the player sees it: its fixed size and place, where the controls sit, and the
// fonts that stand in for the designed ones.
#include "window_test_support.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>

namespace chromatta::ui::test {
namespace {

using Layout = WindowTest;

TEST_F(Layout, ClientAreaIsFixedAt633By486BelowTheMenuAndPlacedAt89By49)
{
    QWidget *client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(633, 486));
    EXPECT_EQ(window->height(), client->y() + 486) << "nothing below the client area";
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the player cannot resize it";
    EXPECT_EQ(window->size(), window->minimumSize());
    EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(89, 49));

    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Chromatta Zududo"));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(Layout, ControlsSitWhereTheTwipsPutThem)
{
    const auto geometry = [&](const char *name) {
        const auto *widget = window->findChild<QWidget *>(QLatin1String(name));
        return widget ? widget->geometry() : QRect();
    };
    EXPECT_EQ(geometry("dest"), QRect(8, 112, 617, 350));
    EXPECT_EQ(geometry("Frame1"), QRect(0, 456, 633, 33));
    EXPECT_EQ(geometry("Pts"), QRect(8, 3, 309, 25));
    EXPECT_EQ(geometry("Label3"), QRect(472, 8, 157, 38));
    EXPECT_EQ(geometry("NEXTLEVEL"), QRect(0, 32, 337, 17));
    EXPECT_EQ(geometry("Image3"), QRect(144, 64, 29, 30));
    EXPECT_EQ(geometry("Label12"), QRect(416, 64, 53, 29));
    // Inside the strip.
    EXPECT_EQ(geometry("lvl"), QRect(104, 8, 35, 20));
    EXPECT_EQ(geometry("Nmmc"), QRect(472, 10, 141, 16));

    // The inner area of the board holds the whole grid.
    const QRect inner = dest()->contentsRect();
    EXPECT_GE(inner.width(), GridLeft + 13 * CellWidth);
    EXPECT_GE(inner.height(), GridTop + 7 * CellHeight);

    EXPECT_FALSE(window->findChild<QWidget *>(QStringLiteral("Label4"))->isVisible());
}

TEST_F(Layout, DesignedFontsAreReplacedByInstalledOnesThatFitTheLabels)
{
    const auto font = [&](const char *name) {
        return window->findChild<QLabel *>(QLatin1String(name))->font();
    };
    EXPECT_EQ(QFontInfo(font("Pts")).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(font("Label3")).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(font("NEXTLEVEL")).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(font("Label6")).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(font("lvl")).family(), QStringLiteral("Liberation Sans"));
    EXPECT_GE(QFontInfo(font("Label3")).weight(), int(QFont::Bold));
    EXPECT_TRUE(QFontInfo(font("Null3")).bold());
    EXPECT_EQ(QFontInfo(font("lvl")).pixelSize(), 13);

    // A stand-in that runs wider than the designed face would cut these off.
    for (const char *name : {"Label3", "Null2", "Null", "Null3"}) {
        const auto *label = window->findChild<QLabel *>(QLatin1String(name));
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << name << " \"" << label->text().toStdString() << "\"";
    }
    const auto *points = window->findChild<QLabel *>(QStringLiteral("Pts"));
    EXPECT_LE(QFontMetrics(points->font()).horizontalAdvance(QStringLiteral("-99999999999")),
              points->width());
}

TEST_F(Layout, MenusHoldTheirCommands)
{
    const auto texts = [&](const char *menu) {
        QStringList list;
        for (const QAction *action : window->findChild<QMenu *>(QLatin1String(menu))->actions())
            list << (action->isSeparator() ? QStringLiteral("---") : action->text());
        return list;
    };
    EXPECT_EQ(texts("mnuFile"), QStringList({"Reset", "---", "Quit"}));
    EXPECT_EQ(texts("mnuabout"), QStringList({"How to Play / About Chromatta Zududo..."}));
    EXPECT_EQ(window->findChild<QMenu *>(QStringLiteral("mnuFile"))->title(),
              QStringLiteral("&File"));
}

} // namespace
} // namespace chromatta::ui::test
