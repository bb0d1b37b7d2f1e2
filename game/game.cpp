// Dealing, starting over, the count labels, and what every handler shares.
#include "game.h"

namespace chromatta {

Game::Game(Toolkit &toolkit, DrawSource &draws, const ReseedClock &clock, const GameState &start)
    : toolkit_(toolkit)
    , draws_(draws)
    , clock_(clock)
    , captions_(toolkit)
    , state_(start)
{ }

void Game::windowOpened()
{
    const HandlerScope scope {*this};
    fillBoard();
}

void Game::noteChanges()
{
    // A board is 91 bytes: copying and comparing it costs less than keeping track of writes.
    changed_ = captions_.changes() != seenCaptionChanges_ || !(state_.board == seenBoard_);
    seenCaptionChanges_ = captions_.changes();
    seenBoard_ = state_.board;
}

int Game::randomInRange(int low, int high)
{
    return chromatta::randomInRange(draws_, clock_, low, high);
}

void Game::fillBoard()
{
    static constexpr CellCode byRemainder[4] = {CellCode::Violet, CellCode::Green, CellCode::Red,
                                                CellCode::Yellow};
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            // Only the sixth draw is kept; the first five just move the generator on (see
            // randomInRange for why they stay).
            int v = 0;
            for (int draw = 0; draw < 6; ++draw)
                v = randomInRange(1, 40);
            state_.board.set(row, column, byRemainder[(v - 1) % 4]);
        }
    }
    showBoxCounts();
    drawBoard();
}

void Game::newGame()
{
    // The fill redraws while the level label still shows the old level; the next tick corrects
    // the threshold.
    fillBoard();
    state_.selectionValue = 0;
    state_.points = 0;
    state_.reshuffleCount = 0;
    state_.level = 1;
    captions_.setNumber(Label::Level, state_.level);
    showPoints();
}

void Game::showBoxCounts()
{
    const BoxCounts counts = countBoxes(state_.board);
    captions_.setNumber(Label::BoxCount, counts.plain());
    captions_.setNumber(Label::RedCount, counts.red);
    captions_.setNumber(Label::VioletCount, counts.violet);
    captions_.setNumber(Label::GreenCount, counts.green);
    captions_.setNumber(Label::YellowCount, counts.yellow);
}

void Game::showPoints()
{
    captions_.setNumber(Label::Points, state_.points);
}

void Game::playSound(const char *fileName)
{
    // The path is built anew each time, so a player may replace the file while the game runs.
    toolkit_.playSoundToEnd(toolkit_.programFolder() + "/" + fileName);
}

} // namespace chromatta
