// A sound file read a chunk at a time through libsndfile, in 16-bit frames.
#include "sound_source.h"

#include <algorithm>

#include <fcntl.h>
#include <pulse/sample.h>
#include <sys/stat.h>
#include <unistd.h>

namespace chromatta::ui {

namespace {

// Samples decoded at a time, over all channels: 128 KB whatever the file's layout.
constexpr sf_count_t ChunkSamples = 65536;

} // namespace

std::unique_ptr<SoundSource> SoundSource::open(const std::string &path)
{
    std::unique_ptr<SoundSource> source(new SoundSource);

    // One lookup of the name, and one that cannot block: a pipe with no writer or a device would
    // hold the open itself for good. What it found is then checked, not looked up again.
    source->descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source->descriptor_ < 0)
        return nullptr;
    struct stat status
    {
    };
    if (fstat(source->descriptor_, &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;

    // The descriptor stays ours (SF_FALSE), so it is closed once, by us, however libsndfile fares.
    SF_INFO info {};
    source->file_ = sf_open_fd(source->descriptor_, SFM_READ, &info, SF_FALSE);
    if (source->file_ == nullptr)
        return nullptr;
    if (info.frames <= 0 || info.samplerate <= 0 ||
        info.samplerate > static_cast<int>(PA_RATE_MAX) || info.channels <= 0)
        return nullptr;

    source->fileChannels_ = info.channels;
    source->rate_ = static_cast<std::uint32_t>(info.samplerate);
    source->claimedFrames_ = info.frames;
    source->chunkFrames_ = std::max<sf_count_t>(1, ChunkSamples / info.channels);
    source->decoded_.resize(static_cast<std::size_t>(source->chunkFrames_ * info.channels));
    if (info.channels <= static_cast<int>(PA_CHANNELS_MAX)) {
        source->channels_ = static_cast<std::uint8_t>(info.channels);
    } else {
        source->channels_ = 1;
        source->mixed_.resize(static_cast<std::size_t>(source->chunkFrames_));
    }
    return source;
}

SoundSource::~SoundSource()
{
    if (file_ != nullptr)
        sf_close(file_);
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::span<const std::int16_t> SoundSource::next() noexcept
{
    // A file that fails part way reads short or not at all: the sound ends there.
    const sf_count_t frames = sf_readf_short(file_, decoded_.data(), chunkFrames_);
    if (frames <= 0)
        return {};
    const auto samples = static_cast<std::size_t>(frames * fileChannels_);
    if (mixed_.empty())
        return {decoded_.data(), samples};

    // More channels than the server takes: all of them, averaged, on one.
    for (sf_count_t frame = 0; frame < frames; ++frame) {
        const std::int16_t *first = decoded_.data() + frame * fileChannels_;
        std::int64_t sum = 0;
        for (int channel = 0; channel < fileChannels_; ++channel)
            sum += first[channel];
        mixed_[static_cast<std::size_t>(frame)] = static_cast<std::int16_t>(sum / fileChannels_);
    }
    return {mixed_.data(), static_cast<std::size_t>(frames)};
}

} // namespace chromatta::ui
