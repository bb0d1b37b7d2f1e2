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
    enum { Yellow, Red, Green, Violet };
    const BoxCounts boxes = countBoxes(state_.board);
    int pools[4] = {boxes.yellow, boxes.red, boxes.green, boxes.violet};
    static constexpr CellCode codeOf[4] = {CellCode::Yellow, CellCode::Red, CellCode::Green,
                                           CellCode::Violet};

    // Colours tried, by the class of a cell's random number (0..2, 3..5, 6..8, 9..11).
    static constexpr int preference[4][4] = {{Yellow, Red, Violet, Green},
                                             {Green, Yellow, Red, Violet},
                                             {Violet, Green, Yellow, Red},
                                             {Red, Violet, Green, Yellow}};
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            const int k = randomInRange(0, 30) / 3;
            if (k > 3)
                continue; // this cell keeps what it holds
            CellCode code = CellCode::Empty;
            for (int colour : preference[k]) {
                if (pools[colour] > 0) {
                    --pools[colour];
                    code = codeOf[colour];
                    break;
                }
            }
            state_.board.set(row, column, code);
        }
    }
    showBoxCounts();
}

} // namespace chromatta
