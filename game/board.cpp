// Checked access to the cells, a row as text, and the boxes counted.
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

BoxCounts countBoxes(const Board &board)
{
    BoxCounts counts;
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            switch (const CellCode code = board.at(row, column)) {
            case CellCode::Yellow:
                ++counts.yellow;
                break;
            case CellCode::Red:
                ++counts.red;
                break;
            case CellCode::Green:
                ++counts.green;
                break;
            case CellCode::Violet:
                ++counts.violet;
                break;
            default:
                counts.highlighted += isHighlighted(code);
                break;
            }
        }
    }
    return counts;
}

} // namespace chromatta
