// One sound to the audio server over libpulse's plain main loop, iterated here with deadlines.
#include "server_playback.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include <sys/resource.h>

#include <pulse/channelmap.h>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

namespace chromatta::ui {

namespace {

using Clock = ServerPlayback::Clock;

// How far ahead of what is heard the sound is written: the whole latency, the server's buffer
// and the sink's together (the stream adjusts the latency). Short, so that the drain that ends
// the sound comes soon after its last sample is heard, and a sound the game gives up on has
// little left to play; long enough for a busy machine. Measured on PipeWire, the drain then
// comes 5 to 10 ms after the sound's end, and the stream takes 8 to 17 ms to set up; with
// 200 ms and no adjusting, a clearing held the game 96 ms past the sound.
constexpr pa_usec_t AheadUsec = 40'000;

// One connection and its stream; everything is freed on destruction, whatever state it is in.
class Connection
{
public:
    explicit Connection(const ServerPlayback &playback)
        : playback_(playback)
    { }
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool connect();
    // Until the sound is heard, something fails or the time for it runs out.
    void play();
    // After a sound given up on: until the server answers, the connection fails, the listening
    // is stopped or its time runs out.
    void listen();
    PlaybackEnd end() const;

private:
    Clock::time_point waitUntil() const;
    bool iterate(Clock::time_point until);
    bool step();
    bool openStream();
    bool writeAhead();
    void silence();
    bool askForAnswer();
    bool waitingForAnswer();
    void sendWhatIsQueued();

    const ServerPlayback &playback_;
    pa_mainloop *loop_ = nullptr;
    pa_context *context_ = nullptr;
    pa_stream *stream_ = nullptr;
    pa_operation *drain_ = nullptr;
    int drained_ = -1; // the drain's answer: -1 none yet, 0 failed, 1 played to the end
    std::span<const std::int16_t> pending_; // decoded, not yet written
    sf_count_t written_ = 0;
    bool allWritten_ = false;
    bool answered_ = false; // the stream was set up in time
    bool heard_ = false;
    bool outOfTime_ = false; // given up on: the server did not answer in time
    bool silenced_ = false; // the stream corked and flushed
    bool answeredLate_ = false; // the server answered after the sound was given up on
    pa_operation *probe_ = nullptr; // a request after the give-up, whose answer is awaited
    std::atomic<bool> stopListening_ = false;
};

// Said once, on the error stream, when the audio library cannot have the memory it plays sounds
// from (a pool of 64 MiB, shared with the server or else its own): the sounds are silent then,
// which a player would otherwise be left to wonder about. An address-space limit is what denies
// it on a machine with memory to spare.
void sayWhyTheSoundIsOff()
{
    static std::atomic_flag said = ATOMIC_FLAG_INIT;
    if (said.test_and_set())
        return;
    rlimit limit {};
    std::string because;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        because = " (the address-space limit, ulimit -v, is " +
            std::to_string(limit.rlim_cur >> 20) + " MiB)";
    std::fprintf(stderr,
                 "%s: no sound: the audio library cannot have the memory it plays sounds from%s\n",
                 program_invocation_short_name, because.c_str());
    std::fflush(stderr);
}

bool Connection::connect()
{
    loop_ = pa_mainloop_new();
    if (loop_ == nullptr)
        return false;
    // Made only once the library has its memory pool.
    context_ = pa_context_new(pa_mainloop_get_api(loop_), "Chromatta Zududo");
    if (context_ == nullptr) {
        sayWhyTheSoundIsOff();
        return false;
    }
    // Never starts a server of its own: the game plays to the one the desktop runs, or is silent.
    return pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
}

void Connection::play()
{
    while (iterate(waitUntil()) && step()) { }
}

void Connection::listen()
{
    if (!outOfTime_ || answeredLate_ || playback_.listenFor.count() <= 0 || !askForAnswer())
        return;
    // Called on the game's thread, while the worker is in this loop or on its way out of it:
    // the listening ends at the loop's next pass.
    if (!playback_.listening([this] {
            stopListening_ = true;
            pa_mainloop_wakeup(loop_);
        }))
        return;
    const Clock::time_point until = Clock::now() + playback_.listenFor;
    while (!stopListening_ && waitingForAnswer() && iterate(until)) { }
    playback_.listening({});
}

PlaybackEnd Connection::end() const
{
    if (heard_)
        return PlaybackEnd::Heard;
    if (answeredLate_)
        return PlaybackEnd::AnsweredLate;
    return outOfTime_ ? PlaybackEnd::NoAnswer : PlaybackEnd::Failed;
}

// Until the stream is set up the server has until answerBy, then until the deadline.
Clock::time_point Connection::waitUntil() const
{
    return answered_ ? playback_.deadline : std::min(playback_.answerBy, playback_.deadline);
}

// One pass of the main loop: waits for the server no later than `until`.
bool Connection::iterate(Clock::time_point until)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now());
    if (left.count() <= 0) {
        outOfTime_ = true;
        return false;
    }
    const int timeout = int(std::min<std::chrono::microseconds::rep>(left.count(), INT_MAX));
    return pa_mainloop_prepare(loop_, timeout) >= 0 && pa_mainloop_poll(loop_) >= 0 &&
        pa_mainloop_dispatch(loop_) >= 0;
}

