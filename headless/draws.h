// Draw sources and a clock for running the rules without the window: one seed's draws, queued
// draws, a clock that always gives one number.
#pragma once

#include "random.h"

#include <cstdint>
#include <deque>

namespace chromatta {

// The draws of one seed and nothing else: the clock's reseeds are ignored, so a seed plays the
// same game on every run and every machine (the harness's --seed, the soak, the fuzzer).
class SeededDraws final : public DrawSource
{
public:
    explicit SeededDraws(std::uint64_t seed)
        : generator_(seed)
    { }

    double draw() override { return generator_.draw(); }
    void reseed(std::int64_t) override { }

private:
    Generator generator_;
};

// A clock whose reseed number never changes, so that only the draws decide a game.
class FixedClock final : public ReseedClock
{
public:
    explicit FixedClock(std::int64_t number = 1)
        : number_(number)
    { }

    std::int64_t reseedNumber() const override { return number_; }

private:
    std::int64_t number_;
};

// Hands out queued numbers first, then falls back to another source. Reseeds always go to the
// fallback, so it keeps moving as it would without the queue.
class QueuedDraws final : public DrawSource
{
public:
    explicit QueuedDraws(DrawSource &fallback)
        : fallback_(fallback)
    { }

    void push(double u) { queue_.push_back(u); }

    double draw() override;
    void reseed(std::int64_t number) override { fallback_.reseed(number); }

private:
    DrawSource &fallback_;
    std::deque<double> queue_;
};

} // namespace chromatta
