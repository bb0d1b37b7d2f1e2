#include "sound_player.h"

#include "sound_source.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <thread>
#include <utility>

#include <pulse/channelmap.h>
#include <pulse/simple.h>

namespace chromatta::ui {

namespace {

// Set while a worker is talking to the server. A server that stopped answering holds that one
// worker; the sounds meanwhile are silent, not queued to play all at once, late, when it wakes.
std::atomic<bool> workerBusy {false};

// How much the server is asked to hold ahead of what is heard. Short, so that a sound the game
// has given up on has little left to play when a stalled server wakes.
constexpr pa_usec_t ServerBufferUsec = 200'000;

// Everything a worker touches: the game may stop waiting for it (or exit) at any moment.
struct Playback
{
    std::unique_ptr<SoundSource> source;
    std::string streamName;
    sf_count_t framesToPlay = 0;
    std::shared_ptr<std::atomic<bool>> givenUp;
    std::promise<void> heard;
};

void playToServer(Playback &playback) noexcept
{
    SoundSource &source = *playback.source;
    const pa_sample_spec format {PA_SAMPLE_S16NE, source.rate(), source.channels()};
    // The server refuses seven channels or more without a map; the WAVE order is the one such
    // files are written in.
    pa_channel_map map;
    pa_channel_map_init_extend(&map, source.channels(), PA_CHANNEL_MAP_WAVEEX);
    const auto unset = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer {
        unset, static_cast<std::uint32_t>(pa_usec_to_bytes(ServerBufferUsec, &format)), unset,
        unset, unset};
    pa_simple *stream = pa_simple_new(nullptr, "Chromatta Zududo", PA_STREAM_PLAYBACK, nullptr,
                                      playback.streamName.c_str(), &format, &map, &buffer, nullptr);
    if (stream == nullptr)
        return; // no audio server: silence

    // Written as decoded, and only while the game still waits: a server that was stalled past
    // the game's patience plays nothing of this sound when it wakes.
    bool whole = true;
    for (sf_count_t written = 0; written < playback.framesToPlay;) {
        const std::span<const std::int16_t> chunk = source.next();
        if (chunk.empty())
            break;
        const auto frames =
            std::min<sf_count_t>(static_cast<sf_count_t>(chunk.size() / source.channels()),
                                 playback.framesToPlay - written);
        if (playback.givenUp->load() ||
            pa_simple_write(stream, chunk.data(),
                            static_cast<std::size_t>(frames) * source.channels() *
                                sizeof(std::int16_t),
                            nullptr) != 0) {
            whole = false;
            break;
        }
        written += frames;
    }
    if (whole && !playback.givenUp->load())
        pa_simple_drain(stream, nullptr);
    pa_simple_free(stream);
}

void work(Playback playback) noexcept
{
    playToServer(playback);
    playback.source.reset(); // the file and its descriptor, before the next worker may start
    workerBusy.store(false);
    try {
        playback.heard.set_value();
    } catch (...) {
        // a promise set once cannot fail; nothing may leave a thread anyway
    }
}

void play(const std::string &path, const SoundLimits &limits)
{
    std::unique_ptr<SoundSource> source = SoundSource::open(path);
    if (!source)
        return;

    const auto rate = static_cast<double>(source->rate());
    const auto mostFrames =
        static_cast<sf_count_t>(std::chrono::duration<double>(limits.longest).count() * rate);
    const sf_count_t frames = std::min(source->claimedFrames(), mostFrames);
    const auto bound = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::duration<double>(static_cast<double>(frames) / rate)) +
        limits.hungServerMargin;

    Playback playback {std::move(source),
                       std::filesystem::path(path).filename().string(),
                       frames,
                       std::make_shared<std::atomic<bool>>(false),
                       {}};
    const std::shared_ptr<std::atomic<bool>> givenUp = playback.givenUp;
    std::future<void> done = playback.heard.get_future();

    if (workerBusy.exchange(true))
        return; // the last sound's worker is still stuck on the server
    try {
        std::thread(work, std::move(playback)).detach();
    } catch (...) {
        workerBusy.store(false);
        return; // no thread to be had: the game goes on silently
    }
    // The game's thread waits here, handling nothing, as long as the sound plays; a server that
    // stopped answering is given up on after the bound, and its worker told to play no more.
    if (done.wait_for(bound) != std::future_status::ready)
        givenUp->store(true);
}

} // namespace

void playWaveToEnd(const std::string &path, const SoundLimits &limits) noexcept
{
    try {
        play(path, limits);
    } catch (...) {
        // out of memory or threads: the game goes on without this sound
    }
}

} // namespace chromatta::ui