// Moves the playback on as far as the server's answers allow; false once there is nothing more
// to wait for.
bool Connection::step()
{
    const pa_context_state_t context = pa_context_get_state(context_);
    if (!PA_CONTEXT_IS_GOOD(context))
        return false;
    if (context != PA_CONTEXT_READY)
        return true;
    if (stream_ == nullptr)
        return openStream();
    const pa_stream_state_t stream = pa_stream_get_state(stream_);
    if (!PA_STREAM_IS_GOOD(stream))
        return false;
    if (stream != PA_STREAM_READY)
        return true; // still being set up
    if (!answered_) {
        if (Clock::now() >= playback_.answerBy || !playback_.answered()) {
            // The game has stopped waiting: nothing is written. The server did answer, though.
            outOfTime_ = answeredLate_ = true;
            return false;
        }
        answered_ = true;
    }
    if (Clock::now() >= playback_.deadline) {
        outOfTime_ = true; // written only while the game still waits
        return false;
    }
    if (!allWritten_ && !writeAhead())
        return false;
    if (allWritten_ && drain_ == nullptr) {
        drain_ = pa_stream_drain(
            stream_,
            [](pa_stream *, int success, void *self) {
                static_cast<Connection *>(self)->drained_ = success ? 1 : 0;
            },
            this);
        if (drain_ == nullptr)
            return false;
    }
    if (drained_ == 1) {
        heard_ = true;
        playback_.heard();
    }
    return drained_ < 0;
}

bool Connection::openStream()
{
    SoundSource &source = playback_.source;
    const pa_sample_spec format {PA_SAMPLE_S16NE, source.rate(), source.channels()};
    // The server refuses seven channels or more without a map; the WAVE order is the one such
    // files are written in.
    pa_channel_map map;
    pa_channel_map_init_extend(&map, source.channels(), PA_CHANNEL_MAP_WAVEEX);
    stream_ = pa_stream_new(context_, playback_.streamName.c_str(), &format, &map);
    if (stream_ == nullptr)
        return false;
    const auto unset = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer {unset,
                                 static_cast<std::uint32_t>(pa_usec_to_bytes(AheadUsec, &format)),
                                 unset, unset, unset};
    return pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                      nullptr) >= 0;
}

