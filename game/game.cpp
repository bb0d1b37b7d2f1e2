// Dealing, starting over, the counts shown, and what every handler shares.
#include "game.h"

#include <array>
#include <stdexcept>

namespace chromatta {

Game::Game(DrawSource &draws, const ReseedClock &clock, const GameState &start)
    : draws_(draws)
    , clock_(clock)
    , state_(start)
{ }

Game::HandlerScope::HandlerScope(Game &game)
    : game_(game)
{
    // The window waits for a handler to return before it calls the next, even while a sound
    // plays or the refusal is shown; a handler inside another would see a record half changed.
    if (game_.inHandler_)
        throw std::logic_error("a handler of the game was entered while another was running");
    game_.inHandler_ = true;
}

Game::HandlerScope::~HandlerScope()
{
    // A record is a few hundred bytes: copying and comparing it costs less than keeping track
    // of writes.
    game_.changed_ = !(game_.state_ == game_.seen_);
    game_.seen_ = game_.state_;
    game_.inHandler_ = false;
}

void Game::windowOpened()
{
    const HandlerScope scope {*this};
    fillBoard();
}

int Game::randomInRange(int low, int high)
{
    return chromatta::randomInRange(draws_, clock_, low, high);
}

void Game::fillBoard()
{
    static constexpr auto byRemainder = [] {
        std::array<CellCode, ColourCount> codes {};
        for (int colour = 0; colour < ColourCount; ++colour)
            codes[Colours[colour].dealtOn] = plainCode(colour);
        return codes;
    }();
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            // Only the sixth draw is kept; the first five just move the generator on (see
            // randomInRange for why they stay).
            int v = 0;
            for (int draw = 0; draw < 6; ++draw)
                v = randomInRange(1, 40);
            state_.board.set(row, column, byRemainder[(v - 1) % ColourCount]);
        }
    }
    showBoxCounts();
    drawBoard();
}

void Game::newGame()
{
    // The fill draws the threshold while the level is still the old one; the next tick corrects
    // it. The selection value shown stays as it was.
    fillBoard();
    state_.selectionValue = 0;
    state_.points = 0;
    state_.reshuffleCount = 0;
    state_.level = 1;
}

void Game::showBoxCounts()
{
    state_.shown.boxes = countBoxes(state_.board);
}

} // namespace chromatta
