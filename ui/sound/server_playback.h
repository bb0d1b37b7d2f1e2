// One sound played to the audio server on a plain main loop of its own, driven by the caller's
// thread: no thread of the audio library's, and every wait bounded by the sound's deadline.
#pragma once

#include "sound_source.h"

#include <chrono>
#include <functional>
#include <string>

namespace chromatta::ui {

struct ServerPlayback
{
    using Clock = std::chrono::steady_clock;

    SoundSource &source;
    sf_count_t frames = 0; // to play from the source, at most
    std::string streamName;
    // The server must have answered by then, connected and set the sound's stream up, or the
    // sound is given up on before anything of it is written.
    Clock::time_point answerBy;
    // Nothing is written to the server from here on: the game has stopped waiting.
    Clock::time_point deadline;
    // Called once the stream is set up, before anything is written; false when the game no
    // longer waits for the sound, which then ends there.
    std::function<bool()> answered;
    // Called once the server has played the sound to its end, before the connection is closed.
    std::function<void()> heard;
};

enum class PlaybackEnd {
    Heard, // played to its end
    Failed, // no server, a refusal, a file that stops making sense: nothing waited for
    NoAnswer, // the server did not answer in time, or stopped answering: given up on
};

// Connects, plays and closes; returns at the deadline at the latest (give or take the closing,
// which never waits), with everything it opened freed. A sound given up on is stopped and
// deleted in the server before the connection closes, so that a stalled server that wakes plays
// nothing of it. Silent on any failure.
PlaybackEnd playThroughServer(const ServerPlayback &playback) noexcept;

} // namespace chromatta::ui
