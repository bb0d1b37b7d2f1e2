#pragma once

#include <chrono>
#include <string>

namespace chromatta::ui {

// How long a sound may hold the game.
struct SoundLimits
{
    // A sound plays at most this long; a longer file is cut off there. The game's own sounds
    // are a second or less.
    std::chrono::milliseconds longest {10000};
    // How long past the sound's length the game waits for an audio server that stopped
    // answering before it goes on without it. Long enough for a busy but healthy server to start
    // a stream and drain it.
    std::chrono::milliseconds hungServerMargin {3000};
};

// Plays a sound file and returns when it has been heard. A missing file, one that is not a
// sound, or no audio server is silent and returns at once; a file that fails part way is silent
// from there. Nothing it meets can throw out of it or hold the game longer than the limits.
void playWaveToEnd(const std::string &path, const SoundLimits &limits = {}) noexcept;

} // namespace chromatta::ui
