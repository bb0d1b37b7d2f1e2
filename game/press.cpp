// A press on the board: clearing the highlighted group, or selecting the group of a box.
#include "game.h"

namespace chromatta {

Outcome Game::press(std::optional<Cell> cell)
{
    const HandlerScope scope {*this};
    Outcome outcome = Outcome::Nothing;
    if (cell) {
        const auto [row, column] = *cell;
        Board &board = state_.board;

        // Clearing: any highlighted box clears the whole highlighted group.
        if (isHighlighted(board.at(row, column))) {
            clearGroup();
            outcome = Outcome::ClearingSound;
        }

        // Selecting, on whatever the cell holds now: a box may have fallen into it.
        const CellCode plain = board.at(row, column);
        if (isPlain(plain)) {
            unhighlightAll();
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
                growSelection();
            }
        }
    }
    drawBoard();
    return outcome;
}

} // namespace chromatta
