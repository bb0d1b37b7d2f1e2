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
    // Once the sound is given up on, the connection is kept this long, writing nothing, for the
    // server's answer to what was already asked of it: a late answer tells that it is back.
    std::chrono::milliseconds listenFor {0};
    // Called when that listening starts, with what stops it from another thread (waking the
    // connection's loop), and with nothing when it ends; false when it must not start.
    std::function<bool(std::function<void()>)> listening;
};

enum class PlaybackEnd {
    Heard, // played to its end
    Failed, // no server, a refusal, a file that stops making sense: nothing waited for
    NoAnswer, // the server did not answer in time, or stopped answering: given up on
    AnsweredLate, // given up on, but the server answered afterwards: it is back
};

// Connects, plays and closes; gives the sound up at the deadline at the latest, with everything
// it opened freed when it returns. A sound given up on is stopped (corked and flushed) in the
// server at once and deleted before the connection closes, so that a stalled server that wakes
// plays nothing of it; then the connection listens for the server's late answer as long as it
// may. Silent on any failure.
PlaybackEnd playThroughServer(const ServerPlayback &playback) noexcept;

} // namespace chromatta::ui
