// Checked access to the cells, and a row as text.
#include "board.h"

#include <stdexcept>

namespace chromatta {

int Board::indexOf(int row, int column)
{
    if (!onBoard(row, column))
        throw std::out_of_range("board cell (" + std::to_string(row) + ", " +
                                std::to_string(column) + ") is off the 7 x 13 board");
    return row * Columns + column;
}

std::string Board::rowText(int row) const
{
    std::string text;
    for (int column = 0; column < Columns; ++column)
        text += toChar(at(row, column));
    return text;
}

} // namespace chromatta
