// The board drawn, the next-level threshold shown with it, and the timer's tick.
#include "game.h"

namespace chromatta {

void Game::drawBoard()
{
    state_.shown.board = state_.board;
    // From level 10 on there is no threshold, and the last one shown stays.
    if (const auto threshold = nextLevelThreshold(state_.level))
        state_.shown.nextLevelThreshold = *threshold;
}

void Game::tick()
{
    const HandlerScope scope {*this};
    state_.shown.reshuffleCost = reshufflePrice(state_.reshuffleCount);
    closeEmptyColumns();
    dropBoxes();
    drawBoard();
}

} // namespace chromatta
