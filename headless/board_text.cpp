// Boards written as text.
#include "board_text.h"

#include <stdexcept>

namespace chromatta {

namespace {

// A character as a message shows it: quoted when printable, its code in hexadecimal otherwise.
std::string shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f)
        return std::string("'") + c + "'";
    constexpr char Hex[] = "0123456789abcdef";
    return std::string("byte 0x") + Hex[byte >> 4] + Hex[byte & 0x0f];
}

} // namespace

Board boardOf(const std::vector<std::string> &rows)
{
    if (rows.size() != Board::Rows)
        throw std::invalid_argument("a board has seven rows");
    Board board;
    for (int row = 0; row < Board::Rows; ++row) {
        const std::string named = "board row " + std::to_string(row);
        if (rows[row].size() != std::size_t(Board::Columns))
            throw std::invalid_argument(named + " is not 13 codes long");
        for (int column = 0; column < Board::Columns; ++column) {
            const char c = rows[row][column];
            const auto code = cellCodeFromChar(c);
            if (!code)
                throw std::invalid_argument(named + " holds " + shown(c) +
                                            ", not one of b g r y B G R Y X");
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
