// Boards written as text.
#include "board_text.h"

#include <stdexcept>

namespace chromatta {

Board boardOf(const std::vector<std::string> &rows)
{
    if (rows.size() != Board::Rows)
        throw std::invalid_argument("a board has seven rows");
    Board board;
    for (int row = 0; row < Board::Rows; ++row) {
        if (rows[row].size() != std::size_t(Board::Columns))
            throw std::invalid_argument("a row has thirteen codes: " + rows[row]);
        for (int column = 0; column < Board::Columns; ++column) {
            const auto code = cellCodeFromChar(rows[row][column]);
            if (!code)
                throw std::invalid_argument("not a cell code in row " + rows[row]);
            board.set(row, column, *code);
        }
    }
    return board;
}

std::vector<std::string> rowsOf(const Board &board)
{
    std::vector<std::string> rows;
    for (int row = 0; row < Board::Rows; ++row)
        rows.push_back(board.rowText(row));
    return rows;
}

} // namespace chromatta