// Writes as much as the server has room for, decoding as it goes.
bool Connection::writeAhead()
{
    SoundSource &source = playback_.source;
    const std::size_t frameBytes = source.channels() * sizeof(std::int16_t);
    std::size_t room = pa_stream_writable_size(stream_);
    if (room == static_cast<std::size_t>(-1))
        return false;
    while (room >= frameBytes && !allWritten_) {
        if (pending_.empty())
            pending_ = source.next();
        const auto frames = std::min<sf_count_t>({sf_count_t(room / frameBytes),
                                                  sf_count_t(pending_.size() / source.channels()),
                                                  playback_.frames - written_});
        if (frames <= 0) {
            allWritten_ = true; // the end of the file, or of the time a sound may last
            break;
        }
        const std::size_t bytes = std::size_t(frames) * frameBytes;
        if (pa_stream_write(stream_, pending_.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return false;
        pending_ = pending_.subspan(std::size_t(frames) * source.channels());
        written_ += frames;
        room -= bytes;
        allWritten_ = written_ >= playback_.frames;
    }
    return true;
}

// Stops a stream the server may still be playing: corked, then flushed of what it holds.
void Connection::silence()
{
    if (silenced_ || stream_ == nullptr || pa_context_get_state(context_) != PA_CONTEXT_READY ||
        pa_stream_get_state(stream_) != PA_STREAM_READY)
        return;
    silenced_ = true;
    if (pa_operation *cork = pa_stream_cork(stream_, 1, nullptr, nullptr))
        pa_operation_unref(cork);
    probe_ = pa_stream_flush(stream_, nullptr, nullptr);
}

// Makes sure something the server must answer is on its way: the connection itself until it is
// ready, then the stream's set-up or its flush, or else a question about the server.
bool Connection::askForAnswer()
{
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
        return false;
    if (pa_context_get_state(context_) != PA_CONTEXT_READY)
        return true;
    silence();
    if (probe_ == nullptr &&
        (stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_CREATING))
        probe_ = pa_context_get_server_info(
            context_, [](pa_context *, const pa_server_info *, void *) {}, nullptr);
    sendWhatIsQueued();
    return true;
}

// False once the server has answered (noted) or the connection has failed.
bool Connection::waitingForAnswer()
{
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
        return false;
    if (probe_ != nullptr) {
        answeredLate_ = pa_operation_get_state(probe_) == PA_OPERATION_DONE;
        return pa_operation_get_state(probe_) == PA_OPERATION_RUNNING;
    }
    answeredLate_ = pa_context_get_state(context_) == PA_CONTEXT_READY &&
        (stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_CREATING);
    return !answeredLate_;
}

// Hands the requests queued so far to the socket without waiting for any answer: a few passes
// of the main loop that never block.
void Connection::sendWhatIsQueued()
{
    for (int i = 0; i < 4 && pa_context_is_pending(context_) > 0; ++i)
        pa_mainloop_iterate(loop_, 0, nullptr);
}

Connection::~Connection()
{
    if (drain_ != nullptr) {
        pa_operation_cancel(drain_); // its callback must not run once this is gone
        pa_operation_unref(drain_);
    }
    // A sound given up on is corked, flushed and deleted in the server, in this order and before
    // the connection closes: a server that wakes from a stall reads them before anything else of
    // ours and drops what it holds of the sound.
    if (!heard_)
        silence();
    if (probe_ != nullptr) {
        pa_operation_cancel(probe_); // sent all the same; only its answer is no longer awaited
        pa_operation_unref(probe_);
    }
    if (stream_ != nullptr) {
        const bool ready = pa_context_get_state(context_) == PA_CONTEXT_READY &&
            pa_stream_get_state(stream_) == PA_STREAM_READY;
        pa_stream_disconnect(stream_);
        if (ready)
            sendWhatIsQueued();
        pa_stream_unref(stream_);
    }
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_ != nullptr)
        pa_mainloop_free(loop_);
}

} // namespace

PlaybackEnd playThroughServer(const ServerPlayback &playback) noexcept
{
    try {
        Connection connection(playback);
        if (!connection.connect())
            return PlaybackEnd::Failed;
        connection.play();
        connection.listen();
        return connection.end();
    } catch (...) {
        // the game's callback or an allocation: the sound ends here, with all it opened freed
        return PlaybackEnd::Failed;
    }
}

} // namespace chromatta::ui
