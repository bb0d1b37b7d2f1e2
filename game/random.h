// The game's source of chance: the draw source and the clock it is given, and randomInRange.
#pragma once

#include <array>
#include <cstdint>

namespace chromatta {

// Where the numbers of randomInRange come from. The window gives the game a Generator; the
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

// Where the number each draw reseeds the source with comes from: a clock.
class ReseedClock
{
public:
    virtual ~ReseedClock() = default;
    virtual std::int64_t reseedNumber() const = 0;
};

// The window's clock: the seconds of one reading of the local clock plus the month of a second
// reading, 1 to 71.
class WallClock final : public ReseedClock
{
public:
    std::int64_t reseedNumber() const override;
};

// A whole number from low to high, both included; the game's only source of chance.
// The product u x top is rounded, not truncated, so 0 comes up half as often as other values.
// A broken source, whose draw is not a number in [0, 1), gives the lowest value of the range.
//
// Every call reseeds the source from the clock first, and a deal keeps only the sixth of the six
// calls it makes for each cell. Both look wasteful and both stay: they are how this game has
// always dealt, so a game recorded as its draws (the harness's `draws`) replays number for
// number, and the boards a player gets still depend on the moment of each call. The reseed
// mixes the number into the state instead of restarting it, which keeps the 546 calls of a
// deal, nearly all in one second and with one number, from repeating themselves; a source that
// must replay a seed ignores it (SeededDraws).
int randomInRange(DrawSource &source, const ReseedClock &clock, int low, int high);

} // namespace chromatta
