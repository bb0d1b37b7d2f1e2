// The two sounds: a short chime when a group is cleared, and a fanfare for the next level.
// Both are synthesised from a few partials and written as 16-bit PCM at 44.1 kHz.
#include "make_assets.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace chromatta::assets {

namespace {

constexpr int Rate = 44100;
constexpr double Peak = 0.5; // -6 dBFS

using Samples = std::vector<double>;

struct Note
{
    double start; // seconds
    double length; // seconds, including its release
    double frequency; // Hz
    double decay; // time constant of the fading, seconds
    double vibrato = 0; // depth as a fraction of the frequency
};

// Adds one note with the given partials: a quick attack, an exponential decay and a short
// release to silence at its end, so that nothing clicks.
void addNote(Samples &out, const Note &note, const std::vector<double> &partials)
{
    constexpr double Attack = 0.006;
    constexpr double Release = 0.02;
    const auto first = static_cast<std::size_t>(note.start * Rate);
    const auto count = static_cast<std::size_t>(note.length * Rate);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / Rate;
        const double left = note.length - t;
        const double envelope =
            std::min(t / Attack, 1.0) * std::exp(-t / note.decay) * std::min(left / Release, 1.0);
        double value = 0;
        for (std::size_t k = 0; k < partials.size(); ++k)
            value += partials[k] * std::sin(phase * double(k + 1));
        out[first + i] += envelope * value;

        // A gentle vibrato that sets in after the attack.
        const double depth = note.vibrato * std::min(t / 0.15, 1.0);
        const double frequency =
            note.frequency * (1 + depth * std::sin(2 * std::numbers::pi * 5.5 * t));
        phase += 2 * std::numbers::pi * frequency / Rate;
    }
}

// Scales the sound to the common peak level and fades both ends to silence.
void finish(Samples &samples, double fadeIn, double fadeOut)
{
    double peak = 0;
    for (double value : samples)
        peak = std::max(peak, std::abs(value));
    const double in = fadeIn * Rate;
    const double out = fadeOut * Rate;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double fromEnd = double(samples.size() - 1 - i);
        const double fade = std::min({double(i) / in, fromEnd / out, 1.0});
        samples[i] *= Peak / peak * fade;
    }
}

void writeWave(const QDir &folder, const QString &name, const Samples &samples)
{
    const QString path = folder.filePath(name);
    SF_INFO info {};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 sf_strerror(nullptr));
    const auto frames = static_cast<sf_count_t>(samples.size());
    const bool complete = sf_write_double(file, samples.data(), frames) == frames;
    if (sf_close(file) != 0 || !complete)
        throw std::runtime_error("cannot write " + path.toStdString());
}

// Two bell-like notes a fifth apart, the second close on the first: about 0.18 s.
Samples clearingChime()
{
    Samples samples(std::size_t(0.18 * Rate), 0.0);
    const std::vector<double> bell = {1.0, 0.28, 0.1};
    addNote(samples, {0.0, 0.18, 1318.51, 0.045}, bell); // E6
    addNote(samples, {0.045, 0.135, 1975.53, 0.05}, bell); // B6
    finish(samples, 0.002, 0.015);
    return samples;
}

// A rising major arpeggio and a held chord with a touch of vibrato: about 1.1 s.
Samples fanfare()
{
    constexpr double Step = 0.13;
    Samples samples(std::size_t(1.1 * Rate), 0.0);
    const std::vector<double> brass = {1.0, 0.62, 0.4, 0.26, 0.16, 0.1, 0.06};
    const double arpeggio[] = {392.00, 523.25, 659.26, 783.99}; // G4 C5 E5 G5
    for (int i = 0; i < 4; ++i)
        addNote(samples, {Step * i, Step + 0.01, arpeggio[i], 0.25}, brass);
    // Four voices at half strength, so the chord is only a little louder than the arpeggio.
    std::vector<double> voice = brass;
    for (double &partial : voice)
        partial *= 0.5;
    const double chord[] = {523.25, 659.26, 783.99, 1046.50}; // C5 E5 G5 C6
    for (double frequency : chord)
        addNote(samples, {Step * 4, 1.1 - Step * 4, frequency, 0.55, 0.004}, voice);
    finish(samples, 0.003, 0.06);
    return samples;
}

} // namespace

void writeSounds(const QDir &folder)
{
    writeWave(folder, QStringLiteral("clearbox.wav"), clearingChime());
    writeWave(folder, QStringLiteral("win.wav"), fanfare());
}

} // namespace chromatta::assets
