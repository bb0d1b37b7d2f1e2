// The game's sounds: the clearing's and the win's, played to their end from beside the program.
#pragma once

#include "sound_player.h"

namespace chromatta::ui {

// The two sounds of the game, played on the player of their own that goes with the window.
class GameSounds
{
public:
    enum Sound { Clearing, Win };
    // Returns when the sound has been heard; a sound that cannot be played is silent.
    void playToEnd(Sound sound);

private:
    SoundPlayer player_;
};

} // namespace chromatta::ui
