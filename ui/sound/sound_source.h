// A sound file read a chunk at a time, as the audio server takes it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <sndfile.h>

namespace chromatta::ui {

// A sound file read a chunk at a time, in the form the audio server takes: 16-bit frames of at
// most PA_CHANNELS_MAX channels (a file with more is mixed down to one). Nothing is sized from
// the header, which may lie: memory stays at one chunk whatever the file claims.
class SoundSource
{
public:
    // The file at `path`, opened once and without blocking (a pipe or a device put in the
    // sound's place is refused, never waited on), or nothing when it is not a sound that can be
    // played.
    static std::unique_ptr<SoundSource> open(const std::string &path);

    ~SoundSource();
    SoundSource(const SoundSource &) = delete;
    SoundSource &operator=(const SoundSource &) = delete;

    std::uint32_t rate() const { return rate_; }
    std::uint8_t channels() const { return channels_; }
    // What the header claims, more than zero; the file may hold fewer frames, or more.
    sf_count_t claimedFrames() const { return claimedFrames_; }

    // The next frames, interleaved; empty at the end of the file or where it stops making sense.
    std::span<const std::int16_t> next() noexcept;

private:
    SoundSource() = default;

    int descriptor_ = -1;
    SNDFILE *file_ = nullptr;
    int fileChannels_ = 0;
    std::uint32_t rate_ = 0;
    std::uint8_t channels_ = 0;
    sf_count_t claimedFrames_ = 0;
    sf_count_t chunkFrames_ = 0;
    std::vector<std::int16_t> decoded_; // one chunk as the file has it
    std::vector<std::int16_t> mixed_; // the same chunk mixed down, for files of many channels
};

} // namespace chromatta::ui
