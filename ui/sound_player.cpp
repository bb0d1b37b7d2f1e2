#include "sound_player.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <pulse/simple.h>
#include <sndfile.h>

namespace chromatta::ui {

namespace {

// How long past the sound's own length the game waits for a broken audio server before it goes
// on without it. Long enough for a busy but healthy server to start a stream and drain it.
constexpr std::chrono::milliseconds HungServerMargin {3000};

struct Wave
{
    std::vector<std::int16_t> samples; // interleaved frames
    std::uint32_t rate = 0;
    std::uint8_t channels = 0;
};

// The whole file as 16-bit frames, or nothing when libsndfile cannot read it or the server could
// not play its layout. Game sounds are a second or so, so reading them whole is cheap.
bool readWave(const std::string &path, Wave &wave)
{
    // Only plain files: a pipe or a device put in the sound's place would block the open for
    // good, on the game's thread.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;

    SF_INFO info {};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return false;
    const bool playable = info.frames > 0 && info.samplerate > 0 &&
        info.samplerate <= static_cast<int>(PA_RATE_MAX) && info.channels > 0 &&
        info.channels <= static_cast<int>(PA_CHANNELS_MAX);
    if (playable) {
        wave.samples.resize(static_cast<std::size_t>(info.frames) *
                            static_cast<std::size_t>(info.channels));
        // A truncated file yields fewer frames than its header promised: play what is there.
        const sf_count_t got = sf_readf_short(file, wave.samples.data(), info.frames);
        wave.samples.resize(static_cast<std::size_t>(got > 0 ? got : 0) *
                            static_cast<std::size_t>(info.channels));
        wave.rate = static_cast<std::uint32_t>(info.samplerate);
        wave.channels = static_cast<std::uint8_t>(info.channels);
    }
    sf_close(file);
    return playable && !wave.samples.empty();
}

// Runs on a detached worker: everything it touches is its own, so the game may stop waiting
// for it (or exit) at any moment.
void playToServer(const Wave &wave, const std::string &streamName)
{
    const pa_sample_spec format {PA_SAMPLE_S16NE, wave.rate, wave.channels};
    pa_simple *stream = pa_simple_new(nullptr, "Chromatta Zududo", PA_STREAM_PLAYBACK, nullptr,
                                      streamName.c_str(), &format, nullptr, nullptr, nullptr);
    if (stream == nullptr)
        return; // no audio server: silence
    if (pa_simple_write(stream, wave.samples.data(), wave.samples.size() * sizeof(std::int16_t),
                        nullptr) == 0)
        pa_simple_drain(stream, nullptr);
    pa_simple_free(stream);
}

} // namespace

void playWaveToEnd(const std::string &path)
{
    Wave wave;
    if (!readWave(path, wave))
        return;

    const auto length = std::chrono::duration<double>(
        static_cast<double>(wave.samples.size() / wave.channels) / wave.rate);
    const auto bound =
        std::chrono::duration_cast<std::chrono::milliseconds>(length) + HungServerMargin;

    std::promise<void> heard;
    std::future<void> done = heard.get_future();
    try {
        std::thread([wave = std::move(wave), name = std::filesystem::path(path).filename().string(),
                     heard = std::move(heard)]() mutable {
            playToServer(wave, name);
            heard.set_value();
        }).detach();
    } catch (const std::system_error &) {
        return; // no thread to be had: the game goes on silently
    }
    // The game's thread waits here, handling nothing, as long as the sound plays; a server that
    // stopped answering is given up on after the bound and its worker left behind.
    done.wait_for(bound);
}

} // namespace chromatta::ui
