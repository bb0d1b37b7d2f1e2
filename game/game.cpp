// Dealing, starting over and the count labels.
#include "game.h"

namespace chromatta {

Game::Game(Toolkit &toolkit, DrawSource &draws)
    : toolkit_(toolkit)
    , draws_(draws)
    , captions_(toolkit)
{ }

void Game::Form_Load()
{
    const HandlerScope scope {*this};
    FillBoard();
}

void Game::noteChanges()
{
    // A board is 91 bytes: copying and comparing it costs less than keeping track of writes.
    changed_ = captions_.changes() != seenCaptionChanges_ || !(state_.board == seenBoard_);
    seenCaptionChanges_ = captions_.changes();
    seenBoard_ = state_.board;
}

void Game::FillBoard()
{
    static constexpr CellCode byRemainder[4] = {CellCode::b, CellCode::g, CellCode::r, CellCode::y};
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            // Only the sixth draw is kept; the first five just move the generator on (see
            // RandomInRange for why they stay).
            int v = 0;
            for (int draw = 0; draw < 6; ++draw)
                v = RandomInRange(draws_, 1, 40);
            state_.board.set(row, column, byRemainder[(v - 1) % 4]);
        }
    }
    ShowBoxCounts();
    DrawBoard();
}

void Game::NewGame()
{
    // The fill redraws while lvl still shows the old level; the next tick corrects NEXTLEVEL.
    FillBoard();
    state_.selectionValue = 0;
    state_.points = 0;
    state_.resetCount = 0;
    captions_.set(Label::lvl, "1");
    captions_.set(Label::Pts, "0");
}

void Game::ShowBoxCounts()
{
    int blue = 0, green = 0, red = 0, yellow = 0;
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            switch (state_.board.at(row, column)) {
            case CellCode::b:
                ++blue;
                break;
            case CellCode::g:
                ++green;
                break;
            case CellCode::r:
                ++red;
                break;
            case CellCode::y:
                ++yellow;
                break;
            default:
                break;
            }
        }
    }
    captions_.setNumber(Label::Label4, blue + green + red + yellow);
    captions_.setNumber(Label::Label6, red);
    captions_.setNumber(Label::Label8, blue);
    captions_.setNumber(Label::Label10, green);
    captions_.setNumber(Label::Label12, yellow);
}

void Game::playSound(const char *fileName)
{
    // The path is built anew each time, so a player may replace the file while the game runs.
    toolkit_.playSoundToEnd(toolkit_.programFolder() + "/" + fileName);
}

} // namespace chromatta
