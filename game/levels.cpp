// The LEVEL UP label: a level granted, or a refusal that starts over.
#include "game.h"

namespace chromatta {

void Game::Label3_Click()
{
    const HandlerScope scope {*this};
    const std::int64_t level = captions_.readNumber(Label::lvl);
    const auto threshold = NextLevelThreshold(double(level));
    if (!threshold)
        return; // level 10 is the last
    const std::int64_t points = captions_.readNumber(Label::Pts);
    if (*threshold > points) {
        toolkit_.messageBox("You need more points!", "Nope");
        NewGame();
        return;
    }
    playSound("win.wav");
    // The fill redraws NEXTLEVEL from the old level; the next tick shows the new threshold.
    FillBoard();
    captions_.setNumber(Label::lvl, level + 1);
}

} // namespace chromatta
