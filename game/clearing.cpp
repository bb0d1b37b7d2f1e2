// Clearing the highlighted group, and the two passes of the collapse.
#include "game.h"

#include "saturating.h"

namespace chromatta {

void Game::clearGroup()
{
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            if (isHighlighted(state_.board.at(row, column)))
                state_.board.set(row, column, CellCode::Empty);
    showBoxCounts();

    state_.points = saturatingAdd(state_.points, state_.selectionValue);
    // The value shown is blanked; the record keeps it.
    state_.shown.selectionValue.reset();

    // One step of the collapse here; the timer's passes finish it.
    dropBoxes();
    closeEmptyColumns();
}

void Game::dropBoxes()
{
    // Downwards through each column: a box that has just moved is looked at again one row lower,
    // so the lowest box of a stack falls through the whole gap below it in one pass.
    for (int column = 0; column < Board::Columns; ++column) {
        for (int row = 1; row < Board::Rows; ++row) {
            if (state_.board.at(row, column) == CellCode::Empty) {
                state_.board.set(row, column, state_.board.at(row - 1, column));
                state_.board.set(row - 1, column, CellCode::Empty);
            }
        }
    }
}

void Game::closeEmptyColumns()
{
    // Each empty column takes the one to its right, which is then empty when its own turn comes:
    // one pass moves every column that has an empty column to its left one place left.
    for (int column = 0; column < Board::Columns - 1; ++column) {
        bool empty = true;
        for (int row = 0; row < Board::Rows; ++row)
            empty = empty && state_.board.at(row, column) == CellCode::Empty;
        if (!empty)
            continue;
        for (int row = 0; row < Board::Rows; ++row) {
            state_.board.set(row, column, state_.board.at(row, column + 1));
            state_.board.set(row, column + 1, CellCode::Empty);
        }
    }
}

} // namespace chromatta
