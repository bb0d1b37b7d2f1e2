// A press on the board surface: the cell it acts on, then clearing or selecting.
#include "board_geometry.h"
#include "game.h"

#include <cmath>

namespace chromatta {

std::optional<Game::Cell> Game::cellAt(double x, double y)
{
    // Presses are hit-tested on the grid the boxes are drawn on, so a press always acts on the
    // box under the pointer; the margins around the grid are off the board.
    const double column = std::floor((x - BoardGrid::Left) / BoardGrid::CellWidth);
    const double row = std::floor((y - BoardGrid::Top) / BoardGrid::CellHeight);
    if (!(column >= 0 && column < Board::Columns && row >= 0 && row < Board::Rows))
        return std::nullopt; // also NaN
    return Cell {int(row), int(column)};
}

void Game::dest_MouseDown(int /*button*/, int /*modifiers*/, float x, float y)
{
    const HandlerScope scope {*this};
    if (const auto cell = cellAt(x, y)) {
        const auto [row, column] = *cell;
        Board &board = state_.board;

        // Clearing: any highlighted box clears the whole highlighted group.
        for (const CellCode lit : {CellCode::R, CellCode::G, CellCode::B, CellCode::Y}) {
            if (board.at(row, column) == lit)
                ClearGroup();
        }

        // Selecting, on whatever the cell holds now: a box may have fallen into it.
        for (const CellCode plain : {CellCode::y, CellCode::r, CellCode::g, CellCode::b}) {
            if (board.at(row, column) != plain)
                continue;
            UnhighlightAll();
            bool hasPartner = false;
            if (row >= 1 && board.at(row - 1, column) == plain)
                hasPartner = true;
            if (row <= 5 && board.at(row + 1, column) == plain)
                hasPartner = true;
            if (column <= 11 && board.at(row, column + 1) == plain)
                hasPartner = true;
            if (column >= 1 && board.at(row, column - 1) == plain)
                hasPartner = true;
            if (hasPartner) {
                board.set(row, column, highlightedOf(plain));
                GrowSelection();
            }
        }
    }
    DrawBoard();
}

} // namespace chromatta
