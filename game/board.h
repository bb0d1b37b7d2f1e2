// The 7 x 13 board of cell codes, a cell's address, and the boxes on a board counted.
#pragma once

#include "cell_code.h"

#include <array>
#include <string>

namespace chromatta {

// A cell of the board: row 0 is the top, column 0 the left.
struct Cell
{
    int row;
    int column;
    bool operator==(const Cell &) const = default;
};

// 7 rows by 13 columns. Every access is checked: an index off the board is a programming error
// and throws std::out_of_range, never wraps.
class Board
{
public:
    static constexpr int Rows = 7;
    static constexpr int Columns = 13;
    static constexpr int Cells = Rows * Columns;

    CellCode at(int row, int column) const { return cells_[indexOf(row, column)]; }
    void set(int row, int column, CellCode code) { cells_[indexOf(row, column)] = code; }

    static constexpr bool onBoard(int row, int column)
    {
        return row >= 0 && row < Rows && column >= 0 && column < Columns;
    }

    // Row r as its 13 letters.
    std::string rowText(int row) const;

    bool operator==(const Board &) const = default;

private:
    static int indexOf(int row, int column);

    std::array<CellCode, Cells> cells_ = filled(CellCode::NoCode);

    static constexpr std::array<CellCode, Cells> filled(CellCode code)
    {
        std::array<CellCode, Cells> cells {};
        cells.fill(code);
        return cells;
    }
};

// The boxes on a board: the plain ones by colour, and the highlighted ones of any colour.
struct BoxCounts
{
    // In the order of Colours.
    std::array<int, ColourCount> plainByColour {};
    int highlighted = 0;

    int plain() const;
    int all() const { return plain() + highlighted; }
    bool operator==(const BoxCounts &) const = default;
};

BoxCounts countBoxes(const Board &board);

} // namespace chromatta
