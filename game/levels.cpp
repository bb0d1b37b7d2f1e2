// The level rules: the points each level asks for, the reshuffle's price, and LEVEL UP granted
// or refused.
#include "game.h"

#include "saturating.h"

#include <cmath>

namespace chromatta {

std::optional<std::int64_t> nextLevelThreshold(std::int64_t level)
{
    double factor = 0;
    if (level < 3)
        factor = 50000;
    else if (level < 5)
        factor = 40000;
    else if (level < 10)
        factor = 35000;
    else
        return std::nullopt;
    return std::int64_t(std::pow(double(level) + 1, 2) * factor);
}

std::int64_t reshufflePrice(std::int64_t reshuffles)
{
    return saturatingAdd(saturatingMul(reshuffles, 20000), 25000);
}

Outcome Game::levelUpClicked()
{
    const HandlerScope scope {*this};
    const auto threshold = nextLevelThreshold(state_.level);
    if (!threshold)
        return Outcome::Nothing; // level 10 is the last
    // The deal waits until the win has been heard or the refusal closed: it reseeds from the
    // clock, and the board under the refusal is the one the player had.
    if (*threshold > state_.points) {
        waiting_ = Waiting::NewGame;
        return Outcome::Refusal;
    }
    waiting_ = Waiting::NextLevel;
    return Outcome::LevelWon;
}

void Game::goOn()
{
    const HandlerScope scope {*this};
    const Waiting step = waiting_;
    waiting_ = Waiting::Nothing;
    switch (step) {
    case Waiting::NewGame:
        newGame();
        break;
    case Waiting::NextLevel:
        // The fill draws the threshold from the old level; the next tick shows the new one.
        fillBoard();
        ++state_.level;
        break;
    case Waiting::Nothing:
        break;
    }
}

} // namespace chromatta
