// The game's sound player: plays a sound file to its end on a worker thread of its own while
// the game's thread waits, never longer than the limits.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

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
    // How long the server has to answer a sound (connect and set its stream up) before the
    // sound is given up on. Long enough for a desktop's sound server that is started on its
    // first client: PipeWire's pulse server, its daemon and session manager started from
    // nothing answered within 0.35 s and played a first sound within 0.55 s on Debian 12 and 13
    // on a busy machine (devtools/measure/server_start.sh).
    std::chrono::milliseconds connectWait {1000};
    // Once a sound has been given up on, the server has only this long to answer each later one
    // until it answers again: a server that stopped answering costs the game one wait, not
    // every clearing.
    std::chrono::milliseconds silentServerWait {80};
    // After a sound given up on, its connection is kept this long, writing nothing, until the
    // server answers what was asked of it: a server that answers, however late, is back, and
    // the next sound is waited for as on any server. The sound itself is never played late.
    // Ended early by the next sound or the window's closing; longer than the 12 s a game left
    // alone after a clearing takes to be counted as settled, so that it then sleeps, woken by
    // nothing but the server.
    std::chrono::milliseconds lateAnswerWait {20000};
};

// Owned by the game's window. One worker thread, started with the first sound (and again with a
// later one if no thread could be had), plays every sound; it sleeps while there is none. Whether
// a server that stopped answering answers again is learnt from its answers to the sounds' own
// requests, so nothing wakes a settled game on a timer, and a sound is either heard while the
// game waits for it or never.
class SoundPlayer
{
public:
    explicit SoundPlayer(SoundLimits limits = {});
    // Joins the worker, which has finished with any sound the game waited for.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // Plays a sound file and returns when it has been heard. A missing file, one that is not a
    // sound, or no audio server is silent and returns at once; a file that fails part way is
    // silent from there. Nothing it meets can throw out of it or hold the game longer than the
    // limits: the sound's length (at most `longest`) and the margin.
    void playToEnd(const std::string &path) noexcept;

    struct Shared; // what the worker and the game's thread share

private:
    using Clock = std::chrono::steady_clock;

    void play(const std::string &path);
    bool workerFree(std::unique_lock<std::mutex> &lock, Clock::time_point until,
                    const std::function<Clock::time_point()> &answerBy);
    bool startWorker();

    SoundLimits limits_;
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

} // namespace chromatta::ui
