// Checked access to the cells, a row as text, and the boxes counted.
#include "board.h"

#include <numeric>
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

BoxCounts countBoxes(const Board &board)
{
    BoxCounts counts;
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            const CellCode code = board.at(row, column);
            if (isPlain(code))
                ++counts.plainByColour[*colourOf(code)];
            else
                counts.highlighted += isHighlighted(code);
        }
    }
    return counts;
}

int BoxCounts::plain() const
{
    return std::accumulate(plainByColour.begin(), plainByColour.end(), 0);
}

} // namespace chromatta
