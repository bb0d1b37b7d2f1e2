#pragma once

#include <array>
#include <cstdint>
#include <deque>

namespace chromatta {

// Where the numbers of RandomInRange come from. The game has one for the whole run; tests and
// the script harness put another in its place, never another algorithm.
class DrawSource
{
public:
    virtual ~DrawSource() = default;
    // The next number, uniform in [0, 1).
    virtual double draw() = 0;
    // Mixes the number into the state; a repeated number never restarts the sequence.
    virtual void reseed(std::int64_t number) = 0;
};

// xoshiro256** seeded once from the system; draws carry 53 random bits.
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

// Hands out queued numbers first, then falls back to another source. Reseeds always go to the
// fallback, so the real generator keeps moving as it would.
class QueuedDraws final : public DrawSource
{
public:
    explicit QueuedDraws(DrawSource &fallback)
        : fallback_(fallback)
    { }

    void push(double u) { queue_.push_back(u); }
    std::size_t pending() const { return queue_.size(); }

    double draw() override;
    void reseed(std::int64_t number) override { fallback_.reseed(number); }

private:
    DrawSource &fallback_;
    std::deque<double> queue_;
};

// The process-wide source: the run's Generator unless a replacement is installed.
DrawSource &drawSource();
// Installs a replacement (nullptr goes back to the generator). Returns the previous one.
DrawSource *replaceDrawSource(DrawSource *replacement);

// Installs a replacement for the lifetime of a scope.
class ScopedDrawSource
{
public:
    explicit ScopedDrawSource(DrawSource &replacement)
        : previous_(replaceDrawSource(&replacement))
    { }
    ~ScopedDrawSource() { replaceDrawSource(previous_); }
    ScopedDrawSource(const ScopedDrawSource &) = delete;
    ScopedDrawSource &operator=(const ScopedDrawSource &) = delete;

private:
    DrawSource *previous_;
};

// The seconds of one reading of the local clock plus the month of a second reading: 1 to 71.
std::int64_t clockReseedNumber();

// A whole number from low to high, both included; the game's only source of chance.
// The product u x top is rounded, not truncated, so 0 comes up half as often as other values.
int RandomInRange(int low, int high);

} // namespace chromatta
