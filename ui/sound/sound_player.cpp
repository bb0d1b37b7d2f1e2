// The sound player: the game's thread hands each sound to the one worker and waits for it.
#include "sound_player.h"

#include "server_playback.h"
#include "sound_source.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace chromatta::ui {

namespace {

using Clock = ServerPlayback::Clock;

// How long `frames` at `rate` take to play.
Clock::duration lengthOf(sf_count_t frames, double rate)
{
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(frames) / rate));
}

// How long a sound waits for the worker to finish with the last one (closing its connection
// takes a moment) before it goes on silently: a worker held past its deadline is left to come
// back, and the next sound tries again.
constexpr auto WorkerBusyWait = std::chrono::milliseconds(250);

// How long the window's closing waits for the worker to come back before it leaves it behind.
constexpr auto WorkerExitWait = std::chrono::seconds(1);

struct Job
{
    std::unique_ptr<SoundSource> source;
    sf_count_t frames = 0;
    std::string streamName;
    Clock::time_point answerBy;
    Clock::time_point deadline;
    std::uint64_t number = 0;
};

} // namespace

struct SoundPlayer::Shared
{
    std::mutex mutex;
    std::condition_variable changed; // a job posted, a job finished, quitting, the worker gone
    std::optional<Job> waiting; // posted, not yet taken by the worker
    std::chrono::milliseconds listenFor {0}; // how long a job given up on listens for the server
    std::uint64_t posted = 0; // the number of the last job posted
    std::uint64_t answered = 0; // the last job whose stream the server set up in time
    std::uint64_t abandoned = 0; // the last job the game stopped waiting for
    std::uint64_t finished = 0; // the last job the game need not wait for any more
    bool busy = false; // the worker is on a job, until it has closed everything of it
    // A sound was given up on since the server last answered: it is given only a moment to
    // answer the next.
    bool serverSilent = false;
    bool quitting = false;
    bool exited = false;
    bool soundWaiting = false; // a sound waits for the worker to be free
    // While the worker listens for a late answer: what stops that.
    std::function<void()> stopListening;

    // The worker starts or ends listening for a late answer; no start with a job to do.
    bool listening(std::function<void()> stop)
    {
        const std::lock_guard lock(mutex);
        if (stop && (waiting || soundWaiting || quitting))
            return false;
        stopListening = std::move(stop);
        return true;
    }

    // Called with the mutex held, before a job is posted or the worker is told to quit.
    void interruptListening()
    {
        if (stopListening)
            std::exchange(stopListening, {})();
    }

    // The server set the job's stream up: true when the game still waits for it.
    bool answer(std::uint64_t number)
    {
        const std::lock_guard lock(mutex);
        if (abandoned >= number)
            return false;
        answered = std::max(answered, number);
        changed.notify_all();
        return true;
    }

    void heard(std::uint64_t number)
    {
        const std::lock_guard lock(mutex);
        finished = std::max(finished, number);
        serverSilent = false;
        changed.notify_all();
    }
};

namespace {

PlaybackEnd playJob(SoundPlayer::Shared &shared, Job &job)
{
    // Even a job the game has stopped waiting for connects: the server's answer, however late,
    // tells whether it is back; nothing of the sound is written.
    const std::uint64_t number = job.number;
    return playThroughServer({*job.source, job.frames, job.streamName, job.answerBy, job.deadline,
                              [&shared, number] { return shared.answer(number); },
                              [&shared, number] { shared.heard(number); }, shared.listenFor,
                              [&shared](std::function<void()> stop) {
                                  return shared.listening(std::move(stop));
                              }});
}

// The worker: sleeps until a sound comes, plays it, and frees everything of it before the next.
void work(std::shared_ptr<SoundPlayer::Shared> shared) noexcept
{
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->waiting || shared->quitting; });
        if (!shared->waiting)
            break;
        Job job = std::move(*shared->waiting);
        shared->waiting.reset();
        shared->busy = true;
        lock.unlock();
        const PlaybackEnd end = playJob(*shared, job);
        job.source.reset(); // the file and its descriptor
        lock.lock();
        if (end == PlaybackEnd::NoAnswer)
            shared->serverSilent = true;
        else if (end == PlaybackEnd::AnsweredLate)
            shared->serverSilent = false;
        shared->busy = false;
        shared->finished = std::max(shared->finished, job.number);
        shared->changed.notify_all();
    }
    shared->exited = true;
    shared->changed.notify_all();
}

} // namespace

