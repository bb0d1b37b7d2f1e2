// The drawn grid in pixels, and a press turned into a cell: the one geometry of the board.
#pragma once

#include "board.h"

#include <cmath>
#include <optional>

namespace chromatta {

// The board is drawn on the board surface, measured in pixels from the top-left corner of its
// inner area: cell (row, column) is CellWidth x CellHeight with its top-left corner at
// (Left + CellWidth x column, Top + CellHeight x row). The window, the measuring tools and the
// harness all place cells through this one grid.
struct BoardGrid
{
    static constexpr int Left = 2;
    static constexpr int Top = 5;
    static constexpr int CellWidth = 47;
    static constexpr int CellHeight = 48;

    static constexpr int cellLeft(int column) { return Left + CellWidth * column; }
    static constexpr int cellTop(int row) { return Top + CellHeight * row; }

    // The whole pixel at (or just above and left of) a cell's centre.
    struct Pixel
    {
        int x;
        int y;
    };
    static constexpr Pixel centrePixel(int row, int column)
    {
        return {cellLeft(column) + CellWidth / 2, cellTop(row) + CellHeight / 2};
    }

    // The cell a press at (x, y) pixels acts on, or nothing when it lies outside the drawn grid.
    static std::optional<Cell> cellAtPixel(double x, double y)
    {
        return cellAtTwips(x * TwipsPerPixel, y * TwipsPerPixel);
    }

    // Why twips, here and nowhere else in the game or the window: the game was first measured
    // against an older program that placed the board in twips (15 to the pixel) and rounded a
    // press to single precision on its way to a cell. A press on a grid line, or a hair off
    // one, lands where that rounding puts it, and the golden scripts of the harness, which
    // presses in twips, pin it. So every press goes through the same arithmetic: pixels to
    // twips, rounded to float, then divided by the cell in twips.
    static constexpr int TwipsPerPixel = 15;
    static std::optional<Cell> cellAtTwips(double x, double y)
    {
        const double column =
            std::floor((double(float(x)) - Left * TwipsPerPixel) / (CellWidth * TwipsPerPixel));
        const double row =
            std::floor((double(float(y)) - Top * TwipsPerPixel) / (CellHeight * TwipsPerPixel));
        if (!(column >= 0 && column < Board::Columns && row >= 0 && row < Board::Rows))
            return std::nullopt; // also NaN
        return Cell {int(row), int(column)};
    }
};

} // namespace chromatta
