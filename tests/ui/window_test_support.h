// What the window tests share: a window to test, its cells in pixels, what its screen shows.
#pragma once

#include "board_geometry.h"
#include "board_surface.h"
#include "board_text.h"
#include "game.h"
#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace chromatta::ui::test {

inline bool allBlack(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::black)
                return false;
    return true;
}

// A main window as the program creates it (the first board dealt), deleted after the test
// unless it has closed itself.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { window = new MainWindow; }
    void TearDown() override { delete window.data(); }

    void show()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    const Game &game() { return window->game(); }
    // The window's game replaced by one that goes on from its record, changed by `change`.
    template<typename Change>
    void goOnWith(Change change)
    {
        GameState state = game().state();
        change(state);
        window->startFrom(state);
    }
    void goOnWithBoard(const std::vector<std::string> &rows)
    {
        goOnWith([&](GameState &state) { state.board = boardOf(rows); });
    }
    BoardSurface *board() { return window->findChild<BoardSurface *>(QStringLiteral("board")); }
    QString text(const char *label)
    {
        const auto *widget = window->findChild<QLabel *>(QLatin1String(label));
        return widget ? widget->text() : QStringLiteral("<no label %1>").arg(label);
    }

    // A point at the centre of a cell, in the surface's coordinates (its frame included).
    QPoint cellCentre(int row, int column)
    {
        const BoardGrid::Pixel centre = BoardGrid::centrePixel(row, column);
        return board()->contentsRect().topLeft() + QPoint(centre.x, centre.y);
    }

    // What the screen shows of the window. Unlike grab(), nothing is repainted for it, so a
    // frame that was never handed to the screen is not seen either.
    QImage onScreen() { return window->screen()->grabWindow(window->winId()).toImage(); }

    // One cell of an image taken by onScreen().
    QImage cell(const QImage &screen, int row, int column)
    {
        const qreal ratio = screen.devicePixelRatio();
        const QPoint topLeft = board()->mapTo(window.data(), board()->contentsRect().topLeft()) +
            QPoint(BoardGrid::cellLeft(column), BoardGrid::cellTop(row));
        return screen.copy(
            QRect(topLeft * ratio, QSize(BoardGrid::CellWidth, BoardGrid::CellHeight) * ratio));
    }

    // Returns once the timer has ticked again.
    void waitForTick()
    {
        auto &nmmc = *window->findChild<QLabel *>(QStringLiteral("reshuffleCost"));
        nmmc.clear();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !nmmc.text().isEmpty(); }, 2000));
    }

    QPointer<MainWindow> window;
};

} // namespace chromatta::ui::test