SoundPlayer::SoundPlayer(SoundLimits limits)
    : limits_(limits)
    , shared_(std::make_shared<Shared>())
{
    shared_->listenFor = limits_.lateAnswerWait;
}

SoundPlayer::~SoundPlayer()
{
    if (!worker_.joinable())
        return;
    bool back = false;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->quitting = true;
        shared_->waiting.reset();
        shared_->interruptListening();
        shared_->changed.notify_all();
        back = shared_->changed.wait_for(lock, WorkerExitWait, [&] { return shared_->exited; });
    }
    // A worker that did not come back keeps what it shares alive by itself; the process's end
    // ends it.
    if (back)
        worker_.join();
    else
        worker_.detach();
}

bool SoundPlayer::startWorker()
{
    if (worker_.joinable())
        return true;
    try {
        worker_ = std::thread(work, shared_);
        return true;
    } catch (...) {
        return false; // no thread to be had now: this sound is silent, the next one tries again
    }
}

void SoundPlayer::play(const std::string &path)
{
    const Clock::time_point start = Clock::now();
    std::unique_ptr<SoundSource> source = SoundSource::open(path);
    if (!source)
        return;
    const auto rate = static_cast<double>(source->rate());
    const auto mostFrames =
        static_cast<sf_count_t>(std::chrono::duration<double>(limits_.longest).count() * rate);
    const sf_count_t frames = std::min(source->claimedFrames(), mostFrames);
    const Clock::time_point deadline = start + lengthOf(frames, rate) + limits_.hungServerMargin;
    if (!startWorker())
        return;

    std::unique_lock lock(shared_->mutex);
    // When the server has to answer: soon after a sound given up on, which the worker may be
    // telling while the game waits for it here.
    const auto answerBy = [&] {
        return std::min(
            deadline,
            start + (shared_->serverSilent ? limits_.silentServerWait : limits_.connectWait));
    };
    const bool free = workerFree(lock, std::min(start + WorkerBusyWait, deadline), answerBy);
    const std::uint64_t number = ++shared_->posted;
    const Clock::time_point answerLimit = answerBy();
    shared_->waiting =
        Job {std::move(source), frames,   std::filesystem::path(path).filename().string(),
             answerLimit,       deadline, number};
    shared_->changed.notify_all();
    // Not free in time (still telling of the last sound given up on): this sound is given up on
    // too, but left to the worker all the same, to learn from the server's answer to it.
    const auto giveUp = [&] {
        shared_->abandoned = number;
        if (free) // the server had its time to answer
            shared_->serverSilent = true;
    };
    // The game's thread waits here, handling nothing, as long as the sound plays; the worker
    // writes nothing past the same limits. Until the server has answered, it waits no longer
    // than the server has to answer.
    if (!free || !shared_->changed.wait_until(lock, answerLimit, [&] {
            return shared_->finished >= number || shared_->answered >= number;
        })) {
        giveUp();
        return;
    }
    if (!shared_->changed.wait_until(lock, deadline, [&] { return shared_->finished >= number; }))
        giveUp();
}

// Waits, with the lock held, for the worker to finish with the last sound (stopping its
// listening for a late answer first), until `until` or the time the server has to answer this
// one, whichever comes first; false when the worker is not free by then.
bool SoundPlayer::workerFree(std::unique_lock<std::mutex> &lock, Clock::time_point until,
                             const std::function<Clock::time_point()> &answerBy)
{
    shared_->soundWaiting = true; // the worker does not start listening from here on
    shared_->interruptListening();
    while (shared_->busy || shared_->waiting) {
        const Clock::time_point limit = std::min(until, answerBy());
        if (Clock::now() >= limit)
            break;
        shared_->changed.wait_until(lock, limit);
    }
    shared_->soundWaiting = false;
    return !shared_->busy && !shared_->waiting;
}

void SoundPlayer::playToEnd(const std::string &path) noexcept
{
    try {
        play(path);
    } catch (...) {
        // out of memory: the game goes on without this sound
    }
}

} // namespace chromatta::ui
