// The menu command "Reset": the board recoloured from its own boxes (its price is a level rule).
#include "game.h"

#include "saturating.h"

namespace chromatta {

void Game::reshuffle()
{
    const HandlerScope scope {*this};
    // Charged whether or not the points cover it: the score may fall below zero.
    state_.points = saturatingSub(state_.points, reshufflePrice(state_.reshuffleCount));
    ++state_.reshuffleCount;

    unhighlightAll();

    // The pools hold the boxes on the board; recoloured cells draw from them, so a reshuffle
    // never loses a box and only runs dry on a nearly empty board.
    auto pools = countBoxes(state_.board).plainByColour;

    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            // The class of the cell's random number (0..2, 3..5, ...), one for each colour;
            // a higher class keeps what the cell holds.
            const int k = randomInRange(0, 30) / 3;
            if (k >= ColourCount)
                continue;
            // The colours are tried in their table's order, going round, from the last one for
            // class 0, the one before it for class 1, and so on: yellow, red, violet, green
            // for class 0, and red first for class 3.
            CellCode code = CellCode::Empty;
            for (int step = 0; step < ColourCount; ++step) {
                const int colour = (ColourCount - 1 - k + step) % ColourCount;
                if (pools[colour] > 0) {
                    --pools[colour];
                    code = plainCode(colour);
                    break;
                }
            }
            state_.board.set(row, column, code);
        }
    }
    showBoxCounts();
}

} // namespace chromatta
