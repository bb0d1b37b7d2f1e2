// The game's source of chance: the draw source it is given and RandomInRange over it.
#pragma once

#include <array>
#include <cstdint>

namespace chromatta {

// Where the numbers of RandomInRange come from. The window gives the game a Generator; the
// harness, the soak, the fuzzer and the tests give it sources of their own.
class DrawSource
{
public:
    virtual ~DrawSource() = default;
    // The next number, uniform in [0, 1).
    virtual double draw() = 0;
    // Mixes the number into the state; a repeated number never restarts the sequence.
    virtual void reseed(std::int64_t number) = 0;
};

// xoshiro256**, seeded through splitmix64; draws carry 53 random bits.
class Generator final : public DrawSource
{
public:
    Generator(); // seeded from std::random_device
    explicit Generator(std::uint64_t seed);

    double draw() override;
    void reseed(std::int64_t number) override;

private:
    std::uint64_t next();
    std::array<std::uint64_t, 4> state_ {};
};

// The seconds of one reading of the local clock plus the month of a second reading: 1 to 71.
std::int64_t clockReseedNumber();

// A whole number from low to high, both included; the game's only source of chance.
// The product u x top is rounded, not truncated, so 0 comes up half as often as other values.
//
// Every call first reseeds the source from the clock, and a deal keeps only the sixth of each
// cell's six calls: that is how the game has always dealt, so a game recorded as its draws
// (the harness's `draws`) replays number for number. The reseed mixes into the state rather
// than restarting it, which is what keeps the 546 calls of a deal, nearly all in one second and
// with one number, from repeating themselves; a source that must replay ignores it.
int RandomInRange(DrawSource &source, int low, int high);

} // namespace chromatta
