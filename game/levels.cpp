// The LEVEL UP label: a level granted, or a refusal that starts over.
#include "game.h"

namespace chromatta {

void Game::levelUpClicked()
{
    const HandlerScope scope {*this};
    const auto threshold = nextLevelThreshold(state_.level);
    if (!threshold)
        return; // level 10 is the last
    if (*threshold > state_.points) {
        toolkit_.messageBox("You need more points!", "Nope");
        newGame();
        return;
    }
    playSound("win.wav");
    // The fill redraws the threshold from the old level; the next tick shows the new one.
    fillBoard();
    ++state_.level;
    captions_.setNumber(Label::Level, state_.level);
}

} // namespace chromatta
