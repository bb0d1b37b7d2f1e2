// The drawn grid: where each cell of the board lies on the board surface, defined once.
#pragma once

#include "board.h"

#include <cmath>
#include <optional>

namespace chromatta {

// The board surface is measured in twips, 15 to the pixel, from the top-left corner of its
// inner area. Cell (row, column) is drawn with its top-left corner at
// (Left + CellWidth x column, Top + CellHeight x row), and a press acts on the cell drawn under
// it. Every number divides by 15, so the grid lies on whole pixels: 2, 5 and 47 x 48.
struct BoardGrid
{
    static constexpr int TwipsPerPixel = 15;
    static constexpr int Left = 30;
    static constexpr int Top = 75;
    static constexpr int CellWidth = 705;
    static constexpr int CellHeight = 720;

    static constexpr double cellLeft(int column) { return Left + double(CellWidth) * column; }
    static constexpr double cellTop(int row) { return Top + double(CellHeight) * row; }

    // The whole pixel at (or just above and left of) a cell's centre, from the inner corner.
    struct Pixel
    {
        int x;
        int y;
    };
    static constexpr Pixel centrePixel(int row, int column)
    {
        return {(Left + CellWidth * column + CellWidth / 2) / TwipsPerPixel,
                (Top + CellHeight * row + CellHeight / 2) / TwipsPerPixel};
    }
    static constexpr int pixels(int twips) { return twips / TwipsPerPixel; }

    // The cell a press at (x, y) twips acts on, or nothing when it lies outside the drawn grid.
    // The position is first rounded to single precision, as the board surface has always
    // measured it, so a press on a grid line, or a hair off one, lands where it always did.
    // The window and the script harness both map presses through this one function.
    static std::optional<Cell> cellUnder(double x, double y)
    {
        const double column = std::floor((double(float(x)) - Left) / CellWidth);
        const double row = std::floor((double(float(y)) - Top) / CellHeight);
        if (!(column >= 0 && column < Board::Columns && row >= 0 && row < Board::Rows))
            return std::nullopt; // also NaN
        return Cell {int(row), int(column)};
    }
};

static_assert(BoardGrid::Left % BoardGrid::TwipsPerPixel == 0 &&
                  BoardGrid::Top % BoardGrid::TwipsPerPixel == 0 &&
                  BoardGrid::CellWidth % BoardGrid::TwipsPerPixel == 0 &&
                  BoardGrid::CellHeight % BoardGrid::TwipsPerPixel == 0,
              "the grid lies on whole pixels");

} // namespace chromatta
