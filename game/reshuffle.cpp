// The menu command Reset: its rising cost and the recolouring of the board.
#include "game.h"

#include "saturating.h"

namespace chromatta {

std::int64_t Game::nextResetCost() const
{
    return saturatingAdd(saturatingMul(state_.resetCount, 20000), 25000);
}

void Game::mnuFileNew_Click()
{
    const HandlerScope scope {*this};
    // Charged whether or not the points cover it: the score may fall below zero.
    const std::int64_t cost = nextResetCost();
    state_.points = saturatingSub(state_.points, cost);
    captions_.setNumber(Label::Pts, saturatingSub(captions_.readNumber(Label::Pts), cost));
    ++state_.resetCount;

    UnhighlightAll();

    // The pools hold the boxes on the board; recoloured cells draw from them, so a reshuffle
    // never loses a box and only runs dry on a nearly empty board.
    enum { Yellow, Red, Green, Blue };
    int pools[4] = {0, 0, 0, 0};
    static constexpr CellCode codeOf[4] = {CellCode::y, CellCode::r, CellCode::g, CellCode::b};
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            for (int colour : {Yellow, Red, Green, Blue}) {
                if (state_.board.at(row, column) == codeOf[colour])
                    ++pools[colour];
            }
        }
    }

    // Colours tried, by the class of a cell's random number (0..2, 3..5, 6..8, 9..11).
    static constexpr int preference[4][4] = {{Yellow, Red, Blue, Green},
                                             {Green, Yellow, Red, Blue},
                                             {Blue, Green, Yellow, Red},
                                             {Red, Blue, Green, Yellow}};
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            const int k = RandomInRange(draws_, 0, 30) / 3;
            if (k > 3)
                continue; // this cell keeps what it holds
            CellCode code = CellCode::X;
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
    ShowBoxCounts();
}

} // namespace chromatta
